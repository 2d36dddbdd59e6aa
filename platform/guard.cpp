// The report of a handler's exception, shared by the backends.
#include "platform/guard.h"

#include <cstdio>

#include "platform/controls.h"

namespace platform {

void report_current_exception(Form* window) noexcept
{
    try {
        Text message;
        try {
            throw;
        } catch (const std::exception& error) {
            message = something_went_wrong(error);
        } catch (...) {
            message = u"Something went wrong: a fault of unknown kind.";
        }
        message_box(window, message, u"Varendo", BoxIcon::warning);
    } catch (...) {
        std::fputs("Varendo: a fault could not be reported in a message box\n", stderr);
    }
}

}  // namespace platform
