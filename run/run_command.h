#pragma once
// The Run command's steps, over the few window services it needs, so that
// the same code serves the main window and the fuzzer. Knows no window.
#include "platform/text.h"

namespace run {

using platform::Text;

enum class Box { Value, Numerator, Denominator };

class RunView {
public:
    virtual ~RunView() = default;
    virtual Text caption() const = 0;          // of lbl_value: the chosen distribution
    virtual Text text(Box box) const = 0;      // a box's text
    virtual Text name(Box box) const = 0;      // the caption of the box's row
    virtual char16_t decimal_separator() const = 0;  // of the user's regional settings
    virtual void swap_windows() = 0;           // main window off, result window on
    virtual void show_line(const Text& line) = 0;
    virtual void show_message(const Text& message) = 0;
};

void run_command(RunView& view);

}  // namespace run
