// The window layer over the DOM: each window a fixed-size panel of the page,
// each control its own HTML element placed in CSS pixels (15 twips to one),
// a drawing as inline SVG, the message box a modal <dialog>. The page
// (platform/web/page.html) holds the styles, the pictures and the icon; the
// glue (platform/web/glue.js) makes and drives the elements, and the DOM's
// events call back in through the varendo_* exports.
#include <emscripten.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <unordered_map>

#include "platform/backend.h"
#include "platform/guard.h"
#include "platform/shared.h"
#include "platform/web/native.h"

// ---- the glue (glue.js) -----------------------------------------------------
// Text crosses as UTF-8; what JavaScript returns it allocates with malloc.

extern "C" {
void js_init();
int js_create(int kind, int form);
void js_remove(int id);
void js_place(int id, int left, int top, int width, int height);
void js_size(int id, int width, int height);
void js_font(int id, const char* face, double points, int bold);
void js_show(int id, int shown);
int js_is_shown(int id);
int js_is_enabled(int id);
void js_enable(int id, int enabled);
void js_focus(int id);
void js_pressed(int id, int pressed);
int js_is_pressed(int id);
int js_is_focused(int id);
void js_raise(int id);
void js_tab_index(int id, int index);
void js_line(int form, int x1, int y1, int x2, int y2, const char* colour);
void js_set_text(int id, const char* text);
char* js_text(int id);
int js_has_selection(int id);
void js_align(int id, int align);
void js_class(int id, const char* name);
void js_buddy(int label, int box);
int js_picture(int id, int number);
void js_describe(int id, const char* words);
void js_name(int id, const char* name);
void js_drawing(int id, const char* json);
void js_message(const char* prompt, const char* title, int warning);
void js_clipboard(const char* text);
char* js_clipboard_text();
void js_clipboard_picture(const char* json, double scale);
int js_decimal_separator();
void js_end();
}

// ---- the layer -------------------------------------------------------------

namespace platform {

namespace {

enum Kind { form_kind, label_kind, box_kind, button_kind, picture_kind, drawing_kind };

std::unordered_map<int, Control*>& controls()
{
    static std::unordered_map<int, Control*> all;
    return all;
}

// The control an event names, if it still exists.
template <class C>
C* find(int id)
{
    const auto it = controls().find(id);
    return it == controls().end() ? nullptr : dynamic_cast<C*>(it->second);
}

// 15 twips make one CSS pixel, rounded as on the desktop.
constexpr int px(int t) { return (t + 7) / 15; }

std::string css(shared::Rgb c)
{
    return "rgb(" + std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue) + ")";
}

Text take(char* text)
{
    Text out = from_utf8(text ? text : "");
    std::free(text);
    return out;
}

// A drawing as JSON for the glue: coordinates to a hundredth of a pixel,
// written by hand so that no locale reaches them.
std::string number(double value)
{
    const long long hundredths = std::llround(value * 100);
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, hundredths < 0 ? -hundredths : hundredths).ptr;
    std::string whole(digits, end);
    if (whole.size() < 3) whole.insert(0, 3 - whole.size(), '0');
    return (hundredths < 0 ? "-" : "") + whole.substr(0, whole.size() - 2) + "." + whole.substr(whole.size() - 2);
}

std::string quoted(const Text& text)
{
    std::string out = "\"";
    for (char c : to_utf8(text)) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[(c >> 4) & 0xF];
            out += hex[c & 0xF];
            continue;
        }
        out += c;
    }
    return out + "\"";
}

std::string colour(Colour c)
{
    return "[" + std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue) + "]";
}

std::string json(const Drawing& d)
{
    std::string out = "{\"width\":" + number(d.width) + ",\"height\":" + number(d.height) +
                      ",\"background\":" + colour(d.background) + ",\"words\":" + quoted(d.words) + ",\"shapes\":[";
    const char* kinds[] = {"polygon", "line", "text"};
    const char* aligns[] = {"left", "center", "right"};
    for (size_t k = 0; k < d.shapes.size(); ++k) {
        const Shape& s = d.shapes[k];
        out += std::string(k ? "," : "") + "{\"kind\":\"" + kinds[int(s.kind)] + "\",\"colour\":" + colour(s.colour) +
               ",\"points\":[";
        for (size_t p = 0; p < s.points.size(); ++p)
            out += std::string(p ? "," : "") + "[" + number(s.points[p].x) + "," + number(s.points[p].y) + "]";
        out += "],\"width\":" + number(s.width) + ",\"dashed\":" + (s.dashed ? "true" : "false") +
               ",\"text\":" + quoted(s.text) + ",\"align\":\"" + aligns[int(s.align)] + "\",\"size\":" + number(s.size) +
               ",\"bold\":" + (s.bold ? "true" : "false") + "}";
    }
    return out + "]}";
}

}  // namespace

