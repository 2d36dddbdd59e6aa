#pragma once
// What the Win32 backend keeps behind each control: its window handle, and
// for a top-level window what its window procedure needs. Tests reach the
// handles through hwnd() to drive the controls with window messages.
#include <windows.h>

#include <optional>
#include <vector>

#include "platform/controls.h"

namespace platform {

struct Control::Native {
    HWND hwnd = nullptr;
    Form* form = nullptr;     // the window the control lies in (itself for a form)
    Rect twips{0, 0, 0, 0};   // where the layout put it, to place it anew when the DPI changes
    std::optional<Font> font;  // kept to make the font anew when the DPI changes
    HFONT hfont = nullptr;
    bool grey = false;        // painted on the window grey (labels, the plain box)
    HWND name_label = nullptr;  // a box's label of no size that names it, where no label does
    // A form's own:
    std::vector<Control*> children;
    std::vector<RECT> lines;  // twips
    std::vector<int> rules;   // twips from the top
    int width_twips = 0, height_twips = 0;
    double zoom = 1;  // the zoom, or the largest step below it at which the window fits its monitor
    ~Native();
};

namespace win32 {

inline HWND hwnd(const Control& control) { return control.native().hwnd; }

// The window's dots per inch, as the system scales it (the layout grows it
// further by the zoom).
int dpi_of(HWND hwnd);

}  // namespace win32
}  // namespace platform
