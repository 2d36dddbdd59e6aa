// The words for a fault nobody foresaw, shared by the Run command and the
// toolkits' callbacks.
#include "platform/guard.h"

namespace platform {

Text something_went_wrong(const std::exception& error)
{
    return u"Something went wrong: " + from_utf8(error.what());
}

}  // namespace platform
