// The real SWL.exe driven by the keyboard alone, from this process: Tab
// reaches every control of the Settings page and of the link panel in the
// designed order, Alt+V switches the interface to Vietnamese and its
// Vietnamese access key back, and Space on the focused "Options" strip
// collapses the group and expands it again. A screen reader in another
// process reads the controls' names, roles and states.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "program_windows.h"
#include "test_support.h"

namespace swl::test {
namespace {

struct OwnTempFolder {
    TempFolder folder;
};

class KeyboardProgram : private OwnTempFolder, public RunningProgram {
public:
    KeyboardProgram() : RunningProgram(ToWindowsPath(SWL_EXE_PATH), folder.Path()) {}

    // The window with the keyboard focus in the program's main thread.
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        const DWORD thread = GetWindowThreadProcessId(MainWindow(), nullptr);
        return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
    }
};

std::string Narrow(const std::u16string& text) {
    char out[256] = {};
    WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<const wchar_t*>(text.c_str()), -1, out, sizeof out, nullptr,
                        nullptr);
    return out;
}

struct Search {
    const wchar_t* className;
    const std::u16string* text;
    HWND found = nullptr;
};

BOOL CALLBACK MatchControl(HWND hwnd, LPARAM data) {
    auto& s = *reinterpret_cast<Search*>(data);
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (lstrcmpiW(name, s.className) != 0 || !IsWindowVisible(hwnd) || TextOf(hwnd) != *s.text) return TRUE;
    s.found = hwnd;
    return FALSE;
}

// The visible control of that class and text below the main window.
HWND FindControl(HWND main, const wchar_t* className, const std::u16string& text) {
    Search search{className, &text};
    EnumChildWindows(main, &MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class KeyboardE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowW(L"TfrmMain", nullptr), nullptr);
        ASSERT_TRUE(EmptyTheClipboard(owner.Handle()));
        ASSERT_TRUE(program.Start());
        main = program.MainWindow();
        // A first start shows the window; it is brought to the front for the keys.
        if (!IsWindowVisible(main)) ShowWindow(main, SW_SHOW);
        // The system names the window foreground before the program's
        // thread has handled the activation; the keys go where the focus is
        // once it has, so both are waited for.
        SetForegroundWindow(main);
        ASSERT_TRUE(PumpUntil([&] {
            const HWND focus = program.Focus();
            return GetForegroundWindow() == main && (focus == main || IsChild(main, focus));
        }, 10000)) << Where();
    }
    void TearDown() override { EXPECT_TRUE(program.Close()); }

    bool KeysMoveFocusTo(std::initializer_list<WORD> keys, HWND expected) {
        PressKeys(keys);
        return PumpUntil([&] { return program.Focus() == expected; }, 5000);
    }
    // Which window is in front and which has the focus, for a failure.
    std::string Where() const {
        auto describe = [](HWND hwnd) {
            wchar_t name[64] = {};
            if (hwnd) GetClassNameW(hwnd, name, 64);
            char out[160] = {};
            WideCharToMultiByte(CP_UTF8, 0, name, -1, out, sizeof out, nullptr, nullptr);
            return std::string(hwnd ? out : "none") + " \"" + Narrow(TextOf(hwnd)) + "\"";
        };
        return "foreground " + describe(GetForegroundWindow()) + ", focus " + describe(program.Focus());
    }
    HWND Control(const wchar_t* className, const std::u16string& text) {
        HWND hwnd = FindControl(main, className, text);
        EXPECT_NE(hwnd, nullptr) << "no visible control " << Narrow(text);
        return hwnd;
    }

    MessageWindow owner;
    KeyboardProgram program;
    HWND main = nullptr;
};

