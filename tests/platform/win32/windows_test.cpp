// The Windows program's windows, in process, through the Win32 backend and
// standard window messages: places in pixels at the screen's DPI, start-up
// state, selections, typing through the comma filter, Run, the message box,
// Back, About, the end of the program, the pictures.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/frm_initial.h"
#include "forms/frm_result.h"
#include "forms/program.h"
#include "platform/win32/native.h"
#include "charts/chart.h"
#include "charts/plot.h"
#include "support/expected_rows.h"
#include "support/power_window.h"
#include "support/fault_once.h"

using platform::win32::hwnd;

namespace {

void pump()
{
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(1);
    }
}

// Events until the condition holds, as a window manager may take its time.
bool pump_until(const std::function<bool()>& condition)
{
    for (int k = 0; k < 200 && !condition(); ++k) pump();
    return condition();
}

std::u16string text(HWND h)
{
    wchar_t buffer[512] = {};
    GetWindowTextW(h, buffer, 512);
    return std::u16string(buffer, buffer + wcslen(buffer));
}

// The message box a click opens, read and dismissed with OK from inside its
// own modal loop, as a user would.
struct MessageReader {
    static inline std::optional<std::u16string> prompt, title;
    static BOOL CALLBACK find(HWND h, LPARAM)
    {
        wchar_t cls[32] = {};
        GetClassNameW(h, cls, 32);
        if (std::wstring(cls) != L"#32770" || !IsWindowVisible(h)) return TRUE;
        title = text(h);
        prompt = text(GetDlgItem(h, 0xFFFF));
        PostMessageW(h, WM_COMMAND, IDOK, 0);
        return FALSE;
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), find, 0); }
};

std::optional<std::u16string> message_from(const std::function<void()>& action)
{
    MessageReader::prompt.reset();
    MessageReader::title.reset();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, MessageReader::tick);
    action();
    KillTimer(nullptr, timer);
    pump();
    return MessageReader::prompt;
}

void click(platform::CommandButton& b)
{
    SendMessageW(hwnd(b), BM_CLICK, 0, 0);
    pump();
}

// Replaces a box's text by typed characters, each through the box's WM_CHAR.
void type(platform::TextBox& box, const std::u16string& keys)
{
    SetWindowTextW(hwnd(box), L"");
    SetFocus(hwnd(box));
    for (char16_t c : keys) SendMessageW(hwnd(box), WM_CHAR, WPARAM(c), 1);
    pump();
}

RECT place_in(HWND control, HWND window)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The texts of a window's labels, boxes and buttons that run past their
// control, measured in the control's own font as it draws them.
std::vector<std::u16string> clipped_texts(HWND window)
{
    std::vector<std::u16string> clipped;
    for (HWND h = GetWindow(window, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        GetClassNameW(h, cls, 16);
        const std::wstring kind = cls;
        if ((kind != L"Static" && kind != L"Edit" && kind != L"Button") || !IsWindowVisible(h)) continue;
        const std::u16string t = text(h);
        if (t.empty()) continue;
        RECT room{};
        GetClientRect(h, &room);
        HDC dc = GetDC(h);
        HGDIOBJ old = SelectObject(dc, HFONT(SendMessageW(h, WM_GETFONT, 0, 0)));
        RECT needed{0, 0, 0, 0};
        DrawTextW(dc, reinterpret_cast<const wchar_t*>(t.c_str()), int(t.size()), &needed, DT_CALCRECT | DT_NOPREFIX);
        SelectObject(dc, old);
        ReleaseDC(h, dc);
        // A box's and a button's text sit inside a margin of a few pixels.
        const int margin = kind == L"Static" ? 0 : 6;
        if (needed.right > room.right - margin || needed.bottom > room.bottom) clipped.push_back(t);
    }
    return clipped;
}

int dpi() { return int(GetDpiForSystem()); }
int px(int twips) { return (twips * dpi() + 720) / 1440; }

struct Session {
    Session()
    {
        platform::set_end_handler([this] { ++ends; });
        program.initial().show();
        pump();
    }
    ~Session() { platform::set_end_handler([] {}); }
    forms::frm_initial& main() { return program.initial(); }
    forms::frm_result& result() { return program.result(); }
    forms::Program program;
    int ends = 0;
};

}  // namespace