Control::Native::Native(Control& o, Form* f, int kind) : owner(o), form(f)
{
    js_init();
    id = js_create(kind, f && kind != form_kind ? f->native().id : -1);
    controls()[id] = &owner;
}

Control::Native::~Native()
{
    controls().erase(id);
    js_remove(id);
}

// ---- every control ---------------------------------------------------------

Control::Control(std::unique_ptr<Native> native) : native_(std::move(native)) {}
Control::~Control() = default;

void Control::place(Rect r) { js_place(native_->id, px(r.left), px(r.top), px(r.width), px(r.height)); }

void Control::set_font(const Font& f) { js_font(native_->id, to_utf8(f.face).c_str(), f.points, f.bold); }

void Control::set_visible(bool visible)
{
    const bool was = this->visible();
    js_show(native_->id, visible);
    Form* form = dynamic_cast<Form*>(this);
    if (!form || was || !visible) return;
    // As a desktop window shows: its focus back where it was, else the first control.
    guarded(form, [form] {
        if (Control* last = form->native().last_focus; last && last->visible() && last->enabled())
            js_focus(last->native().id);
        form->focus_first();
    });
}

bool Control::visible() const { return js_is_shown(native_->id); }
void Control::set_enabled(bool enabled) { js_enable(native_->id, enabled); }
bool Control::enabled() const { return js_is_enabled(native_->id); }
void Control::set_focus()
{
    if (native_->form) native_->form->native().last_focus = this;
    if (visible()) js_focus(native_->id);
}
// Where keys typed into its window go: the page's focus while the window
// shows, the focus it will get back while it is hidden.
bool Control::has_focus() const
{
    if (!native_->form) return false;
    if (native_->form->visible()) return js_is_focused(native_->id);
    return native_->form->native().last_focus == this;
}
void Control::raise() { js_raise(native_->id); }

// ---- windows ---------------------------------------------------------------

Form::Form(int width_twips, int height_twips) : Control(std::make_unique<Native>(*this, this, form_kind))
{
    js_size(native_->id, px(width_twips), px(height_twips));
}

void Form::add_line(int x1, int y1, int x2, int y2)
{
    js_line(native_->id, px(x1), px(y1), px(x2), px(y2), "currentColor");
}

void Form::add_rule(int y)
{
    js_line(native_->id, 0, px(y), -1, px(y), css(shared::rule_shadow).c_str());
    js_line(native_->id, 0, px(y) + 1, -1, px(y) + 1, css(shared::rule_light).c_str());
}

// Tab goes through the window's controls in this order, and to nothing else
// of it; hidden panels take no focus at all.
void Form::apply_tab_order()
{
    int index = 1;
    for (Control* c : tab_order()) js_tab_index(c->native().id, index++);
}

// ---- controls ----------------------------------------------------------------

Label::Label(Form& parent) : Control(std::make_unique<Native>(*this, &parent, label_kind)) {}

Text Label::caption() const { return take(js_text(native_->id)); }
void Label::set_caption(const Text& caption) { js_set_text(native_->id, to_utf8(caption).c_str()); }
void Label::set_align(Align align) { js_align(native_->id, int(align)); }
void Label::set_buddy(TextBox& box) { js_buddy(native_->id, box.native().id); }

TextBox::TextBox(Form& parent) : Control(std::make_unique<Native>(*this, &parent, box_kind)) {}

Text TextBox::text() const { return take(js_text(native_->id)); }
void TextBox::set_text(const Text& text)
{
    if (text == this->text()) return;  // no change, no event, as on the desktop
    js_set_text(native_->id, to_utf8(text).c_str());
    guarded(native_->form, [this] {
        if (on_change) on_change();
    });
}
void TextBox::set_align(Align align) { js_align(native_->id, int(align)); }
void TextBox::set_plain() { js_class(native_->id, "plain"); }
bool TextBox::has_selection() const { return js_has_selection(native_->id); }
void TextBox::set_accessible_name(const Text& name) { js_name(native_->id, to_utf8(name).c_str()); }

