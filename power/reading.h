#pragma once
// A box of the power window read as every box reads a number (e-notation,
// a point or a comma) and held to what it accepts: a refusal names the box
// and what it takes; a text not read in full is said in the main window's
// words ("In EFFECT SIZE d, 0.5abc was read as 0.5: "abc" was ignored."),
// and so is a separator in a box of whole numbers, which reads as a decimal
// point and never as a thousands separator ("In TOTAL N, 1.000 was read as 1").
#include <vector>

#include "power/design.h"

namespace power {

double read_box(const Box& box, const Text& text, char16_t separator, std::vector<Text>& notes);

}  // namespace power
