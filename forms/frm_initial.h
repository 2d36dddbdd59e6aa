#pragma once
// The main window: choose a distribution, type the statistic and its degrees
// of freedom, run.
#include "platform/controls.h"
#include "run/distribution.h"

namespace forms {

class Program;

class frm_initial : public platform::Form {
public:
    explicit frm_initial(Program& program);

    platform::TextBox txt_datavalue{*this};
    platform::Label lbl_value{*this};
    platform::CommandButton cmd_run{*this, u"Run"};
    platform::TextBox txt_datadfnum{*this};
    platform::Label lbl_dfnum{*this};
    platform::CommandButton cmd_exit{*this, u"Exit"};
    platform::TextBox txt_datadfden{*this};
    platform::Label lbl_dfden{*this};
    platform::CommandButton cmd_about{*this, u"About..."};
    platform::TextBox Text1{*this};
    platform::CommandButton cmd_chi{*this, run::describe(run::DistributionId::chi_square).button};
    platform::CommandButton cmd_gauss{*this, run::describe(run::DistributionId::normal).button};
    platform::CommandButton cmd_t{*this, run::describe(run::DistributionId::t).button};
    platform::CommandButton cmd_f{*this, run::describe(run::DistributionId::f).button};
    platform::CommandButton cmd_power{*this, u"Power..."};

    void Form_Load();
    void txt_datavalue_KeyPress(char16_t& KeyAscii);
    void cmd_chi_Click();
    void cmd_gauss_Click();
    void cmd_t_Click();
    void cmd_f_Click();
    void cmd_run_Click();  // the window side of the Run command, in frm_initial_run.cpp
    void cmd_about_Click();
    void cmd_power_Click();
    void cmd_exit_Click();

    Program& program() { return program_; }

private:
    void select(run::DistributionId id);
    void create_controls();
    void wire_events();

    Program& program_;
};

}  // namespace forms