CommandButton::CommandButton(Form& parent, const Text& caption)
    : Control(std::make_unique<Native>(*this, &parent, button_kind))
{
    js_set_text(native_->id, to_utf8(caption).c_str());
}

Text CommandButton::caption() const { return take(js_text(native_->id)); }
void CommandButton::set_pressed(bool pressed) { js_pressed(native_->id, pressed); }
bool CommandButton::pressed() const { return js_is_pressed(native_->id); }
void CommandButton::click()
{
    if (!enabled()) return;
    guarded(native_->form, [this] {
        if (on_click) on_click();
    });
}

PictureBox::PictureBox(Form& parent) : Control(std::make_unique<Native>(*this, &parent, picture_kind)) {}

void PictureBox::set_picture(int resource_number)
{
    if (!js_picture(native_->id, resource_number)) throw shared::MissingPicture(resource_number);
    number_ = resource_number;
}

void PictureBox::set_description(const Text& words) { js_describe(native_->id, to_utf8(words).c_str()); }

DrawingBox::DrawingBox(Form& parent) : Control(std::make_unique<Native>(*this, &parent, drawing_kind)) {}

void DrawingBox::set_drawing(Drawing drawing)
{
    drawing_ = std::move(drawing);
    js_drawing(native_->id, json(drawing_).c_str());
}

// ---- services ----------------------------------------------------------------

// Shown at once, closed later: the page cannot wait for OK as a desktop box
// does. Every caller shows its box last, so nothing runs before OK that would
// have run after it.
void message_box(Form*, const Text& prompt, const Text& title, BoxIcon icon)
{
    Text lines;
    for (char16_t c : prompt)
        if (c != u'\r') lines += c;
    js_message(to_utf8(lines).c_str(), to_utf8(title).c_str(), icon == BoxIcon::warning);
}

char16_t decimal_separator() { return char16_t(js_decimal_separator()); }

// The page grows with the browser's own zoom (Ctrl+plus there as
// everywhere), never with a second one of ours.
double zoom() { return 1; }
void set_zoom(double) {}

void backend::end_program() { js_end(); }

// The last text put on the clipboard: a page may write the clipboard at any
// time but read it only when the user allows, and never at once.
void set_clipboard_text(Form&, const Text& text) { js_clipboard(to_utf8(text).c_str()); }
Text clipboard_text() { return take(js_clipboard_text()); }
void set_clipboard_picture(Form&, const Drawing& drawing, double scale)
{
    js_clipboard_picture(json(drawing).c_str(), scale);
}

struct Application::Native {};

Application::Application(int&, char**) : native_(std::make_unique<Native>()) { js_init(); }
Application::~Application() = default;

// The DOM's events drive the program from here on. Leaving main with the
// runtime alive keeps main's windows where they are: the stack is not
// unwound, so nothing of main is destroyed while the page calls in.
int Application::run()
{
    emscripten_exit_with_live_runtime();
    return 0;
}

}  // namespace platform

// ---- the DOM calls in ------------------------------------------------------

using platform::guarded;

extern "C" {

EMSCRIPTEN_KEEPALIVE void varendo_click(int id)
{
    if (auto* button = platform::find<platform::CommandButton>(id)) button->click();
}

// The code to insert for a typed one: itself, another, or 0 to drop it.
EMSCRIPTEN_KEEPALIVE int varendo_key(int id, int typed)
{
    auto* box = platform::find<platform::TextBox>(id);
    if (!box || !box->on_key_press) return typed;
    char16_t code = char16_t(typed);
    // A filter that failed lets nothing in.
    if (!guarded(box->native().form, [&] { box->on_key_press(code); })) return 0;
    return code;
}

EMSCRIPTEN_KEEPALIVE void varendo_change(int id)
{
    auto* box = platform::find<platform::TextBox>(id);
    if (box && box->on_change) guarded(box->native().form, [box] { box->on_change(); });
}

// Whether the window took Ctrl+C for its own copy.
EMSCRIPTEN_KEEPALIVE int varendo_copy_key(int id)
{
    auto* form = platform::find<platform::Form>(id);
    return form && form->copy_key();
}

EMSCRIPTEN_KEEPALIVE void varendo_focus(int form_id, int id)
{
    auto* form = platform::find<platform::Form>(form_id);
    auto* control = platform::find<platform::Control>(id);
    if (form && control) form->native().last_focus = control;
}

}  // extern "C"
