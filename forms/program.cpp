#include "forms/program.h"

#include "forms/frm_initial.h"
#include "forms/frm_power.h"
#include "forms/frm_result.h"
#include "platform/controls.h"

namespace forms {

Program::Program() = default;
Program::~Program() = default;

frm_initial& Program::initial()
{
    if (!initial_) initial_ = std::make_unique<frm_initial>(*this);
    return *initial_;
}

frm_result& Program::result()
{
    if (!result_) result_ = std::make_unique<frm_result>(*this);
    return *result_;
}

frm_power& Program::power()
{
    if (!power_) power_ = std::make_unique<frm_power>(*this);
    return *power_;
}

void Program::end() { platform::end(); }

}  // namespace forms
