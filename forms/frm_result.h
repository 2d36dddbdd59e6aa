#pragma once
// The result window: the picture of the chosen distribution and the P-value line.
#include "platform/controls.h"

namespace forms {

class Program;

class frm_result : public platform::Form {
public:
    explicit frm_result(Program& program);

    platform::PictureBox pic_geral{*this};
    platform::Label lbl_graph{*this};
    platform::CommandButton cmd_back{*this, u"Back"};
    platform::CommandButton cmd_exit{*this, u"Exit"};

    void cmd_back_Click();
    void cmd_exit_Click();

private:
    void create_controls();
    void wire_events();

    Program& program_;
};

}  // namespace forms
