// The window layer over the DOM: each window a fixed-size panel of the page,
// each control its own HTML element placed in CSS pixels (15 twips to one),
// the message box a modal <dialog>. The page (platform/web/page.html) holds
// the styles, the pictures and the icon; the glue below makes and drives the
// elements, and the DOM's events call back in through the varendo_* exports.
#include <emscripten.h>

#include <cstdlib>
#include <string>
#include <unordered_map>

#include "platform/backend.h"
#include "platform/guard.h"
#include "platform/shared.h"
#include "platform/web/native.h"

// ---- the glue ----------------------------------------------------------------
// Text crosses as UTF-8; what JavaScript returns it allocates with malloc.

EM_JS(void, js_init, (), {
    if (Module.varendo) return;
    const V = Module.varendo = {nodes: [], z: 1, queue: [], spacing: {}, clipboard: ""};
    V.root = document.getElementById('varendo') || document.body;
    V.text = (ptr) => UTF8ToString(ptr);
    V.out = (s) => {
        const n = lengthBytesUTF8(s) + 1, p = _malloc(n);
        stringToUTF8(s, p, n);
        return p;
    };
    // Whole-pixel advances, as the desktop's hinted Courier New steps 7 px a
    // character at 9 pt bold: the P-value line's blanks rely on it to stand
    // under the panels. Measured once a font.
    V.letterSpacing = (font) => {
        if (font in V.spacing) return V.spacing[font];
        const probe = document.createElement('span');
        probe.style.cssText = 'position:absolute;visibility:hidden;white-space:pre;font:' + font;
        probe.textContent = '0'.repeat(100);
        document.body.appendChild(probe);
        const advance = probe.getBoundingClientRect().width / 100;
        probe.remove();
        return V.spacing[font] = advance > 0 ? Math.round(advance) - advance : 0;
    };
    V.showNext = () => {
        if (V.dialog || !V.queue.length) return;
        const m = V.queue.shift();
        const d = document.createElement('dialog');
        d.className = 'message';
        d.setAttribute('aria-labelledby', 'message-title');
        d.setAttribute('aria-describedby', 'message-text');
        const title = document.createElement('div');
        title.className = 'caption';
        title.id = 'message-title';
        title.textContent = m.title;
        const body = document.createElement('div');
        body.className = 'body';
        if (m.warning) {
            const icon = document.createElement('div');
            icon.className = 'warning';
            icon.setAttribute('aria-hidden', 'true');
            icon.textContent = '!';
            body.appendChild(icon);
        }
        const text = document.createElement('p');
        text.id = 'message-text';
        text.textContent = m.prompt;
        body.appendChild(text);
        const form = document.createElement('form');
        form.method = 'dialog';
        const ok = document.createElement('button');
        ok.textContent = 'OK';
        form.appendChild(ok);
        d.append(title, body, form);
        document.body.appendChild(d);
        V.dialog = d;
        // Escape cancels the dialog, OK (Enter on it) submits: either closes it.
        d.addEventListener('close', () => {
            d.remove();
            V.dialog = null;
            if (m.back && m.back.isConnected) m.back.focus({preventScroll: true});
            V.showNext();
        });
        d.showModal();
        ok.focus();
    };
});

