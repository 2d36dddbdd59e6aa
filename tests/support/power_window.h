#pragma once
// The power window's controls as a scenario names them, for the drivers that
// run in process (Qt and Win32): a box by its key, a button by its caption.
#include <algorithm>
#include <stdexcept>
#include <string>

#include "forms/frm_power.h"
#include "support/power_scenarios.h"

namespace power_rows {

inline platform::TextBox& box_of(forms::frm_power& w, const std::string& key)
{
    platform::TextBox* boxes[] = {&w.txt_effect, &w.txt_alpha, &w.txt_power,      &w.txt_n,       &w.txt_tails,
                                  &w.txt_ratio,  &w.txt_groups, &w.txt_predictors, &w.txt_degrees, &w.txt_observed};
    const auto& keys = box_keys();
    const auto at = std::find(keys.begin(), keys.end(), key);
    if (at == keys.end()) throw std::runtime_error("no box " + key);
    return *boxes[at - keys.begin()];
}

inline platform::CommandButton& button_of(forms::frm_power& w, const Text& caption)
{
    for (platform::CommandButton* b : {&w.cmd_t1, &w.cmd_t2, &w.cmd_anova, &w.cmd_regression, &w.cmd_chi,
                                       &w.cmd_find_power, &w.cmd_find_n, &w.cmd_find_effect, &w.cmd_find_alpha})
        if (b->caption() == caption) return *b;
    throw std::runtime_error("no button " + platform::to_utf8(caption));
}

// What the checks read of the window.
inline std::vector<std::string> check_window(const Scenario& s, forms::frm_power& w)
{
    return check(s, w.lbl_answer.caption(), w.lbl_result.caption(), w.pic_distributions.drawing().words,
                 w.pic_power_curve.drawing().words);
}

}  // namespace power_rows
