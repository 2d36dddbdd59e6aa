// The window layer over Win32: standard BUTTON, EDIT and STATIC child
// controls, bitmaps and the icon from the executable's resources by number,
// drawings painted by GDI+, MessageBoxW, laid out in twips at the window's
// real DPI.
#include <windows.h>

#include <commctrl.h>
#include <gdiplus.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <stdexcept>
#include <string>

#include "platform/backend.h"
#include "platform/guard.h"
#include "platform/shared.h"
#include "platform/win32/native.h"

namespace platform {

namespace {

const wchar_t form_class[] = L"VarendoForm";
const wchar_t picture_class[] = L"VarendoPicture";
const wchar_t drawing_class[] = L"VarendoDrawing";
const COLORREF window_grey = RGB(shared::window_grey.red, shared::window_grey.green, shared::window_grey.blue);

HINSTANCE instance() { return GetModuleHandleW(nullptr); }

const wchar_t* wide(const Text& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

Text text_of(HWND hwnd)
{
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring buffer(size_t(length) + 1, L'\0');
    GetWindowTextW(hwnd, buffer.data(), length + 1);
    buffer.resize(size_t(length));
    return Text(buffer.begin(), buffer.end());
}

HBRUSH grey_brush()
{
    static const HBRUSH brush = CreateSolidBrush(window_grey);
    return brush;
}

double current_zoom = 1;

// 1440 twips make an inch; rounded as 15 twips to a pixel at 96 dpi.
int px(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

// One of ours, whose user data is its Form; a message box's is not.
bool is_form(HWND hwnd);
Control* control_of(HWND hwnd);

// The zoom a window is laid out at: its form's, which fits its monitor.
double zoom_of(HWND hwnd)
{
    const HWND root = GetAncestor(hwnd, GA_ROOT);
    if (root && is_form(root))
        if (const Control* form = control_of(root)) return form->native().zoom;
    return current_zoom;
}

// The dots per inch the layout uses: the window's, grown by its zoom.
int layout_dpi(HWND hwnd) { return int(std::lround(win32::dpi_of(hwnd) * zoom_of(hwnd))); }

// Every window of the program, to lay them out anew when the zoom changes.
std::vector<Form*>& all_forms()
{
    static std::vector<Form*> all;
    return all;
}

// A STATIC's or an EDIT's alignment is one of three style bits.
void set_alignment_style(HWND hwnd, Align align, LONG_PTR left, LONG_PTR center, LONG_PTR right)
{
    LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE) & ~(left | center | right);
    style |= align == Align::left ? left : align == Align::center ? center : right;
    SetWindowLongPtrW(hwnd, GWL_STYLE, style);
    InvalidateRect(hwnd, nullptr, TRUE);
}

Control* control_of(HWND hwnd) { return reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

// Windows' texts end their lines with CR LF, the layer's with LF alone.
Text with_crlf(const Text& text)
{
    Text out;
    for (char16_t c : text) {
        if (c == u'\n') out += u'\r';
        out += c;
    }
    return out;
}

Text without_cr(Text text)
{
    std::erase(text, u'\r');
    return text;
}

bool is_form(HWND hwnd)
{
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    return std::wcscmp(name, form_class) == 0;
}

void apply_font(Control::Native& n, int dpi)
{
    if (!n.font) return;
    if (n.hfont) DeleteObject(n.hfont);
    const int height = -MulDiv(int(n.font->points * 100 + 0.5), dpi, 7200);
    n.hfont = CreateFontW(height, 0, 0, 0, n.font->bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                          wide(n.font->face));
    SendMessageW(n.hwnd, WM_SETFONT, WPARAM(n.hfont), TRUE);
}

void apply_place(Control::Native& n, int dpi)
{
    SetWindowPos(n.hwnd, nullptr, px(n.twips.left, dpi), px(n.twips.top, dpi), px(n.twips.width, dpi),
                 px(n.twips.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

// The outer size that gives the form its client area at this DPI.
SIZE outer_size(const Control::Native& n, int dpi)
{
    RECT r{0, 0, px(n.width_twips, dpi), px(n.height_twips, dpi)};
    const DWORD style = DWORD(GetWindowLongPtrW(n.hwnd, GWL_STYLE));
    const DWORD ex = DWORD(GetWindowLongPtrW(n.hwnd, GWL_EXSTYLE));
    AdjustWindowRectEx(&r, style, FALSE, ex);
    return {r.right - r.left, r.bottom - r.top};
}

// The zoom, or the largest step below it at which the window, frame and
// all, fits the work area of its monitor at the system's `dpi`; at 100 % it
// stays as it is.
double fitted_zoom(const Control::Native& n, int dpi)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    const HMONITOR on = MonitorFromWindow(n.hwnd, MONITOR_DEFAULTTONEAREST);
    const bool known = on && GetMonitorInfoW(on, &monitor);
    double fitted = 1;
    for (const double step : zoom_steps) {
        if (step > current_zoom) break;
        const SIZE size = outer_size(n, int(std::lround(dpi * step)));
        const RECT& work = monitor.rcWork;
        if (step > 1 && known && (size.cx > work.right - work.left || size.cy > work.bottom - work.top)) break;
        fitted = step;
    }
    return fitted;
}

LRESULT form_message(Form* form, HWND hwnd, UINT message, WPARAM w, LPARAM l)
{
    Control::Native& n = form->native();
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(w) == BN_CLICKED && l) {
            if (auto* button = dynamic_cast<CommandButton*>(control_of(HWND(l))))
                if (button->on_click) button->on_click();
            return 0;
        }
        if (HIWORD(w) == EN_CHANGE && l) {
            if (auto* box = dynamic_cast<TextBox*>(control_of(HWND(l))))
                if (box->on_change) box->on_change();
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
        // Labels and the plain box lie on the window grey; other boxes stay white.
        const Control* c = control_of(HWND(l));
        if (message == WM_CTLCOLORSTATIC || (c && c->native().grey)) {
            SetBkColor(HDC(w), window_grey);
            return LRESULT(grey_brush());
        }
        break;
    }
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(HDC(w), &r, grey_brush());
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        const int dpi = layout_dpi(hwnd);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        for (const RECT& line : n.lines) {
            // The end point itself is drawn, as a line shape draws it.
            const int x1 = px(line.left, dpi), y1 = px(line.top, dpi), x2 = px(line.right, dpi), y2 = px(line.bottom, dpi);
            MoveToEx(dc, x1, y1, nullptr);
            LineTo(dc, x2, y2);
            SetPixel(dc, x2, y2, RGB(0, 0, 0));
        }
        RECT client;
        GetClientRect(hwnd, &client);
        for (int rule : n.rules) {
            const int y = px(rule, dpi);
            const shared::Rgb shades[] = {shared::rule_shadow, shared::rule_light};
            for (int k = 0; k < 2; ++k) {
                RECT line{0, y + k, client.right, y + k + 1};
                HBRUSH brush = CreateSolidBrush(RGB(shades[k].red, shades[k].green, shades[k].blue));
                FillRect(dc, &line, brush);
                DeleteObject(brush);
            }
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_CLOSE:
        if (form->on_close) form->on_close();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(w) != WA_INACTIVE) form->focus_first();
        break;
    case WM_DPICHANGED: {
        n.zoom = fitted_zoom(n, HIWORD(w));
        const int dpi = int(std::lround(HIWORD(w) * n.zoom));
        for (Control* c : n.children) {
            apply_place(c->native(), dpi);
            apply_font(c->native(), dpi);
        }
        const RECT* suggested = reinterpret_cast<const RECT*>(l);
        const SIZE size = outer_size(n, dpi);
        SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        return 0;
    }
    }
    return DefWindowProcW(hwnd, message, w, l);
}

// Every message of a window passes here; a handler's exception stops at it.
LRESULT CALLBACK form_proc(HWND hwnd, UINT message, WPARAM w, LPARAM l)
{
    auto* form = static_cast<Form*>(control_of(hwnd));
    if (!form) return DefWindowProcW(hwnd, message, w, l);
    try {
        return form_message(form, hwnd, message, w, l);
    } catch (...) {
        report_current_exception(form);
    }
    // Handled, if badly: the default answer would carry the message out (a
    // close the program refused would destroy the window).
    return 0;
}

// The picture at natural size in the top-left corner; at higher DPI each of
// its pixels grows as a block, never smoothed.
LRESULT CALLBACK picture_proc(HWND hwnd, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(dc, &client, grey_brush());
        if (auto bitmap = HBITMAP(GetWindowLongPtrW(hwnd, 0))) {
            BITMAP info;
            GetObjectW(bitmap, sizeof info, &info);
            HDC source = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(source, bitmap);
            const int dpi = layout_dpi(hwnd);
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchBlt(dc, 0, 0, MulDiv(info.bmWidth, dpi, 96), MulDiv(info.bmHeight, dpi, 96), source, 0, 0,
                       info.bmWidth, info.bmHeight, SRCCOPY);
            SelectObject(source, old);
            DeleteDC(source);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    return DefWindowProcW(hwnd, message, w, l);
}

// GDI+, which every Windows has, started at the first drawing and kept.
void start_gdiplus()
{
    static const bool started = [] {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
            throw std::runtime_error("the drawing library GDI+ could not be started");
        return true;
    }();
    (void)started;
}

Gdiplus::Color gdiplus_colour(Colour c) { return Gdiplus::Color(255, BYTE(c.red), BYTE(c.green), BYTE(c.blue)); }

// A drawing's shapes in logical pixels, scaled to the device's pixels, with
// pixel centres at the half as the other backends have them.
void paint(Gdiplus::Graphics& g, const Drawing& drawing, double scale)
{
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    g.ScaleTransform(Gdiplus::REAL(scale), Gdiplus::REAL(scale));
    Gdiplus::SolidBrush background(gdiplus_colour(drawing.background));
    g.FillRectangle(&background, Gdiplus::REAL(0), Gdiplus::REAL(0), Gdiplus::REAL(drawing.width),
                    Gdiplus::REAL(drawing.height));
    for (const Shape& s : drawing.shapes) {
        std::vector<Gdiplus::PointF> points;
        for (const Point& p : s.points) points.emplace_back(Gdiplus::REAL(p.x), Gdiplus::REAL(p.y));
        if (points.empty()) continue;
        switch (s.kind) {
        case Shape::Kind::polygon: {
            Gdiplus::SolidBrush brush(gdiplus_colour(s.colour));
            g.FillPolygon(&brush, points.data(), INT(points.size()));
            break;
        }
        case Shape::Kind::line: {
            Gdiplus::Pen pen(gdiplus_colour(s.colour), Gdiplus::REAL(s.width));
            const Gdiplus::REAL dashes[] = {Gdiplus::REAL(4 / s.width), Gdiplus::REAL(3 / s.width)};
            if (s.dashed) pen.SetDashPattern(dashes, 2);
            if (points.size() > 1) g.DrawLines(&pen, points.data(), INT(points.size()));
            break;
        }
        case Shape::Kind::text: {
            const Text face = courier(s.size, s.bold).face;
            const INT style = s.bold ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular;
            const Gdiplus::REAL pixels = Gdiplus::REAL(s.size * 96 / 72);
            Gdiplus::Font named(wide(face), pixels, style, Gdiplus::UnitPixel);
            Gdiplus::Font fallback(Gdiplus::FontFamily::GenericMonospace(), pixels, style, Gdiplus::UnitPixel);
            Gdiplus::StringFormat format;
            format.SetAlignment(s.align == Align::left     ? Gdiplus::StringAlignmentNear
                                : s.align == Align::center ? Gdiplus::StringAlignmentCenter
                                                           : Gdiplus::StringAlignmentFar);
            Gdiplus::SolidBrush brush(gdiplus_colour(s.colour));
            g.DrawString(wide(s.text), INT(s.text.size()), named.GetLastStatus() == Gdiplus::Ok ? &named : &fallback,
                         points[0], &format, &brush);
            break;
        }
        }
    }
}

// A drawing box paints through a bitmap of its own size, so that nothing
// flickers, at the window's DPI.
LRESULT CALLBACK drawing_proc(HWND hwnd, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT && message != WM_PRINTCLIENT) return DefWindowProcW(hwnd, message, w, l);
    PAINTSTRUCT ps{};
    HDC dc = message == WM_PAINT ? BeginPaint(hwnd, &ps) : HDC(w);
    auto* box = dynamic_cast<DrawingBox*>(control_of(hwnd));
    RECT client;
    GetClientRect(hwnd, &client);
    if (box && client.right > 0 && client.bottom > 0) {
        guarded(box->native().form, [&] {
            start_gdiplus();
            HDC memory = CreateCompatibleDC(dc);
            HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
            if (!memory || !bitmap) throw std::runtime_error("no memory to paint the plot");
            HGDIOBJ old = SelectObject(memory, bitmap);
            {
                Gdiplus::Graphics g(memory);
                paint(g, box->drawing(), layout_dpi(hwnd) / 96.0);
            }
            BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
            DeleteObject(bitmap);
            DeleteDC(memory);
        });
    }
    if (message == WM_PAINT) EndPaint(hwnd, &ps);
    return 0;
}

// A text box's characters pass on_key_press before the edit sees them. The
// subclass outlives the TextBox (its window is destroyed after it), so every
// message without a box behind it goes straight on to the edit.
LRESULT CALLBACK edit_subclass(HWND hwnd, UINT message, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR)
{
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, edit_subclass, id);
    auto* box = static_cast<TextBox*>(control_of(hwnd));
    if (message == WM_CHAR && box && box->on_key_press && w >= 32 && w != 127) {
        char16_t code = char16_t(w);
        // A filter that failed lets nothing in.
        if (!guarded(box->native().form, [&] { box->on_key_press(code); }) || code == 0) return 0;
        w = WPARAM(code);
    }
    return DefSubclassProc(hwnd, message, w, l);
}

void register_classes()
{
    static const bool done = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSEXW form{};
        form.cbSize = sizeof form;
        form.lpfnWndProc = form_proc;
        form.hInstance = instance();
        form.hIcon = LoadIconW(instance(), MAKEINTRESOURCEW(1));
        form.hIconSm = HICON(LoadImageW(instance(), MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                         GetSystemMetrics(SM_CYSMICON), 0));
        form.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        form.hbrBackground = grey_brush();
        form.lpszClassName = form_class;
        RegisterClassExW(&form);
        WNDCLASSEXW picture{};
        picture.cbSize = sizeof picture;
        picture.lpfnWndProc = picture_proc;
        picture.hInstance = instance();
        picture.cbWndExtra = sizeof(LONG_PTR);
        picture.style = CS_HREDRAW | CS_VREDRAW;  // drawn whole at every size
        picture.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        picture.lpszClassName = picture_class;
        RegisterClassExW(&picture);
        WNDCLASSEXW drawing = picture;
        drawing.lpfnWndProc = drawing_proc;
        drawing.cbWndExtra = 0;
        drawing.lpszClassName = drawing_class;
        RegisterClassExW(&drawing);
        return true;
    }();
    (void)done;
}

std::unique_ptr<Control::Native> make_child(Form& parent, const wchar_t* window_class, const wchar_t* text,
                                            DWORD style, DWORD ex_style = 0)
{
    register_classes();
    auto n = std::make_unique<Control::Native>();
    n->form = &parent;
    n->hwnd = CreateWindowExW(ex_style, window_class, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                              win32::hwnd(parent), nullptr, instance(), nullptr);
    if (!n->hwnd) throw std::runtime_error("a control could not be created");
    return n;
}

}  // namespace

Control::Native::~Native()
{
    if (name_label) DestroyWindow(name_label);
    if (hwnd) DestroyWindow(hwnd);
    if (hfont) DeleteObject(hfont);
}

int win32::dpi_of(HWND hwnd)
{
    if (hwnd) {
        if (const UINT dpi = GetDpiForWindow(hwnd)) return int(dpi);
    }
    return int(GetDpiForSystem());
}

// ---- every control ---------------------------------------------------------

Control::Control(std::unique_ptr<Native> native) : native_(std::move(native))
{
    SetWindowLongPtrW(native_->hwnd, GWLP_USERDATA, LONG_PTR(this));
    if (native_->form && native_->form != this) native_->form->native().children.push_back(this);
}

Control::~Control()
{
    std::erase(all_forms(), static_cast<Form*>(this));
    if (native_->form && native_->form != this) {
        auto& children = native_->form->native().children;
        std::erase(children, this);
    }
    SetWindowLongPtrW(native_->hwnd, GWLP_USERDATA, 0);
}

void Control::place(Rect twips)
{
    native_->twips = twips;
    apply_place(*native_, layout_dpi(native_->hwnd));
}

void Control::set_font(const Font& font)
{
    native_->font = font;
    apply_font(*native_, layout_dpi(native_->hwnd));
}

void Control::set_visible(bool visible)
{
    const bool top = native_->form == this;
    ShowWindow(native_->hwnd, visible ? (top ? SW_SHOWNORMAL : SW_SHOWNA) : SW_HIDE);
    if (visible && top) {
        SetForegroundWindow(native_->hwnd);
        static_cast<Form*>(this)->focus_first();
    }
}

bool Control::visible() const { return IsWindowVisible(native_->hwnd); }
void Control::set_enabled(bool enabled) { EnableWindow(native_->hwnd, enabled); }
bool Control::enabled() const { return IsWindowEnabled(native_->hwnd); }
void Control::set_focus() { SetFocus(native_->hwnd); }
bool Control::has_focus() const { return GetFocus() == native_->hwnd; }
void Control::raise() { SetWindowPos(native_->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

// ---- windows ---------------------------------------------------------------

namespace {
std::unique_ptr<Control::Native> make_form(int width_twips, int height_twips)
{
    register_classes();
    auto n = std::make_unique<Control::Native>();
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    n->hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, form_class, L"Varendo", style, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100,
                              nullptr, nullptr, instance(), nullptr);
    if (!n->hwnd) throw std::runtime_error("a window could not be created");
    n->width_twips = width_twips;
    n->height_twips = height_twips;
    n->zoom = fitted_zoom(*n, win32::dpi_of(n->hwnd));
    const SIZE size = outer_size(*n, int(std::lround(win32::dpi_of(n->hwnd) * n->zoom)));
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(n->hwnd, nullptr, (work.left + work.right - size.cx) / 2, (work.top + work.bottom - size.cy) / 2,
                 size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    return n;
}
}  // namespace

Form::Form(int width_twips, int height_twips) : Control(make_form(width_twips, height_twips))
{
    native_->form = this;
    all_forms().push_back(this);
}

void Form::add_line(int x1, int y1, int x2, int y2) { native_->lines.push_back(RECT{x1, y1, x2, y2}); }
void Form::add_rule(int y) { native_->rules.push_back(y); }

void Form::apply_tab_order()
{
    const std::vector<Control*>& order = tab_order();
    // The dialog manager tabs in z-order; a box's label goes just before it,
    // where screen readers look for its name.
    HWND after = HWND_TOP;
    for (Control* c : order) {
        for (Control* child : native_->children) {
            auto* label = dynamic_cast<Label*>(child);
            if (label && GetPropW(win32::hwnd(*label), L"VarendoBuddy") == win32::hwnd(*c)) {
                SetWindowPos(win32::hwnd(*label), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                after = win32::hwnd(*label);
            }
        }
        if (HWND name = c->native().name_label) {
            SetWindowPos(name, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            after = name;
        }
        SetWindowPos(win32::hwnd(*c), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = win32::hwnd(*c);
    }
}

// ---- controls ----------------------------------------------------------------

Label::Label(Form& parent) : Control(make_child(parent, L"STATIC", L"", SS_LEFT | SS_NOPREFIX))
{
    native_->grey = true;
}

// The static control breaks lines at CR LF; the layer's captions use LF alone.
Text Label::caption() const { return without_cr(text_of(native_->hwnd)); }
void Label::set_caption(const Text& caption) { SetWindowTextW(native_->hwnd, wide(with_crlf(caption))); }

void Label::set_align(Align align) { set_alignment_style(native_->hwnd, align, SS_LEFT, SS_CENTER, SS_RIGHT); }

void Label::set_buddy(TextBox& box) { SetPropW(native_->hwnd, L"VarendoBuddy", win32::hwnd(box)); }

TextBox::TextBox(Form& parent)
    : Control(make_child(parent, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE))
{
    if (!SetWindowSubclass(native_->hwnd, edit_subclass, 1, 0)) throw std::runtime_error("a text box could not be made");
}

Text TextBox::text() const { return text_of(native_->hwnd); }
void TextBox::set_text(const Text& text) { SetWindowTextW(native_->hwnd, wide(text)); }

void TextBox::set_align(Align align) { set_alignment_style(native_->hwnd, align, ES_LEFT, ES_CENTER, ES_RIGHT); }

bool TextBox::has_selection() const
{
    DWORD start = 0, end = 0;
    SendMessageW(native_->hwnd, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    return start != end;
}

// A screen reader names an edit by the label before it in z-order: a label
// of no size, which shows nothing, carries the name.
void TextBox::set_accessible_name(const Text& name)
{
    HWND label = CreateWindowExW(0, L"STATIC", wide(name), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0,
                                 GetParent(native_->hwnd), nullptr, instance(), nullptr);
    if (!label) throw std::runtime_error("a text box could not be named");
    if (!SetPropW(label, L"VarendoBuddy", native_->hwnd)) {
        DestroyWindow(label);
        throw std::runtime_error("a text box could not be named");
    }
    native_->name_label = label;
    SetWindowPos(label, native_->hwnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Then the box after its label, where it was.
    SetWindowPos(native_->hwnd, label, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TextBox::set_plain()
{
    SetWindowLongPtrW(native_->hwnd, GWL_EXSTYLE, GetWindowLongPtrW(native_->hwnd, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
    SetWindowPos(native_->hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    native_->grey = true;
}

CommandButton::CommandButton(Form& parent, const Text& caption)
    : Control(make_child(parent, L"BUTTON", wide(caption), WS_TABSTOP | BS_PUSHBUTTON))
{
}

Text CommandButton::caption() const { return text_of(native_->hwnd); }
void CommandButton::click() { SendMessageW(native_->hwnd, BM_CLICK, 0, 0); }

// A choice is a push-like check box: it stays sunk while checked, and a
// screen reader hears its state. Not an automatic one: a click only tells
// the handler, which sets the state.
void CommandButton::set_pressed(bool pressed)
{
    // The push-like look is a style bit BM_SETSTYLE does not carry: set in
    // the window's style, then the type through the message, which repaints.
    const LONG_PTR style = GetWindowLongPtrW(native_->hwnd, GWL_STYLE);
    if ((style & BS_TYPEMASK) != BS_CHECKBOX || !(style & BS_PUSHLIKE)) {
        SetWindowLongPtrW(native_->hwnd, GWL_STYLE, (style & ~LONG_PTR(BS_TYPEMASK)) | BS_CHECKBOX | BS_PUSHLIKE);
        SendMessageW(native_->hwnd, BM_SETSTYLE, BS_CHECKBOX | BS_PUSHLIKE, TRUE);
    }
    SendMessageW(native_->hwnd, BM_SETCHECK, pressed ? BST_CHECKED : BST_UNCHECKED, 0);
}
bool CommandButton::pressed() const { return SendMessageW(native_->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED; }

PictureBox::PictureBox(Form& parent) : Control(make_child(parent, picture_class, L"", 0)) {}

// A custom window's text is its name to a screen reader.
void PictureBox::set_description(const Text& words) { SetWindowTextW(native_->hwnd, wide(words)); }

DrawingBox::DrawingBox(Form& parent) : Control(make_child(parent, drawing_class, L"", 0)) {}

void DrawingBox::set_drawing(Drawing drawing)
{
    drawing_ = std::move(drawing);
    SetWindowTextW(native_->hwnd, wide(drawing_.words));
    InvalidateRect(native_->hwnd, nullptr, FALSE);
}

void PictureBox::set_picture(int resource_number)
{
    auto bitmap = HBITMAP(LoadImageW(instance(), MAKEINTRESOURCEW(resource_number), IMAGE_BITMAP, 0, 0,
                                     LR_CREATEDIBSECTION));
    if (!bitmap) throw shared::MissingPicture(resource_number);
    if (auto old = HBITMAP(SetWindowLongPtrW(native_->hwnd, 0, LONG_PTR(bitmap)))) DeleteObject(old);
    number_ = resource_number;
    InvalidateRect(native_->hwnd, nullptr, TRUE);
}

// ---- services ----------------------------------------------------------------

namespace {
[[noreturn]] void clipboard_fault(const char* what)
{
    char code[16];
    const auto end = std::to_chars(code, code + sizeof code, unsigned(GetLastError())).ptr;
    throw std::runtime_error(std::string(what) + " (error " + std::string(code, end) + ")");
}
}  // namespace

namespace {
// Puts memory from GlobalAlloc on the clipboard, opened by the window that
// copies: EmptyClipboard makes the opener the owner, and SetClipboardData
// fails on a clipboard that no window owns. Another program may hold it for
// a moment, as clipboard viewers do. Each failing call raises.
void put_on_clipboard(Form& owner, UINT format, HGLOBAL memory)
{
    bool open = false;
    for (int attempt = 0; attempt < 5 && !(open = OpenClipboard(win32::hwnd(owner))); ++attempt) Sleep(20);
    if (!open) {
        GlobalFree(memory);
        clipboard_fault("the clipboard is held by another program");
    }
    if (!EmptyClipboard()) {
        CloseClipboard();
        GlobalFree(memory);
        clipboard_fault("the clipboard could not be emptied");
    }
    if (!SetClipboardData(format, memory)) {
        CloseClipboard();
        GlobalFree(memory);
        clipboard_fault("the copy could not be put on the clipboard");
    }
    CloseClipboard();  // the memory is the system's now
}

// Movable memory holding `bytes` bytes, filled by `fill`.
template <class Fill>
HGLOBAL global_memory(size_t bytes, Fill fill)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) clipboard_fault("no memory for the clipboard");
    void* place = GlobalLock(memory);
    if (!place) {
        GlobalFree(memory);
        clipboard_fault("no memory for the clipboard");
    }
    fill(static_cast<unsigned char*>(place));
    GlobalUnlock(memory);
    return memory;
}
}  // namespace

void set_clipboard_text(Form& owner, const Text& text)
{
    // CF_UNICODETEXT takes CR LF line ends.
    const Text crlf = with_crlf(text);
    const size_t bytes = (crlf.size() + 1) * sizeof(wchar_t);
    put_on_clipboard(owner, CF_UNICODETEXT, global_memory(bytes, [&](unsigned char* place) {
                         std::memcpy(place, crlf.c_str(), bytes);
                     }));
}

// A device-independent bitmap: a header, then 32-bit rows from the bottom up.
void set_clipboard_picture(Form& owner, const Drawing& drawing, double scale)
{
    start_gdiplus();
    const INT width = INT(std::ceil(drawing.width * scale)), height = INT(std::ceil(drawing.height * scale));
    Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
    if (bitmap.GetLastStatus() != Gdiplus::Ok) throw std::runtime_error("no memory for the picture");
    {
        Gdiplus::Graphics g(&bitmap);
        paint(g, drawing, scale);
    }
    Gdiplus::Rect all(0, 0, width, height);
    Gdiplus::BitmapData pixels{};
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &pixels) != Gdiplus::Ok)
        throw std::runtime_error("the picture could not be read");
    const size_t row = size_t(width) * 4;
    HGLOBAL memory = nullptr;
    try {
        memory = global_memory(sizeof(BITMAPINFOHEADER) + row * size_t(height), [&](unsigned char* place) {
            BITMAPINFOHEADER header{};
            header.biSize = sizeof header;
            header.biWidth = width;
            header.biHeight = height;
            header.biPlanes = 1;
            header.biBitCount = 32;
            header.biCompression = BI_RGB;
            header.biSizeImage = DWORD(row * size_t(height));
            std::memcpy(place, &header, sizeof header);
            for (INT y = 0; y < height; ++y)
                std::memcpy(place + sizeof header + row * size_t(height - 1 - y),
                            static_cast<const unsigned char*>(pixels.Scan0) + ptrdiff_t(y) * pixels.Stride, row);
        });
    } catch (...) {
        bitmap.UnlockBits(&pixels);
        throw;
    }
    bitmap.UnlockBits(&pixels);
    put_on_clipboard(owner, CF_DIB, memory);
}

Text clipboard_text()
{
    Text text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const char16_t*>(GlobalLock(data))) {
            text = without_cr(chars);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void message_box(Form* parent, const Text& prompt, const Text& title, BoxIcon icon)
{
    MessageBoxW(parent ? win32::hwnd(*parent) : nullptr, wide(prompt), wide(title),
                MB_OK | (icon == BoxIcon::warning ? MB_ICONWARNING : 0));
}

double zoom() { return current_zoom; }

// Each window's controls placed and lettered anew at the new size (no
// larger than fits its monitor), the window grown or shrunk around them from
// its top left corner, kept on the work area.
void set_zoom(double factor)
{
    current_zoom = std::clamp(factor, 1.0, 3.0);
    for (Form* form : all_forms()) {
        Control::Native& n = form->native();
        n.zoom = fitted_zoom(n, win32::dpi_of(n.hwnd));
        const int dpi = layout_dpi(n.hwnd);
        for (Control* c : n.children) {
            apply_place(c->native(), dpi);
            apply_font(c->native(), dpi);
        }
        RECT at{};
        if (!GetWindowRect(n.hwnd, &at)) continue;
        const SIZE size = outer_size(n, dpi);
        RECT work{};
        if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
            at.left = std::max(work.left, std::min(at.left, work.right - size.cx));
            at.top = std::max(work.top, std::min(at.top, work.bottom - size.cy));
        }
        SetWindowPos(n.hwnd, nullptr, at.left, at.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        // Every control painted anew at its size, not only what it gained.
        RedrawWindow(n.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
}

char16_t decimal_separator()
{
    wchar_t separator[8] = L".";
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) < 2) return u'.';
    return char16_t(separator[0]);
}

namespace {
BOOL CALLBACK hide_window(HWND hwnd, LPARAM)
{
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == GetCurrentProcessId()) ShowWindow(hwnd, SW_HIDE);
    return TRUE;
}

}  // namespace

void backend::end_program()
{
    EnumWindows(hide_window, 0);
    PostQuitMessage(0);
}

struct Application::Native {};

Application::Application(int&, char**) : native_(std::make_unique<Native>()) { register_classes(); }
Application::~Application() = default;

int Application::run()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        HWND top = GetAncestor(message.hwnd, GA_ROOT);
        // Ctrl+C: the window's copy, unless a box copies its selection
        // (then the edit gets the key, as ever).
        if (top && message.message == WM_KEYDOWN && message.wParam == 'C' && GetKeyState(VK_CONTROL) < 0) {
            Form* form = is_form(top) ? dynamic_cast<Form*>(control_of(top)) : nullptr;
            if (form && form->copy_key()) continue;
        }
        if (top && message.message == WM_KEYDOWN && is_form(top)) {
            // Enter on a focused button presses it, as Space does; a box
            // has no default button to press.
            auto* button = dynamic_cast<CommandButton*>(control_of(message.hwnd));
            if (message.wParam == VK_RETURN && button && IsWindowEnabled(message.hwnd)) {
                guarded(button->native().form, [button] { button->click(); });
                continue;
            }
            // Ctrl+plus, Ctrl+minus, Ctrl+0, on the main keys and the keypad.
            const WPARAM k = message.wParam;
            const int direction = k == VK_OEM_PLUS || k == VK_ADD ? 1 : k == VK_OEM_MINUS || k == VK_SUBTRACT ? -1
                                  : k == '0' || k == VK_NUMPAD0     ? 0
                                                                    : 2;
            if (direction != 2 && GetKeyState(VK_CONTROL) < 0) {
                guarded(dynamic_cast<Form*>(control_of(top)), [direction] { set_zoom(next_zoom(zoom(), direction)); });
                continue;
            }
        }
        // Tab and Shift+Tab move the focus as in a dialog.
        if (top && IsDialogMessageW(top, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

}  // namespace platform