TEST(WindowsMain, StartsWithNothingChosen)
{
    Session s;
    auto& w = s.main();
    EXPECT_EQ(text(hwnd(w)), u"Varendo");
    EXPECT_FALSE(w.cmd_run.enabled());
    for (platform::TextBox* box : {&w.txt_datavalue, &w.txt_datadfnum, &w.txt_datadfden}) EXPECT_FALSE(box->visible());
    EXPECT_EQ(w.txt_datadfnum.text(), u"    ");
    EXPECT_TRUE(pump_until([&] { return w.focused() != nullptr; }));
    EXPECT_EQ(w.focused(), &w.cmd_about);
    EXPECT_FALSE(s.program.has_result());
}

TEST(WindowsMain, ControlsStandWhereTheLayoutPutsThem)
{
    Session s;
    auto& w = s.main();
    // Run again with the screen at another DPI (at_dpi.sh), which must be the one in force.
    if (const char* expected = std::getenv("VARENDO_EXPECTED_DPI")) {
        EXPECT_EQ(dpi(), std::atoi(expected));
    }
    RECT client;
    GetClientRect(hwnd(w), &client);
    EXPECT_EQ(client.right, px(6735));
    EXPECT_EQ(client.bottom, px(4365));
    auto& r = s.result();
    struct Row { platform::Control* control; platform::Form* window; int left, top, width, height; };
    const Row rows[] = {
        {&w.txt_datavalue, &w, 3120, 480, 735, 375},  {&w.lbl_value, &w, 600, 600, 2295, 255},
        {&w.cmd_run, &w, 4920, 480, 1215, 375},       {&w.txt_datadfnum, &w, 3120, 1080, 735, 375},
        {&w.lbl_dfnum, &w, 600, 1200, 2295, 255},     {&w.cmd_exit, &w, 4920, 1080, 1215, 375},
        {&w.txt_datadfden, &w, 3120, 1680, 735, 375}, {&w.lbl_dfden, &w, 600, 1800, 2295, 255},
        {&w.cmd_about, &w, 4920, 1680, 1215, 375},    {&w.Text1, &w, 1440, 2400, 3855, 285},
        {&w.cmd_chi, &w, 360, 2880, 1335, 495},       {&w.cmd_gauss, &w, 1920, 2880, 1335, 495},
        {&w.cmd_t, &w, 3480, 2880, 1335, 495},        {&w.cmd_f, &w, 5040, 2880, 1335, 495},
        {&w.cmd_power, &w, 4920, 3720, 1215, 375},
        {&r.pic_geral, &r, 240, 360, 5655, 1335},     {&r.lbl_graph, &r, 0, 1800, 5655, 375},
        {&r.cmd_back, &r, 5040, 2160, 975, 375},      {&r.cmd_exit, &r, 5040, 2640, 975, 375},
        {&r.lbl_exact, &r, 240, 3225, 3375, 1275},    {&r.cmd_copy, &r, 5040, 3255, 975, 375},
        {&r.lbl_alpha, &r, 240, 4605, 300, 255},      {&r.txt_alpha, &r, 600, 4545, 1500, 375},
        {&r.lbl_critical, &r, 2280, 4605, 3885, 765}, {&r.cmd_copy_picture, &r, 4560, 3735, 1455, 375},
        {&r.pic_plot, &r, 6240, 120, 5700, 4515},     {&r.lbl_verdict, &r, 240, 5415, 5925, 510},
        {&r.lbl_note, &r, 6240, 4725, 5700, 1530},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "control at " << row.left << "," << row.top << " twips");
        const RECT at = place_in(hwnd(*row.control), hwnd(*row.window));
        EXPECT_EQ(at.left, px(row.left));
        EXPECT_EQ(at.top, px(row.top));
        EXPECT_EQ(at.right - at.left, px(row.width));
        EXPECT_EQ(at.bottom - at.top, px(row.height));
    }
    GetClientRect(hwnd(r), &client);
    EXPECT_EQ(client.right, px(12180));
    EXPECT_EQ(client.bottom, px(6045));
    RecordProperty("dpi", dpi());
}

