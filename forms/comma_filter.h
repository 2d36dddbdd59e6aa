#pragma once
#include "platform/controls.h"

namespace forms {

// A typed comma becomes a decimal point once the box holds anything: the rule
// of every box that takes a number.
inline void comma_filter(const platform::TextBox& box, char16_t& KeyAscii)
{
    const size_t count = box.text().size();
    for (size_t i = 1; i <= count; ++i)
        if (KeyAscii == 44) KeyAscii = 46;
}

}  // namespace forms
