// End, shared by the backends: the real end, or a test's handler in its place.
#include <functional>

#include "platform/backend.h"
#include "platform/controls.h"

namespace platform {

namespace {
std::function<void()>& end_handler()
{
    static std::function<void()> handler = backend::end_program;
    return handler;
}
}  // namespace

void end() { end_handler()(); }

void set_end_handler(std::function<void()> handler)
{
    end_handler() = handler ? std::move(handler) : backend::end_program;
}

}  // namespace platform
