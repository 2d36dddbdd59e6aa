#pragma once
// Where a toolkit calls into the program (a click, a key, a window message),
// an exception must not travel back into the toolkit: Qt and the window
// procedures leave that undefined. It becomes the message the Run command
// gives for an unforeseen fault, and the program goes on.
#include <exception>

#include "platform/text.h"

namespace platform {

class Form;

// "Something went wrong: " and the exception's own words.
Text something_went_wrong(const std::exception& error);

// Reports the exception being handled in a modal box over `window` (none: no
// owner). Never throws: a box that cannot be shown leaves a line on stderr.
void report_current_exception(Form* window) noexcept;

// Runs a handler as a toolkit's callback must: nothing escapes it. Says
// whether the handler ran to its end.
template <class Handler>
bool guarded(Form* window, Handler&& handler) noexcept
{
    try {
        handler();
        return true;
    } catch (...) {
        report_current_exception(window);
    }
    return false;
}

}  // namespace platform
