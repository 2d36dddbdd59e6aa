#pragma once
// What the backends hold alike, for their definitions to use: the window
// grey and the fault of a picture that is not among the resources.
#include <stdexcept>

namespace platform::shared {

struct Rgb {
    int red, green, blue;
};

// The light grey of both windows, their labels and the plain box.
inline constexpr Rgb window_grey{192, 192, 192};
// The two lines of an etched rule: its shadow, and the light one pixel below.
inline constexpr Rgb rule_shadow{128, 128, 128};
inline constexpr Rgb rule_light{255, 255, 255};

// A picture number with no bitmap behind it.
class MissingPicture : public std::runtime_error {
public:
    explicit MissingPicture(int resource_number);
};

}  // namespace platform::shared
