// Varendo.exe driven from another process, as UI automation drives it: the
// top-level windows titled "Varendo" of the process, buttons pressed by
// caption (a posted BM_CLICK), box texts set with WM_SETTEXT or typed as real
// key strokes (SendInput), the P-value line read with WM_GETTEXT, the message
// box found as the standard dialog and answered with OK.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/expected_rows.h"

namespace {

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring text_of(HWND h)
{
    wchar_t buffer[512] = {};
    SendMessageW(h, WM_GETTEXT, 512, LPARAM(buffer));
    return buffer;
}

std::wstring class_of(HWND h)
{
    wchar_t buffer[64] = {};
    GetClassNameW(h, buffer, 64);
    return buffer;
}

class Program {
public:
    Program()
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring command = L"Varendo.exe";
        EXPECT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_));
        WaitForInputIdle(info_.hProcess, 10000);
    }
    ~Program()
    {
        TerminateProcess(info_.hProcess, 0);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    bool ended(DWORD ms) { return WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0; }

    // The visible top-level window of the process with this class ("#32770"
    // for a message box) or the title "Varendo".
    HWND window(const wchar_t* dialog_class = nullptr)
    {
        for (int k = 0; k < 200; ++k) {
            found_ = nullptr;
            wanted_ = dialog_class;
            EnumWindows(visit, LPARAM(this));
            if (found_) return found_;
            Sleep(25);
        }
        return nullptr;
    }

    static HWND child(HWND parent, const wchar_t* cls, const std::wstring& caption)
    {
        for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
            if (class_of(h) == cls && text_of(h) == caption) return h;
        return nullptr;
    }
    static std::vector<HWND> children(HWND parent, const wchar_t* cls)
    {
        std::vector<HWND> found;
        for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
            if (class_of(h) == cls) found.push_back(h);
        return found;
    }

private:
    static BOOL CALLBACK visit(HWND h, LPARAM self)
    {
        auto* p = reinterpret_cast<Program*>(self);
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid != p->info_.dwProcessId || !IsWindowVisible(h)) return TRUE;
        const bool dialog = class_of(h) == L"#32770";
        if (p->wanted_ ? dialog : (!dialog && text_of(h) == L"Varendo")) {
            p->found_ = h;
            return FALSE;
        }
        return TRUE;
    }
    PROCESS_INFORMATION info_{};
    HWND found_ = nullptr;
    const wchar_t* wanted_ = nullptr;
};

void press(HWND window, const std::wstring& caption)
{
    HWND button = Program::child(window, L"Button", caption);
    ASSERT_TRUE(button) << "no button";
    PostMessageW(button, BM_CLICK, 0, 0);
    Sleep(300);
}

// Real key strokes into the box, one Unicode character each.
void type(HWND window, HWND box, const std::wstring& keys)
{
    SetForegroundWindow(window);
    SendMessageW(box, WM_SETTEXT, 0, LPARAM(L""));
    PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Sleep(200);
    for (wchar_t c : keys) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wScan = in[1].ki.wScan = c;
        in[0].ki.dwFlags = KEYEVENTF_UNICODE;
        in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
        Sleep(30);
    }
    Sleep(200);
}

// A key as a user presses it, with Ctrl held or not, into the window in front.
void press_key(HWND window, WORD key, bool control)
{
    SetForegroundWindow(window);
    Sleep(200);
    std::vector<INPUT> in;
    const auto add = [&](WORD vk, bool up) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        in.push_back(i);
    };
    if (control) add(VK_CONTROL, false);
    add(key, false);
    add(key, true);
    if (control) add(VK_CONTROL, true);
    SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
    Sleep(300);
}

void press_ctrl_c(HWND window) { press_key(window, 'C', true); }

SIZE client_size(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

void empty_clipboard()
{
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    CloseClipboard();
}

std::wstring clipboard()
{
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) text = chars;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// The strip's text as the static control holds it, with CR LF line ends.
std::wstring with_crlf(const std::u16string& lines)
{
    std::wstring out;
    for (char16_t c : lines) {
        if (c == u'\n') out += L'\r';
        out += wchar_t(c);
    }
    return out;
}

}  // namespace

