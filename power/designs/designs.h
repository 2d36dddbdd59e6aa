#pragma once
// Each design, made at its first use.
#include "power/design.h"

namespace power {

const Design& t_one_sample();
const Design& t_two_groups();
const Design& anova();
const Design& regression();
const Design& chi_square();
const Design& r_squared_increase();
const Design& repeated();
const Design& correlation();
const Design& proportion();
const Design& two_proportions();

}  // namespace power
