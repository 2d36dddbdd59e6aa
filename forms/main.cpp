#include "forms/frm_initial.h"
#include "forms/program.h"

int main(int argc, char** argv)
{
    platform::Application app(argc, argv);
    forms::Program program;
    program.initial().show();
    return app.run();
}