TEST_F(KeyboardE2eTest, TabAltVAndSpaceOnTheOptionsStripWorkInTheRealProgram) {
    // The Settings link by the keyboard: Tab from the window to it, Enter.
    const HWND settingsLink = Control(L"TMarkupLabel", u"Settings");
    ASSERT_NE(settingsLink, nullptr);
    for (int i = 0; i < 20 && program.Focus() != settingsLink; ++i) {
        const HWND before = program.Focus();
        PressKey(VK_TAB);
        PumpUntil([&] { return program.Focus() != before; }, 3000);
    }
    ASSERT_EQ(program.Focus(), settingsLink) << "Tab never reached the Settings link; " << Where();
    PressKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return FindControl(main, L"Button", u"&Vietnamese interface") != nullptr; }, 5000))
        << "Enter on the Settings link did not show the Settings page";

    // A whole round from the Settings link, as designed: the Options group's
    // links, the page's controls, then the Stashwell group. Disabled ones
    // (Paste with nothing selected, Clear Windows Clipboard on an empty
    // clipboard, Restore Clipboard while Save on Exit is off) are skipped.
    const std::vector<HWND> designed{
        Control(L"TMarkupLabel", u"About"),
        Control(L"TMarkupLabel", u"Hide Stashwell"),
        Control(L"TMarkupLabel", u"Exit"),
        Control(L"Button", u"&Auto load with Windows"),
        Control(L"Button", u"&Monitor Windows Clipboard"),
        Control(L"Button", u"&Save on Exit"),
        Control(L"Button", u"&Restore Clipboard when start"),
        Control(L"Button", u"&Vietnamese interface"),
        FindWindowOf(program.Id(), L"TTrackBar", true),
        // after the designed ones: the quick-paste switch and field
        Control(L"Button", u"&Quick paste"),
        FindWindowOf(program.Id(), L"THotKeyField", true),
        Control(L"TExplorerBarCaption", u"Stashwell"),
        Control(L"TMarkupLabel", u"Show All"),
        Control(L"TMarkupLabel", u"Paste"),
        Control(L"TMarkupLabel", u"Clear Windows Clipboard"),
        Control(L"TExplorerBarCaption", u"Options"),
        settingsLink,
    };
    std::vector<HWND> round;
    for (HWND hwnd : designed)
        if (hwnd && IsWindowEnabled(hwnd)) round.push_back(hwnd);
    ASSERT_GE(round.size(), 11u);
    for (HWND next : round)
        ASSERT_TRUE(KeysMoveFocusTo({VK_TAB}, next))
            << "expected \"" << Narrow(TextOf(next)) << "\"; " << Where();

    // Alt+V: Vietnamese; the Vietnamese caption's access key, V, back.
    const HWND lang = Control(L"Button", u"&Vietnamese interface");
    ASSERT_NE(lang, nullptr);
    PressKeys({VK_MENU, 'V'});
    ASSERT_TRUE(PumpUntil([&] { return SendMessageW(lang, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5000));
    EXPECT_TRUE(PumpUntil([&] { return TextOf(lang) == u"Giao di\u1EC7n Ti\u1EBFng &Vi\u1EC7t"; }, 5000));
    PressKeys({VK_MENU, 'V'});
    ASSERT_TRUE(PumpUntil([&] { return SendMessageW(lang, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, 5000));
    EXPECT_TRUE(PumpUntil([&] { return TextOf(lang) == u"&Vietnamese interface"; }, 5000));

    // Space on the focused Options strip collapses its group to the strip.
    const HWND options = Control(L"TExplorerBarCaption", u"Options");
    ASSERT_NE(options, nullptr);
    const HWND group = GetParent(options);
    // Alt+V left the focus on the box; Shift+Tab goes back to the strip.
    for (int i = 0; i < 20 && program.Focus() != options; ++i) {
        const HWND before = program.Focus();
        PressKeys({VK_SHIFT, VK_TAB});
        PumpUntil([&] { return program.Focus() != before; }, 3000);
    }
    ASSERT_EQ(program.Focus(), options) << "Shift+Tab never reached the Options strip; " << Where();
    auto height = [&] {
        const RECT r = RectOf(group);
        return r.bottom - r.top;
    };
    ASSERT_EQ(height(), 92);
    PressKey(VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return height() == 19; }, 5000)) << "height " << height();
    EXPECT_EQ(program.Focus(), options);
    PressKey(VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return height() == 92; }, 5000)) << "height " << height();
}

// A client in this process, as a screen reader is: the program's objects
// cross the process boundary through the system's marshalling.
TEST_F(KeyboardE2eTest, AScreenReaderInAnotherProcessReadsTheControls) {
    constexpr GUID kIAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    struct Case {
        const wchar_t* className;
        std::u16string text;
        std::u16string name;
        long role;
    };
    const Case cases[] = {
        {L"TMarkupLabel", u"Settings", u"Settings", ROLE_SYSTEM_LINK},
        {L"TExplorerBarCaption", u"Options", u"Options", ROLE_SYSTEM_OUTLINEBUTTON},
    };
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.name));
        const HWND hwnd = Control(c.className, c.text);
        ASSERT_NE(hwnd, nullptr);
        IAccessible* acc = nullptr;
        ASSERT_EQ(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                                             reinterpret_cast<void**>(&acc)),
                  S_OK);
        BSTR name = nullptr;
        EXPECT_EQ(acc->get_accName(self, &name), S_OK);
        EXPECT_EQ(Narrow(name ? std::u16string(reinterpret_cast<const char16_t*>(name)) : u""), Narrow(c.name));
        SysFreeString(name);
        VARIANT role;
        VariantInit(&role);
        EXPECT_EQ(acc->get_accRole(self, &role), S_OK);
        EXPECT_EQ(role.lVal, c.role);
        acc->Release();
    }
    CoUninitialize();
}

}  // namespace
}  // namespace swl::test
