#pragma once
// What the web backend keeps behind each control: the number of its element
// in the page's glue, and what the DOM cannot be asked for at once.
#include "platform/controls.h"

namespace platform {

struct Control::Native {
    Native(Control& owner, Form* form, int kind);
    ~Native();  // takes the element out of the page
    int id;
    Control& owner;
    Form* form;          // the window the control lies in (itself for a form)
    bool shown = true;   // its own flag; a control is seen when its window is too
    bool enabled = true;
    Text caption;        // a label's or a button's, as last set
    Control* last_focus = nullptr;  // a form's: where its keys went when last shown
};

}  // namespace platform