TEST(WindowsDriven, LinesAndMessagesFromOutside)
{
    // The strip writes the exact values with the separator of the locale the
    // run names (the comma run), else a point.
    const char* named = std::getenv("VARENDO_EXPECTED_SEPARATOR");
    const wchar_t separator[2] = {named ? wchar_t(named[0]) : L'.', 0};
    // Wine writes the settings of a changed locale into the prefix as the
    // first processes under it start, so a process started right after the
    // switch (to the comma locale, or back from it) may read the old ones: a
    // few starts until the level box shows the run's separator settle it.
    // (This process's view may be the old one, for the same reason.)
    const expected::Row& probe = *std::find_if(expected::rows().begin(), expected::rows().end(),
                                               [](const expected::Row& r) { return r.driven && r.message.empty(); });
    std::wstring level;
    for (int start = 0; start < 6 && level != std::wstring(L"0") + separator + L"05"; ++start) {
        if (start) Sleep(1000);
        // A start slower than the wait (the first under exception tracing) is
        // simply followed by the next.
        Program first;
        HWND main = first.window();
        if (!main) continue;
        press(main, wide(expected::button_caption(probe.distribution)).c_str());
        const std::vector<HWND> boxes = Program::children(main, L"Edit");
        if (boxes.size() < 3) continue;
        SendMessageW(boxes[0], WM_SETTEXT, 0, LPARAM(wide(probe.value).c_str()));
        if (probe.dfnum) SendMessageW(boxes[1], WM_SETTEXT, 0, LPARAM(wide(*probe.dfnum).c_str()));
        if (probe.dfden) SendMessageW(boxes[2], WM_SETTEXT, 0, LPARAM(wide(*probe.dfden).c_str()));
        press(main, L"Run");
        HWND result = main;
        for (int k = 0; k < 200 && result == main; ++k) {
            if (k) Sleep(25);
            result = first.window();
        }
        const std::vector<HWND> level_box = result && result != main ? Program::children(result, L"Edit")
                                                                       : std::vector<HWND>{};
        level = level_box.empty() ? L"" : text_of(level_box[0]);
    }
    wchar_t mine[LOCALE_NAME_MAX_LENGTH] = L"?";
    GetUserDefaultLocaleName(mine, LOCALE_NAME_MAX_LENGTH);
    ASSERT_EQ(level, std::wstring(L"0") + separator + L"05")
        << "six starts of the program did not take the run's locale (this process's: " << mine << ")";
    Program p;
    HWND main = p.window();
    ASSERT_TRUE(main);

    for (const expected::Row& r : expected::rows()) {
        if (!r.driven) continue;
        SCOPED_TRACE(testing::Message() << "row " << (&r - expected::rows().data()));
        press(main, wide(expected::button_caption(r.distribution)).c_str());
        const std::vector<HWND> boxes = Program::children(main, L"Edit");
        ASSERT_GE(boxes.size(), 3u);
        type(main, boxes[0], wide(r.value));  // typed: the comma filter acts
        EXPECT_EQ(text_of(boxes[0]).find(L','), std::wstring::npos);
        if (r.dfnum) SendMessageW(boxes[1], WM_SETTEXT, 0, LPARAM(wide(*r.dfnum).c_str()));
        if (r.dfden) SendMessageW(boxes[2], WM_SETTEXT, 0, LPARAM(wide(*r.dfden).c_str()));
        press(main, L"Run");
        if (!r.message.empty()) {
            // A refusal: the standard message box, answered with OK.
            HWND box = p.window(L"#32770");
            ASSERT_TRUE(box);
            EXPECT_EQ(text_of(box), L"Varendo");
            EXPECT_EQ(text_of(GetDlgItem(box, 0xFFFF)), wide(expected::localised(r.message, char16_t(separator[0]))));
            PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
            Sleep(300);
            EXPECT_EQ(p.window(), main);
            continue;
        }
        HWND result = p.window();
        ASSERT_TRUE(result);
        ASSERT_NE(result, main);
        HWND line = Program::child(result, L"Static", wide(r.line).c_str());
        EXPECT_TRUE(line) << "no line reading as expected";
        // The plot's words, as a screen reader reads its window text.
        const std::vector<HWND> plot = Program::children(result, L"VarendoDrawing");
        ASSERT_EQ(plot.size(), 1u);
        EXPECT_NE(text_of(plot[0]).find(L" density"), std::wstring::npos) << "the plot says nothing";
        EXPECT_EQ(text_of(plot[0]).rfind(wide(expected::localised(r.asked, char16_t(separator[0]))), 0), 0u)
            << "the plot's words begin with the question as read";
        if (!r.note.empty()) {
            // What was read of a box not read in full, beside the answer.
            bool said = false;
            for (HWND h : Program::children(result, L"Static")) {
                std::wstring t = text_of(h);
                std::erase(t, L'\r');
                std::replace(t.begin(), t.end(), L'\n', L' ');
                said = said || t == wide(expected::localised(r.note, char16_t(separator[0])));
            }
            EXPECT_TRUE(said) << "the note is missing";
        }
        if (!r.critical.empty()) {
            EXPECT_TRUE(Program::child(result, L"Static", with_crlf(expected::localised(r.critical, char16_t(separator[0])))))
                << "no critical values";
        }
        if (!r.exact.empty()) {
            std::u16string exact = r.exact;
            std::replace(exact.begin(), exact.end(), u'.', char16_t(separator[0]));
            EXPECT_TRUE(Program::child(result, L"Static", with_crlf(exact).c_str())) << "no exact values";
            for (bool button : {false, true}) {
                SCOPED_TRACE(button ? "Copy" : "Ctrl+C");
                empty_clipboard();
                if (button) press(result, L"Copy");
                else press_ctrl_c(result);
                EXPECT_EQ(GetClipboardOwner(), result);
                // Each field's exact value, as the strip shows it after its name.
                const std::wstring copied = clipboard();
                for (size_t from = 0; from < exact.size();) {
                    const size_t end = std::min(exact.find(u'\n', from), exact.size());
                    const std::u16string value = exact.substr(from + 12, end - from - 12);
                    EXPECT_NE(copied.find(L"exact " + wide(value) + L"\r\n"), std::wstring::npos) << wide(value);
                    from = end + 1;
                }
            }
            // Ctrl+C in the level box: its own selection, as in any box, else the report.
            HWND alpha = Program::children(result, L"Edit").at(0);
            PostMessageW(alpha, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            PostMessageW(alpha, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
            Sleep(200);
            for (bool selected : {true, false}) {
                SCOPED_TRACE(selected ? "Ctrl+C on a selection in the level box" : "Ctrl+C in the level box");
                empty_clipboard();
                SendMessageW(alpha, EM_SETSEL, 0, selected ? -1 : 0);
                press_ctrl_c(result);
                const std::wstring copied = clipboard();
                if (selected) EXPECT_EQ(copied, std::wstring(L"0") + separator + L"05");  // as the locale writes it
                else EXPECT_EQ(copied.rfind(L"Varendo: ", 0), 0u) << "not the report";
            }
        }
        press(result, L"Back");
        EXPECT_EQ(p.window(), main);
    }

    press(main, L"Exit");
    EXPECT_TRUE(p.ended(5000));
}

// Enter on the focused button presses it (About has the focus at start: the
// boxes are hidden and Run is off); Ctrl+plus three times doubles the window,
// Ctrl+0 brings it back.
TEST(WindowsDriven, EnterPressesTheFocusedButtonAndCtrlPlusZooms)
{
    Program p;
    HWND main = p.window();
    ASSERT_TRUE(main);
    press_key(main, VK_RETURN, false);
    HWND about = p.window(L"#32770");
    ASSERT_TRUE(about) << "Enter did not press About";
    PostMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    Sleep(300);
    const SIZE before = client_size(main);
    for (int step = 0; step < 3; ++step) press_key(main, VK_OEM_PLUS, true);  // 125, 150, 200 %
    const SIZE zoomed = client_size(main);
    EXPECT_LE(std::abs(zoomed.cx - 2 * before.cx), 2);
    EXPECT_LE(std::abs(zoomed.cy - 2 * before.cy), 2);
    press_key(main, '0', true);
    EXPECT_EQ(client_size(main).cx, before.cx);
    EXPECT_EQ(client_size(main).cy, before.cy);
}

// Every command once, then the close box of each window, in processes of their
// own: under exception tracing (no_exception_traced.sh) none may fault.
TEST(WindowsDriven, EveryCommandAndBothCloseBoxes)
{
    for (const bool close_result : {true, false}) {
        Program p;
        HWND main = p.window();
        ASSERT_TRUE(main);
        press(main, L"About...");
        HWND about = p.window(L"#32770");
        ASSERT_TRUE(about);
        PostMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
        Sleep(300);
        for (const auto d : {run::DistributionId::chi_square, run::DistributionId::normal,
                             run::DistributionId::t, run::DistributionId::f}) {
            press(main, wide(expected::button_caption(d)));
            for (HWND box : Program::children(main, L"Edit")) SendMessageW(box, WM_SETTEXT, 0, LPARAM(L"1"));
            press(main, L"Run");
            HWND result = p.window();
            ASSERT_NE(result, main);
            if (d == run::DistributionId::f) {
                if (close_result) {
                    PostMessageW(result, WM_CLOSE, 0, 0);
                    EXPECT_TRUE(p.ended(5000));
                    break;
                }
            }
            press(result, L"Back");
            ASSERT_EQ(p.window(), main);
        }
        if (!close_result) {
            PostMessageW(main, WM_CLOSE, 0, 0);
            EXPECT_TRUE(p.ended(5000));
        }
    }
}