// A screen reader names a button by its caption and a box by the label just
// before it: whatever Tab reaches in either window has a name.
TEST(WindowsMain, EveryControlTabReachesHasAName)
{
    Session s;
    click(s.main().cmd_f);
    for (platform::TextBox* box : {&s.main().txt_datavalue, &s.main().txt_datadfnum, &s.main().txt_datadfden})
        type(*box, u"3");
    click(s.main().cmd_run);
    for (platform::Form* form : {static_cast<platform::Form*>(&s.main()), static_cast<platform::Form*>(&s.result())}) {
        for (platform::Control* c : form->tab_order()) {
            wchar_t cls[16] = {};
            GetClassNameW(hwnd(*c), cls, 16);
            const HWND named = std::wstring(cls) == L"Edit" ? GetWindow(hwnd(*c), GW_HWNDPREV) : hwnd(*c);
            EXPECT_FALSE(text(named).empty()) << std::string(cls, cls + wcslen(cls));
        }
    }
    EXPECT_EQ(text(GetWindow(hwnd(s.main().Text1), GW_HWNDPREV)), u"Select the statistical distribution");
}

TEST(WindowsMain, SelectionsTypingAndRun)
{
    using run::DistributionId;
    struct Choice {
        platform::CommandButton forms::frm_initial::*button;
        std::u16string caption;
        int picture;
    };
    const auto choice = [](DistributionId d) -> Choice {
        switch (d) {
        case DistributionId::chi_square: return {&forms::frm_initial::cmd_chi, u"CHI-SQUARED VALUE ", 101};
        case DistributionId::normal: return {&forms::frm_initial::cmd_gauss, u"z VALUE", 103};
        case DistributionId::t: return {&forms::frm_initial::cmd_t, u"t VALUE", 104};
        case DistributionId::f: break;
        }
        return {&forms::frm_initial::cmd_f, u"F VALUE", 102};
    };
    for (const expected::Row& r : expected::rows()) {
        SCOPED_TRACE(testing::Message() << "row " << (&r - expected::rows().data()));
        const Choice c = choice(r.distribution);
        Session s;
        auto& w = s.main();
        click(w.*c.button);
        EXPECT_EQ(w.lbl_value.caption(), c.caption);
        EXPECT_TRUE(w.cmd_run.enabled());
        EXPECT_EQ(w.focused(), &w.txt_datavalue);
        EXPECT_EQ(s.result().pic_geral.picture_number(), c.picture);
        type(w.txt_datavalue, r.value);
        if (r.dfnum && w.txt_datadfnum.visible()) type(w.txt_datadfnum, *r.dfnum);
        if (r.dfden && w.txt_datadfden.visible()) type(w.txt_datadfden, *r.dfden);
        EXPECT_EQ(w.txt_datavalue.text().find(u','), std::u16string::npos) << "the comma filter";
        const auto message = message_from([&] { click(w.cmd_run); });
        const char16_t separator = platform::decimal_separator();
        if (!r.message.empty()) {
            EXPECT_EQ(message.value_or(u"<no message>"), expected::localised(r.message, separator));
            EXPECT_TRUE(w.visible());
            EXPECT_FALSE(s.result().visible());
            continue;
        }
        EXPECT_FALSE(message);
        EXPECT_FALSE(w.visible());
        EXPECT_TRUE(s.result().visible());
        EXPECT_EQ(s.result().lbl_graph.caption(), r.line);
        if (!r.exact.empty()) {
            EXPECT_EQ(s.result().lbl_exact.caption(), expected::localised(r.exact, separator));
        }
        if (!r.critical.empty()) {
            EXPECT_EQ(s.result().lbl_critical.caption(), expected::localised(r.critical, separator));
        }
        std::u16string note = s.result().lbl_note.caption();
        std::replace(note.begin(), note.end(), u'\n', u' ');  // broken into lines to fit
        EXPECT_EQ(note, expected::localised(r.note, separator));
        const std::u16string asked = expected::localised(r.asked, separator);
        EXPECT_EQ(s.result().pic_plot.drawing().words.substr(0, asked.size()), asked);
        EXPECT_EQ(clipped_texts(hwnd(s.result())), std::vector<std::u16string>{}) << "texts cut off";
        EXPECT_EQ(s.result().focused(), &s.result().cmd_back);

        click(s.result().cmd_back);
        EXPECT_TRUE(w.visible());
        EXPECT_FALSE(s.result().visible());
        EXPECT_EQ(w.txt_datavalue.text(), u"");
        EXPECT_EQ(s.result().lbl_graph.caption(), u"");
        EXPECT_EQ(s.result().lbl_exact.caption(), u"");
        EXPECT_EQ(w.lbl_value.caption(), c.caption);
        EXPECT_EQ(s.ends, 0);
    }
}

