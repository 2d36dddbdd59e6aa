#include "forms/frm_result.h"

#include "forms/frm_initial.h"
#include "forms/program.h"

namespace forms {

frm_result::frm_result(Program& program) : platform::Form(6225, 3150), program_(program)
{
    create_controls();
    wire_events();
}

void frm_result::create_controls()
{
    pic_geral.setGeometry(platform::twips_rect(240, 360, 5655, 1335));
    lbl_graph.setGeometry(platform::twips_rect(0, 1800, 5655, 375));
    cmd_back.setGeometry(platform::twips_rect(5040, 2160, 975, 375));
    cmd_exit.setGeometry(platform::twips_rect(5040, 2640, 975, 375));

    lbl_graph.setFont(platform::courier(9, true));
    lbl_graph.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    cmd_back.setFont(platform::courier(8.25, true));
    cmd_exit.setFont(platform::courier(8.25, true));

    // The label reaches one pixel into Back; the button lies above it there.
    cmd_back.raise();
    cmd_exit.raise();

    set_tab_order({&cmd_back, &cmd_exit});
}

void frm_result::wire_events()
{
    connect(&cmd_back, &QPushButton::clicked, this, &frm_result::cmd_back_Click);
    connect(&cmd_exit, &QPushButton::clicked, this, &frm_result::cmd_exit_Click);
    on_close = [this] { program_.end(); };
}

void frm_result::cmd_back_Click()
{
    frm_initial& initial = program_.initial();
    initial.show();
    hide();
    initial.txt_datavalue.setText(QString());
    initial.txt_datadfnum.setText(QString());
    initial.txt_datadfden.setText(QString());
    lbl_graph.set_caption(QString());
    initial.txt_datavalue.setFocus();
}

void frm_result::cmd_exit_Click() { program_.end(); }

}  // namespace forms
