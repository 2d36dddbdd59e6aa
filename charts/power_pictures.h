#pragma once
// The power window's two pictures, drawn from the answer's study as the
// questions left it: the statistic's density under H0 and under H1, the
// critical values dashed, alpha shaded under H0 beyond them and the power
// under H1; and the power against the total N from the answer's curve, the
// answer marked. Each says in words what it shows, for a screen reader.
#include "platform/drawing.h"
#include "power/answer.h"

namespace charts {

// Both never throw; an answer that is none gives an empty picture.
platform::Drawing distributions_picture(const power::PowerAnswer& answer, char16_t separator, double width,
                                        double height);
platform::Drawing power_curve_picture(const power::PowerAnswer& answer, char16_t separator, double width,
                                      double height);

}  // namespace charts