EM_JS(int, js_create, (int kind, int form), {
    const V = Module.varendo;
    const id = V.nodes.length;
    const tag = ['div', 'label', 'input', 'button', 'div'][kind];
    const el = document.createElement(tag);
    el.id = 'v' + id;
    if (kind === 0) {
        el.className = 'form';
        el.style.display = 'none';
        const lines = document.createElementNS('http://www.w3.org/2000/svg', 'svg');
        lines.setAttribute('class', 'lines');
        lines.setAttribute('aria-hidden', 'true');
        el.appendChild(lines);
        el.addEventListener('keydown', (e) => {
            // Tab goes round the window, as on the desktop, not out to the page.
            if (e.key === 'Tab' && !e.ctrlKey && !e.altKey && !e.metaKey) {
                const order = [...el.children].filter((c) => c.tabIndex > 0 && !c.disabled && c.offsetParent)
                                              .sort((a, b) => a.tabIndex - b.tabIndex);
                const at = order.indexOf(document.activeElement);
                const next = e.shiftKey ? (at <= 0 ? order.length - 1 : -1) : (at === order.length - 1 ? 0 : -1);
                if (order.length && next >= 0) {
                    e.preventDefault();
                    order[next].focus();
                }
                return;
            }
            if (!(e.ctrlKey || e.metaKey) || e.altKey || e.key.toLowerCase() !== 'c') return;
            // The window's copy, unless a box copies its selection (the browser's own copy).
            if (_varendo_copy_key(id)) e.preventDefault();
        });
        el.addEventListener('focusin', (e) => {
            const n = V.nodes.indexOf(e.target);
            if (n >= 0) _varendo_focus(id, n);
        });
        V.root.appendChild(el);
    } else {
        el.className = ["", 'label', 'box', 'button', 'picture'][kind];
        if (kind === 2) {
            el.type = 'text';
            el.autocomplete = 'off';
            el.spellcheck = false;
            // Each typed character passes the box's filter first; pasted text does not.
            el.addEventListener('beforeinput', (e) => {
                if (e.inputType !== 'insertText' || !e.data || e.data.length !== 1) return;
                const typed = e.data.charCodeAt(0);
                const code = _varendo_key(id, typed);
                if (code === typed) return;
                e.preventDefault();
                if (code <= 0) return;
                el.setRangeText(String.fromCharCode(code), el.selectionStart, el.selectionEnd, 'end');
                _varendo_change(id);
            });
            el.addEventListener('input', () => _varendo_change(id));
        } else if (kind === 3) {
            el.type = 'button';
            el.addEventListener('click', () => _varendo_click(id));
        } else if (kind === 4) {
            el.appendChild(document.createElement('img')).alt = "";
        }
        V.nodes[form].appendChild(el);
    }
    V.nodes[id] = el;
    return id;
});

EM_JS(void, js_remove, (int id), {
    const V = Module.varendo;
    if (V.nodes[id]) V.nodes[id].remove();
    V.nodes[id] = null;
});

EM_JS(void, js_place, (int id, int left, int top, int width, int height), {
    const s = Module.varendo.nodes[id].style;
    s.left = left + 'px';
    s.top = top + 'px';
    s.width = width + 'px';
    s.height = height + 'px';
});

EM_JS(void, js_size, (int id, int width, int height), {
    const el = Module.varendo.nodes[id];
    el.style.width = width + 'px';
    el.style.height = height + 'px';
    el.firstChild.setAttribute('width', width);
    el.firstChild.setAttribute('height', height);
    el.firstChild.setAttribute('viewBox', '0 0 ' + width + ' ' + height);
});

EM_JS(void, js_font, (int id, const char* face, double points, int bold), {
    const V = Module.varendo;
    const el = V.nodes[id];
    // The metric-compatible faces where Courier New itself is missing.
    const font = (bold ? 'bold ' : "") + points + 'pt "' + V.text(face) +
                 '", "Liberation Mono", Cousine, "Nimbus Mono PS", Courier, monospace';
    el.style.font = font;
    el.style.letterSpacing = V.letterSpacing(font) + 'px';
});

EM_JS(void, js_show, (int id, int shown), {
    Module.varendo.nodes[id].style.display = shown ? "" : 'none';
});

// Shown itself, and in a shown window.
EM_JS(int, js_is_shown, (int id), {
    const el = Module.varendo.nodes[id];
    const form = el.closest('.form');
    return el.style.display !== 'none' && form.style.display !== 'none';
});

EM_JS(int, js_is_enabled, (int id), { return !Module.varendo.nodes[id].classList.contains('disabled'); });

EM_JS(void, js_enable, (int id, int enabled), {
    const el = Module.varendo.nodes[id];
    if ('disabled' in el) el.disabled = !enabled;
    el.classList.toggle('disabled', !enabled);
});

EM_JS(void, js_focus, (int id), { Module.varendo.nodes[id].focus({preventScroll: true}); });
EM_JS(int, js_is_focused, (int id), { return document.activeElement === Module.varendo.nodes[id]; });
EM_JS(void, js_raise, (int id), { Module.varendo.nodes[id].style.zIndex = ++Module.varendo.z; });

EM_JS(void, js_tab_index, (int id, int index), { Module.varendo.nodes[id].tabIndex = index; });

EM_JS(void, js_line, (int form, int x1, int y1, int x2, int y2, const char* colour), {
    const svg = Module.varendo.nodes[form].firstChild;
    if (x2 < 0) x2 = +svg.getAttribute('width') - 1;  // to the panel's right edge
    const line = document.createElementNS('http://www.w3.org/2000/svg', 'line');
    // Through the pixels' centres, ends included, as the desktop's pen draws.
    line.setAttribute('x1', x1 + 0.5);
    line.setAttribute('y1', y1 + 0.5);
    line.setAttribute('x2', x2 + 0.5);
    line.setAttribute('y2', y2 + 0.5);
    line.setAttribute('stroke', Module.varendo.text(colour));
    svg.appendChild(line);
});

