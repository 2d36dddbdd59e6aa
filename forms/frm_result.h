#pragma once
// The result window: the picture of the chosen distribution, the P-value
// line, below them a strip with the exact value of each tail, Copy, the
// critical values and the verdict at the level the user types, and beside
// them the plot of the user's own answer, with what was read of a box whose
// text was not read in full below it.
#include "platform/controls.h"
#include "charts/plot.h"
#include "run/run_command.h"

namespace forms {

class Program;

class frm_result : public platform::Form {
public:
    explicit frm_result(Program& program);

    platform::PictureBox pic_geral{*this};
    platform::Label lbl_graph{*this};
    platform::CommandButton cmd_back{*this, u"Back"};
    platform::CommandButton cmd_exit{*this, u"Exit"};
    platform::Label lbl_exact{*this};
    platform::CommandButton cmd_copy{*this, u"Copy"};
    platform::Label lbl_alpha{*this};
    platform::TextBox txt_alpha{*this};
    platform::Label lbl_critical{*this};
    platform::CommandButton cmd_copy_picture{*this, u"Copy picture"};
    platform::DrawingBox pic_plot{*this};
    platform::Label lbl_verdict{*this};
    platform::Label lbl_note{*this};

    void cmd_back_Click();
    void cmd_exit_Click();
    void cmd_copy_Click();
    void cmd_copy_picture_Click();
    void txt_alpha_Change();
    void txt_alpha_KeyPress(char16_t& KeyAscii);

    // The chosen distribution's picture, loaded by its number.
    void show_picture(const run::Distribution& distribution);
    // A run's line and exact values, its plot, and the report Copy will give.
    void show_outcome(const run::Outcome& outcome);

private:
    void create_controls();
    void wire_events();
    void make_plot();

    Program& program_;
    run::Outcome outcome_;  // the run shown; of kind nothing while none is
    charts::Plot plot_;
};

}  // namespace forms