// The power window's scenarios, as every backend runs them: the design and
// the question pressed, the boxes typed into.
TEST(WindowsPower, EveryScenario)
{
    for (const power_rows::Scenario& scenario : power_rows::scenarios(platform::decimal_separator())) {
        SCOPED_TRACE(scenario.name);
        Session s;
        click(s.main().cmd_power);
        forms::frm_power& w = s.program.power();
        ASSERT_TRUE(w.visible());
        if (!scenario.steps.empty()) {
            for (const std::string& failure : power_rows::walk(scenario, w, s.main().cmd_power, click, type))
                ADD_FAILURE() << failure;
            continue;
        }
        click(power_rows::button_of(w, scenario.design));
        for (const auto& [key, text] : scenario.boxes) type(power_rows::box_of(w, key), text);
        click(power_rows::button_of(w, scenario.question));
        for (const std::string& failure : power_rows::check_window(scenario, w)) ADD_FAILURE() << failure;
        EXPECT_EQ(clipped_texts(hwnd(w)), std::vector<std::u16string>{}) << "texts cut off";
    }
}

// t = 2.1 with 17 degrees, typed and run: the result window the strip's tests read.
static void run_t_with_17_degrees(Session& s)
{
    click(s.main().cmd_t);
    type(s.main().txt_datavalue, u"2.1");
    type(s.main().txt_datadfnum, u"17");
    click(s.main().cmd_run);
}

TEST(WindowsMain, CopyPutsTheReportOnTheClipboard)
{
    Session s;
    run_t_with_17_degrees(s);
    ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard() && CloseClipboard());
    click(s.result().cmd_copy);
    // The window that copies owns the clipboard, as SetClipboardData needs.
    EXPECT_EQ(GetClipboardOwner(), hwnd(s.result()));
    EXPECT_EQ(platform::clipboard_text(),
              u"Varendo: Student t\nt VALUE: 2.1\nDEGREES OF FREEDOM: 17\nquestion: t(17) = 2.1\n"
              u"upper tail: P = 0.0255, exact 0.02548\nboth tails: P = 0.0510, exact 0.05096\n"
              u"lower tail: exact 0.9745\nt(17) = 2.10, p = .051\n"
              u"critical values at \u03B1 = 0.05: lower tail -1.73961  upper tail 1.73961  both tails "
              u"\u00B12.10982\np = 0.05096 \u2265 \u03B1 = 0.05: not significant at this level\n");
    EXPECT_EQ(s.result().lbl_exact.caption(), u"lower tail  0.9745\nupper tail  0.02548\nboth tails  0.05096");
}

