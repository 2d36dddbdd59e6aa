#include <QApplication>

#include "forms/frm_initial.h"
#include "forms/program.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Only Exit or a window's close box ends the program; hiding the main
    // window for the result window must not.
    app.setQuitOnLastWindowClosed(false);

    forms::Program program;
    program.initial().show();
    return app.exec();
}
