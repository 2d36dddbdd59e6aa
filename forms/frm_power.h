#pragma once
// The power window: choose a design, fill its boxes, ask one of four
// questions (power, N, effect, alpha) and read the answer, with the effect a
// typed statistic shows and two pictures of the answer.
#include "platform/controls.h"
#include "run/power.h"

namespace forms {

class Program;

class frm_power : public platform::Form {
public:
    explicit frm_power(Program& program);

    platform::Label lbl_design{*this};
    platform::CommandButton cmd_t1{*this, run::describe(run::Design::t_one_sample).button};
    platform::CommandButton cmd_t2{*this, run::describe(run::Design::t_two_groups).button};
    platform::CommandButton cmd_anova{*this, run::describe(run::Design::anova).button};
    platform::CommandButton cmd_regression{*this, run::describe(run::Design::regression).button};
    platform::CommandButton cmd_chi{*this, run::describe(run::Design::chi_square).button};

    platform::Label lbl_effect{*this};
    platform::TextBox txt_effect{*this};
    platform::Label lbl_alpha{*this};
    platform::TextBox txt_alpha{*this};
    platform::Label lbl_power{*this};
    platform::TextBox txt_power{*this};
    platform::Label lbl_n{*this};
    platform::TextBox txt_n{*this};
    platform::Label lbl_tails{*this};
    platform::TextBox txt_tails{*this};
    platform::Label lbl_ratio{*this};
    platform::TextBox txt_ratio{*this};
    platform::Label lbl_groups{*this};
    platform::TextBox txt_groups{*this};
    platform::Label lbl_predictors{*this};
    platform::TextBox txt_predictors{*this};
    platform::Label lbl_degrees{*this};
    platform::TextBox txt_degrees{*this};
    platform::Label lbl_observed{*this};
    platform::TextBox txt_observed{*this};

    platform::CommandButton cmd_find_power{*this, u"Find power"};
    platform::CommandButton cmd_find_n{*this, u"Find N"};
    platform::CommandButton cmd_find_effect{*this, u"Find effect"};
    platform::CommandButton cmd_find_alpha{*this, u"Find \u03B1"};
    platform::CommandButton cmd_copy{*this, u"Copy"};
    platform::CommandButton cmd_back{*this, u"Back"};
    platform::CommandButton cmd_exit{*this, u"Exit"};

    platform::Label lbl_answer{*this};
    platform::Label lbl_result{*this};
    platform::DrawingBox pic_distributions{*this};
    platform::DrawingBox pic_power_curve{*this};

    void cmd_design_Click(run::Design design);
    void cmd_find_Click(run::Find question);
    void cmd_copy_Click();
    void cmd_back_Click();
    void cmd_exit_Click();

    // The design chosen: the one whose caption the design label holds.
    run::Design design() const;
    const run::PowerAnswer& last_answer() const { return answer_; }

private:
    void create_controls();
    void wire_events();
    void show_answer(run::PowerAnswer answer);

    Program& program_;
    run::PowerAnswer answer_;  // the answer shown; not answered while none is
};

}  // namespace forms