TEST(WindowsMain, CriticalValuesFollowTheLevelAsItIsTyped)
{
    Session s;
    run_t_with_17_degrees(s);
    auto& r = s.result();
    struct Row { std::u16string typed, box, critical, verdict; };
    const Row rows[] = {
        {u"0,01", u"0.01", u"lower tail -2.56693\nupper tail 2.56693\nboth tails \u00B12.89823",
         u"p = 0.05096 \u2265 \u03B1 = 0.01: not significant at this level"},  // the comma filter's rule
        {u"-1", u"-1", u"\u03B1 must be between 0 and 1", u""},
        {u"0.1", u"0.1", u"lower tail -1.33338\nupper tail 1.33338\nboth tails \u00B11.73961",
         u"p = 0.05096 < \u03B1 = 0.1: significant at this level"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "typed " << std::string(row.typed.begin(), row.typed.end()));
        const auto message = message_from([&] { type(r.txt_alpha, row.typed); });
        EXPECT_FALSE(message);
        EXPECT_EQ(r.txt_alpha.text(), row.box);
        const char16_t sep = platform::decimal_separator();
        EXPECT_EQ(r.lbl_critical.caption(), expected::localised(row.critical, sep));
        EXPECT_EQ(r.lbl_verdict.caption(), expected::localised(row.verdict, sep));
        EXPECT_TRUE(r.visible());
    }
    click(r.cmd_back);
    click(s.main().cmd_chi);
    type(s.main().txt_datavalue, u"30");
    type(s.main().txt_datadfnum, u"1");
    click(s.main().cmd_run);
    EXPECT_EQ(r.txt_alpha.text(), u"0.1");
    EXPECT_EQ(r.lbl_critical.caption(), expected::localised(u"lower tail 0.0157908\nupper tail 2.70554", platform::decimal_separator()));
}

TEST(WindowsMain, RefusalsAndAboutComeInAMessageBox)
{
    Session s;
    auto& w = s.main();
    const auto about = message_from([&] { click(w.cmd_about); });
    ASSERT_TRUE(about);
    EXPECT_EQ(*MessageReader::title, u"Varendo");
    EXPECT_EQ(std::count(about->begin(), about->end(), u'\n'), 6) << "seven lines";

    click(w.cmd_t);
    type(w.txt_datavalue, u"2");
    type(w.txt_datadfnum, u"");
    const auto refusal = message_from([&] { click(w.cmd_run); });
    EXPECT_EQ(refusal.value_or(u"<none>"), u"DEGREES OF FREEDOM must be greater than 0.");
    EXPECT_TRUE(w.visible());
    EXPECT_FALSE(s.result().visible());
}

TEST(WindowsMain, ExitAndTheCloseBoxOfEitherWindowEndTheProgram)
{
    for (int way = 0; way < 3; ++way) {
        Session s;
        click(s.main().cmd_gauss);
        if (way == 0) click(s.main().cmd_exit);
        if (way == 1) SendMessageW(hwnd(s.main()), WM_CLOSE, 0, 0);
        if (way == 2) {
            click(s.main().cmd_run);
            SendMessageW(hwnd(s.result()), WM_CLOSE, 0, 0);
        }
        EXPECT_EQ(s.ends, 1) << way;
    }
}

