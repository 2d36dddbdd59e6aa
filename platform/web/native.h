#pragma once
// What the web backend keeps behind each control: the number of its element
// in the page's glue; the element itself holds its text, its place and
// whether it is shown and enabled.
#include "platform/controls.h"

namespace platform {

struct Control::Native {
    Native(Control& owner, Form* form, int kind);
    ~Native();  // takes the element out of the page
    int id;
    Control& owner;
    Form* form;  // the window the control lies in (itself for a form)
    Control* last_focus = nullptr;  // a form's: where its keys went when last shown
};

}  // namespace platform
