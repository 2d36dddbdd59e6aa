#pragma once
// The window layer the handlers call: top-level windows and their controls
// laid out in twips, in plain C++ types. Each backend (platform/qt,
// platform/win32, platform/web) defines these members over its toolkit:
// standard child controls, a bitmap loaded by resource number, a drawing
// painted at the device's resolution, a modal message box.
#include <functional>
#include <memory>
#include <vector>

#include "platform/drawing.h"
#include "platform/text.h"

namespace platform {

// A rectangle of a window's client area, in twips (15 to a pixel at 96 dpi).
struct Rect {
    int left, top, width, height;
};

struct Font {
    Text face;
    double points;
    bool bold;
};

// "Courier New" at the size and weight given, as every control uses it.
Font courier(double points, bool bold);

class Form;

// What every control shares. The backend keeps its own object behind it.
class Control {
public:
    struct Native;  // defined by the backend
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    void place(Rect twips);
    void set_font(const Font& font);
    void set_visible(bool visible);
    void show() { set_visible(true); }
    void hide() { set_visible(false); }
    bool visible() const;
    void set_enabled(bool enabled);
    bool enabled() const;
    void set_focus();
    bool has_focus() const;  // keys typed into its shown window go to it
    void raise();  // above the controls it overlaps

    Native& native() const { return *native_; }

protected:
    explicit Control(std::unique_ptr<Native> native);
    std::unique_ptr<Native> native_;
};

// A top-level window: caption "Varendo", the program icon, fixed client area,
// the window grey, the program's straight lines drawn beneath its controls,
// centred on the screen when created. Closing it through its frame runs
// on_close instead. As it shows, the focus goes to the first control in tab
// order that can take it, unless it lies on a usable control already.
class Form : public Control {
public:
    Form(int width_twips, int height_twips);

    void add_line(int x1, int y1, int x2, int y2);  // twips
    void add_rule(int y);  // an etched rule across the window, as above a status area; twips
    void set_tab_order(const std::vector<Control*>& order);
    const std::vector<Control*>& tab_order() const { return tab_order_; }
    Control* focused() const;  // the control in tab order with the keyboard focus, or none
    void focus_first();        // the rule above; the backends call it as the window shows

    std::function<void()> on_close;
    std::function<void()> on_copy;  // Ctrl+C in the window, where no box copies a selection

    // Ctrl+C as every backend takes it: a box holding the focus and selected
    // text copies its selection, as every text box does; anywhere else the
    // window's on_copy runs. Says whether the window took the key.
    bool copy_key();

private:
    void apply_tab_order();  // the backend's share of set_tab_order
    std::vector<Control*> tab_order_;
};

// Plain text, never markup; a caption's "\n" starts a new line.
class Label : public Control {
public:
    explicit Label(Form& parent);
    Text caption() const;
    void set_caption(const Text& caption);
    void set_align(Align align);
    // The box this label names, for screen readers.
    void set_buddy(class TextBox& box);
};

// A single-line box. on_key_press sees every typed character before it goes
// in and may replace it (0 drops it). Pasted text does not pass it.
class TextBox : public Control {
public:
    explicit TextBox(Form& parent);
    Text text() const;
    void set_text(const Text& text);
    void set_align(Align align);
    // A borderless box on the window grey: a caption that still takes the focus.
    void set_plain();
    bool has_selection() const;  // some of its text is selected
    // What a screen reader calls a box that no label names.
    void set_accessible_name(const Text& name);

    std::function<void(char16_t& code)> on_key_press;
    std::function<void()> on_change;  // after each change of the text, typed, pasted or set
};

class CommandButton : public Control {
public:
    CommandButton(Form& parent, const Text& caption);
    Text caption() const;
    void click();  // as the user's click: runs on_click
    // A button that stands for a choice shows whether it is the one chosen,
    // on screen and to a screen reader (checked, or pressed); a click leaves
    // that to its handler.
    void set_pressed(bool pressed);
    bool pressed() const;
    std::function<void()> on_click;
};

// Shows a bitmap resource at natural size in its top-left corner; on a
// high-density screen its pixels grow as blocks, never smoothed.
class PictureBox : public Control {
public:
    explicit PictureBox(Form& parent);
    void set_picture(int resource_number);
    int picture_number() const { return number_; }
    void set_description(const Text& words);  // what a screen reader says of the picture

private:
    int number_ = 0;
};

// Paints a drawing (drawing.h) at the device's own resolution, sharp at any
// scale, never a bitmap grown. A screen reader reads it as one picture named
// by the drawing's words. It takes no keys.
class DrawingBox : public Control {
public:
    explicit DrawingBox(Form& parent);
    void set_drawing(Drawing drawing);
    const Drawing& drawing() const { return drawing_; }

private:
    Drawing drawing_;
};

// A modal box with one OK button; lines of the prompt are separated by CR LF.
// The handlers' callbacks run guarded (platform/guard.h): whatever one
// throws is shown in such a box, and the program goes on.
enum class BoxIcon { none, warning };
void message_box(Form* parent, const Text& prompt, const Text& title, BoxIcon icon = BoxIcon::none);

// The system clipboard's plain text: what Copy puts there, the window that
// copies owning it, and reads back. A clipboard that refuses raises the fault.
void set_clipboard_text(Form& owner, const Text& text);
Text clipboard_text();

// A drawing on the clipboard as an image `scale` times its size: PNG on
// Linux and in a browser, a device-independent bitmap on Windows.
void set_clipboard_picture(Form& owner, const Drawing& drawing, double scale);

// The decimal separator of the user's regional settings.
char16_t decimal_separator();

// How large every window is drawn, from 1 (100 %) to 3: its client area,
// controls, fonts and lines grow by it, a picture's pixels as the device
// grows them, a drawing painted anew at the size. Ctrl+plus, Ctrl+minus and
// Ctrl+0 in any window step it through zoom_steps (shared by the backends);
// a browser's page keeps the browser's own zoom, and there it stays 1.
double zoom();
void set_zoom(double factor);
// (No 175 %: there 9-point Courier New steps 13 pixels a character, more
// than 175 % of 7, and the P-value line would outgrow its label.)
inline constexpr double zoom_steps[] = {1, 1.25, 1.5, 2, 2.5, 3};
// The step after `current` in a direction: +1 larger, -1 smaller, 0 back to 1.
double next_zoom(double current, int direction);

// Ends the program at once. Tests put their own handler in its place; an
// empty one restores the real end.
void end();
void set_end_handler(std::function<void()> handler);

// The toolkit's hold on the process: made first thing in main, before any
// window; run() handles events until end().
class Application {
public:
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    int run();

private:
    struct Native;
    std::unique_ptr<Native> native_;
};

}  // namespace platform