// A handler that throws where a window procedure calls in: the message the
// Run command gives for an unforeseen fault, and the program goes on.
TEST(WindowsMain, AHandlerThatThrowsIsReportedAndTheProgramGoesOn)
{
    FaultOnce fault;
    const auto fail = [&] { fault(); };
    struct Way {
        const char* name;
        std::function<void(Session&)> arm, act;
    };
    const Way ways[] = {
        {"click", [&](Session& s) { s.main().cmd_about.on_click = fail; },
         [](Session& s) { click(s.main().cmd_about); }},
        {"key", [&](Session& s) { s.main().txt_datavalue.on_key_press = [&](char16_t&) { fail(); }; },
         [](Session& s) { SendMessageW(hwnd(s.main().txt_datavalue), WM_CHAR, WPARAM(u'7'), 1); }},
        {"close box", [&](Session& s) { s.main().on_close = fail; },
         [](Session& s) { SendMessageW(hwnd(s.main()), WM_CLOSE, 0, 0); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        Session s;
        click(s.main().cmd_gauss);
        way.arm(s);
        fault.armed = 1;
        EXPECT_EQ(message_from([&] { way.act(s); }).value_or(u"<none>"), FaultOnce::message);
        EXPECT_EQ(MessageReader::title.value_or(u""), u"Varendo");
        EXPECT_EQ(s.main().txt_datavalue.text(), u"") << "a failed filter lets nothing in";
        type(s.main().txt_datavalue, u"1.96");
        EXPECT_FALSE(message_from([&] { click(s.main().cmd_run); }));
        EXPECT_EQ(s.result().lbl_graph.caption(), u"  P = 0.4750   P = 0.9500   P = 0.0250   P = 0.0500");
        EXPECT_EQ(s.ends, 0);
    }
}

TEST(WindowsMain, PicturesLoadAtTheirSizes)
{
    Session s;
    struct Row { int number, width, height; };
    for (const Row& r : {Row{101, 238, 64}, Row{102, 300, 72}, Row{103, 359, 65}, Row{104, 305, 71}}) {
        s.result().pic_geral.set_picture(r.number);
        auto bitmap = HBITMAP(GetWindowLongPtrW(hwnd(s.result().pic_geral), 0));
        BITMAP info{};
        ASSERT_TRUE(GetObjectW(bitmap, sizeof info, &info));
        EXPECT_EQ(info.bmWidth, r.width);
        EXPECT_EQ(info.bmHeight, r.height);
    }
}

// The plot paints dark where the statistic is marked, a screen reader reads
// its words as its window text, and Copy picture puts it on the clipboard as
// a bitmap twice its size, owned by the window that copied it.
TEST(WindowsMain, ThePlotPaintsIsReadAndCopies)
{
    Session s;
    run_t_with_17_degrees(s);
    auto& r = s.result();
    const platform::Drawing& drawing = r.pic_plot.drawing();
    EXPECT_EQ(text(hwnd(r.pic_plot)), drawing.words);
    EXPECT_EQ(text(hwnd(r.pic_geral)), u"t: upper tail shaded, left; both tails, right");

    double marker = -1;
    for (const platform::Shape& shape : drawing.shapes)
        if (shape.kind == platform::Shape::Kind::line && shape.colour.red == charts::colours::statistic.red)
            marker = shape.points[0].x;
    ASSERT_GT(marker, 0);
    RECT client;
    GetClientRect(hwnd(r.pic_plot), &client);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(hwnd(r.pic_plot), WM_PRINTCLIENT, WPARAM(memory), PRF_CLIENT);
    const auto grey = [&](double x, double y) {
        const COLORREF c = GetPixel(memory, px(int(x * 15)), px(int(y * 15)));
        return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000;
    };
    EXPECT_LT(grey(marker, drawing.height / 2), 128);
    EXPECT_GT(grey(marker + 40, drawing.height / 2), 128);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard() && CloseClipboard());
    click(r.cmd_copy_picture);
    EXPECT_EQ(GetClipboardOwner(), hwnd(r));
    ASSERT_TRUE(OpenClipboard(nullptr));
    if (HANDLE data = GetClipboardData(CF_DIB)) {
        const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(data));
        ASSERT_TRUE(header);
        EXPECT_EQ(header->biWidth, 760);
        EXPECT_EQ(header->biHeight, 602);
        EXPECT_EQ(header->biBitCount, 32);
        GlobalUnlock(data);
    } else {
        ADD_FAILURE() << "no bitmap on the clipboard";
    }
    CloseClipboard();
}
