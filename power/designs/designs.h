#pragma once
// Each design, made at its first use.
#include "power/design.h"

namespace power {

const Design& t_one_sample();
const Design& t_two_groups();
const Design& anova();
const Design& regression();
const Design& chi_square();

}  // namespace power