EM_JS(void, js_set_text, (int id, const char* text), {
    const el = Module.varendo.nodes[id];
    if (el.tagName === 'INPUT') el.value = Module.varendo.text(text);
    else el.textContent = Module.varendo.text(text);
});

// A box's text, or a label's or a button's caption.
EM_JS(char*, js_text, (int id), {
    const el = Module.varendo.nodes[id];
    return Module.varendo.out(el.tagName === 'INPUT' ? el.value : el.textContent);
});

EM_JS(int, js_has_selection, (int id), {
    const el = Module.varendo.nodes[id];
    return el.selectionStart !== el.selectionEnd;
});

EM_JS(void, js_align, (int id, int align), {
    Module.varendo.nodes[id].style.textAlign = ['left', 'center', 'right'][align];
});

EM_JS(void, js_class, (int id, const char* name), { Module.varendo.nodes[id].classList.add(Module.varendo.text(name)); });

EM_JS(void, js_buddy, (int label, int box), { Module.varendo.nodes[label].htmlFor = 'v' + box; });

// 1 where the page holds the picture, 0 where it does not.
EM_JS(int, js_picture, (int id, int number), {
    const all = globalThis.varendoPictures || {};
    if (!(number in all)) return 0;
    Module.varendo.nodes[id].firstChild.src = all[number];
    return 1;
});

EM_JS(void, js_message, (const char* prompt, const char* title, int warning), {
    const V = Module.varendo;
    V.queue.push({prompt: V.text(prompt), title: V.text(title), warning: !!warning, back: document.activeElement});
    V.showNext();
});

EM_JS(void, js_clipboard, (const char* text), {
    const V = Module.varendo;
    const s = V.text(text);
    V.clipboard = s;
    // The Clipboard API, or where it is refused (no secure context, no
    // focus) the older copy command on a hidden text area.
    const fallback = () => {
        const area = document.createElement('textarea');
        area.value = s;
        area.setAttribute('readonly', "");
        area.style.cssText = 'position:fixed;left:-1000px;top:0';
        const back = document.activeElement;
        document.body.appendChild(area);
        area.select();
        try { document.execCommand('copy'); } catch (e) {}
        area.remove();
        if (back) back.focus({preventScroll: true});
    };
    if (navigator.clipboard && navigator.clipboard.writeText) navigator.clipboard.writeText(s).catch(fallback);
    else fallback();
});

EM_JS(char*, js_clipboard_text, (), { return Module.varendo.out(Module.varendo.clipboard); });

EM_JS(int, js_decimal_separator, (), {
    try {
        const parts = new Intl.NumberFormat(navigator.language).formatToParts(1.5);
        const d = parts.find((p) => p.type === 'decimal');
        return d ? d.value.charCodeAt(0) : 46;
    } catch (e) {
        return 46;
    }
});

// A page cannot end itself: it closes where the browser lets a script close
// it, and otherwise says that Varendo has ended, with a way to start again.
EM_JS(void, js_end, (), {
    const V = Module.varendo;
    V.queue = [];
    if (V.dialog) V.dialog.close();
    for (const el of V.nodes) if (el && el.className === 'form') el.style.display = 'none';
    window.close();
    if (document.getElementById('ended')) return;
    const ended = document.createElement('div');
    ended.id = 'ended';
    ended.setAttribute('role', 'status');
    const words = document.createElement('p');
    words.textContent = 'Varendo has ended.';
    const again = document.createElement('button');
    again.type = 'button';
    again.textContent = 'Start again';
    again.addEventListener('click', () => location.reload());
    ended.append(words, again);
    V.root.appendChild(ended);
    again.focus();
});

// ---- the layer -------------------------------------------------------------

namespace platform {

namespace {

enum Kind { form_kind, label_kind, box_kind, button_kind, picture_kind };

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

CommandButton::CommandButton(Form& parent, const Text& caption)
    : Control(std::make_unique<Native>(*this, &parent, button_kind))
{
    js_set_text(native_->id, to_utf8(caption).c_str());
}

Text CommandButton::caption() const { return take(js_text(native_->id)); }
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

void backend::end_program() { js_end(); }

// The last text put on the clipboard: a page may write the clipboard at any
// time but read it only when the user allows, and never at once.
void set_clipboard_text(Form&, const Text& text) { js_clipboard(to_utf8(text).c_str()); }
Text clipboard_text() { return take(js_clipboard_text()); }

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
