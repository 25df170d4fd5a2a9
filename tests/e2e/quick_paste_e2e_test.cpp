// The real SWL.exe's quick-paste hotkey, pressed while another program (the
// paste target, an edit control in a process of its own) has the keyboard:
// the popup opens at that program's caret, a digit pastes that entry into
// it, typed letters narrow the list, Escape pastes nothing, and a hotkey
// that another program holds is reported.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "program_windows.h"
#include "test_support.h"

namespace swl::test {
namespace {

constexpr wchar_t kPopupClass[] = L"TfrmQuickPaste";
constexpr wchar_t kTargetClass[] = L"StashwellPasteTarget";

std::wstring ProgramExe() { return ToWindowsPath(SWL_EXE_PATH); }
std::wstring PasteTargetExe() { return ToWindowsPath(PASTE_TARGET_PATH); }

// Key strokes as the keyboard would send them.
void SendKeys(const std::vector<WORD>& downs) {
    std::vector<INPUT> inputs;
    auto key = [&](WORD vk, DWORD flags) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        in.ki.dwFlags = flags;
        inputs.push_back(in);
    };
    for (WORD vk : downs) key(vk, 0);
    for (auto it = downs.rbegin(); it != downs.rend(); ++it) key(*it, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void PressCtrlAltF9() { SendKeys({VK_CONTROL, VK_MENU, VK_F9}); }

// Each character with the Shift its key needs on this layout, so that
// capitals arrive as capitals.
void TypeText(const std::string& letters) {
    for (char c : letters) {
        const SHORT scan = VkKeyScanW(static_cast<wchar_t>(c));
        const WORD vk = static_cast<WORD>(scan & 0xFF);
        if (scan & 0x100)
            SendKeys({VK_SHIFT, vk});
        else
            SendKeys({vk});
    }
}

struct OwnTempFolder {
    TempFolder folder;
};

// The program with a settings file that sets its hotkey, and a paste target
// that holds the keyboard.
class QuickPasteTest : public ::testing::Test, private OwnTempFolder {
protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowW(L"TfrmMain", nullptr), nullptr);
        ASSERT_TRUE(EmptyTheClipboard(owner.Handle()));
    }

    bool StartProgram(const std::string& hotKey, bool mainWindowShown = false, const std::string& more = "") {
        if (!WriteFileBytes(folder.Path() + L"SWL.ini", std::string("[SWL]\r\nFTR=") + (mainWindowShown ? "1" : "0") +
                                                            "\r\nHotKey=" + hotKey + "\r\n" + more))
            return false;
        program = std::make_unique<RunningProgram>(ProgramExe(), folder.Path());
        return program->Start();
    }

    void StartTarget() {
        ASSERT_TRUE(target.Start(PasteTargetExe(), {}));
        ASSERT_TRUE(PumpUntil([&] {
            window = FindWindowOf(target.Id(), kTargetClass, true);
            return window && GetForegroundWindow() == window;
        }, 20000));
        edit = FindWindowOf(target.Id(), L"Edit");
        ASSERT_NE(edit, nullptr);
        // The window is in front before its thread has handled the
        // activation: the edit takes the focus, creates its caret and only
        // then places it, so the caret is there once it has a size.
        ASSERT_TRUE(PumpUntil([&] {
            const GUITHREADINFO info = TargetThreadInfo();
            return info.hwndCaret == edit && info.rcCaret.bottom > info.rcCaret.top;
        }, 20000)) << "the target's edit never showed its caret";
    }

    void Copy(const std::u16string& text) {
        const std::size_t before = program->Lines().size();
        ASSERT_TRUE(WriteClipboard(owner.Handle(), ClipboardContent{.unicode = text}));
        ASSERT_TRUE(PumpUntil([&] { return program->Lines().size() == before + 1; }));
    }

    HWND Popup() const { return FindWindowOf(program->Id(), kPopupClass, true); }
    bool WaitForPopup() { return PumpUntil([&] { return Popup() != nullptr && GetForegroundWindow() == Popup(); }); }
    std::u16string EditText() const { return TextOf(edit); }

    GUITHREADINFO TargetThreadInfo() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        return info;
    }

    // The target's caret on the screen.
    RECT TargetCaret() const {
        const GUITHREADINFO info = TargetThreadInfo();
        if (!info.hwndCaret) return {};
        RECT caret = info.rcCaret;
        MapWindowPoints(info.hwndCaret, nullptr, reinterpret_cast<POINT*>(&caret), 2);
        return caret;
    }

    void TearDown() override {
        target.Terminate();
        if (program) EXPECT_TRUE(program->Close());
    }

    MessageWindow owner;
    std::unique_ptr<RunningProgram> program;
    ChildProcess target;
    HWND window = nullptr;
    HWND edit = nullptr;
};

TEST_F(QuickPasteTest, TheHotKeyOpensThePopupAtTheCaretAndADigitPastesThatEntry) {
    ASSERT_TRUE(StartProgram("Ctrl+Alt+F9"));
    Copy(u"oldest");
    Copy(u"second newest");
    Copy(u"newest");
    StartTarget();
    // The edit gives up its caret when it loses the keyboard to the popup.
    const RECT caret = TargetCaret();

    PressCtrlAltF9();
    ASSERT_TRUE(WaitForPopup());
    const RECT popup = RectOf(Popup());
    EXPECT_EQ(popup.left, caret.left);
    EXPECT_EQ(popup.top, caret.bottom + 2);

    TypeText("2");
    EXPECT_TRUE(PumpUntil([&] { return EditText() == u"second newest"; })) << std::string(EditText().begin(), EditText().end());
    EXPECT_EQ(Popup(), nullptr);
    // Picked as Copy to Clipboard does: the item is now the newest.
    EXPECT_TRUE(PumpUntil([&] { return program->Lines().back() == u"second newest"; }));

    // The newest item with "1", typed after what is there.
    PressCtrlAltF9();
    ASSERT_TRUE(WaitForPopup());
    TypeText("1");
    EXPECT_TRUE(PumpUntil([&] { return EditText() == u"second newestsecond newest"; }));
}

// The notification a copy shows slides up over the program the user copied
// in, and leaves it the keyboard, also while the main window is open: what the user types next is not lost. The
// last pick's own copy shows it too.
TEST_F(QuickPasteTest, TheNotificationOfACopyLeavesTheKeyboardWithTheProgramInFront) {
    // With the main window open beside the target, as on a first start.
    ASSERT_TRUE(StartProgram("Ctrl+Alt+F9", true));
    ASSERT_TRUE(PumpUntil([&] { return FindWindowOf(program->Id(), L"TfrmMain", true) != nullptr; }));
    StartTarget();
    Copy(u"copied");
    ASSERT_TRUE(PumpUntil([&] { return FindWindowOf(program->Id(), L"TfrmTrayWnd", true) != nullptr; }))
        << "the copy showed no notification";
    EXPECT_EQ(GetForegroundWindow(), window);
    TypeText("ab");
    EXPECT_TRUE(PumpUntil([&] { return EditText() == u"ab"; })) << std::string(EditText().begin(), EditText().end());

    PressCtrlAltF9();
    ASSERT_TRUE(WaitForPopup());
    TypeText("1");
    ASSERT_TRUE(PumpUntil([&] { return EditText() == u"abcopied"; }));
    TypeText("cd");
    EXPECT_TRUE(PumpUntil([&] { return EditText() == u"abcopiedcd"; })) << std::string(EditText().begin(), EditText().end());
    EXPECT_EQ(GetForegroundWindow(), window);
}

TEST_F(QuickPasteTest, TypedLettersNarrowTheListAndEscapePastesNothing) {
    ASSERT_TRUE(StartProgram("Ctrl+Alt+F9"));
    Copy(u"apple pie");
    Copy(u"banana split");
    Copy(u"cherry tart");
    StartTarget();

    // "AN", typed with Shift, matches "an": "banana split" is first, and
    // Ctrl+1 pastes it (with a letter in the filter, "1" would go there).
    PressCtrlAltF9();
    ASSERT_TRUE(WaitForPopup());
    TypeText("AN");
    SendKeys({VK_CONTROL, '1'});
    EXPECT_TRUE(PumpUntil([&] { return EditText() == u"banana split"; }));

    // Escape: the popup goes, the target has the keyboard again, and
    // nothing more arrives in the edit.
    PressCtrlAltF9();
    ASSERT_TRUE(WaitForPopup());
    TypeText("p");
    SendKeys({VK_ESCAPE});
    EXPECT_TRUE(PumpUntil([&] { return Popup() == nullptr && GetForegroundWindow() == window; }));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    EXPECT_EQ(EditText(), u"banana split");
    // The keyboard is the target's: typing goes into the edit.
    TypeText("x");
    EXPECT_TRUE(PumpUntil([&] { return EditText() == u"banana splitx"; }));
}

// Keys typed into the hotkey field on the Settings page: Home cannot be a
// hotkey, Alt+V can but was not confirmed, and neither acts on the page
// (Alt+V is the language box's access key). The user then goes to another
// program: nothing typed is taken, the held combination is held again.
TEST_F(QuickPasteTest, KeysTypedIntoTheHotKeyFieldTakeNoKeyAndChangeNoSetting) {
    ASSERT_TRUE(StartProgram("Ctrl+Alt+F9", true, "Page=1\r\n"));
    HWND field = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (field = FindWindowOf(program->Id(), L"THotKeyField", true)) != nullptr; }));
    const HWND main = program->MainWindow();
    SetForegroundWindow(main);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main; }));
    const RECT at = RectOf(field);
    ClickAt({(at.left + at.right) / 2, (at.top + at.bottom) / 2});
    // Holding the field's keyboard, the program lets its own hotkey go.
    ASSERT_TRUE(PumpUntil([&] {
        if (!RegisterHotKey(owner.Handle(), 8, MOD_CONTROL | MOD_ALT, VK_F9)) return false;
        UnregisterHotKey(owner.Handle(), 8);
        return true;
    })) << "the field never took the keyboard";

    SendKeys({VK_HOME});
    SendKeys({VK_MENU, 'V'});
    std::u16string shown;
    ASSERT_TRUE(PumpUntil([&] { return (shown = TextOf(field)) == u"Alt+V"; })) << std::string(shown.begin(), shown.end());

    StartTarget();
    // Back in the other program the held combination is the program's again.
    EXPECT_TRUE(PumpUntil([&] { return !RegisterHotKey(owner.Handle(), 8, MOD_CONTROL | MOD_ALT, VK_F9); }));
    UnregisterHotKey(owner.Handle(), 8);
    for (const auto& [modifiers, vk] : {std::pair<UINT, UINT>{0, VK_HOME}, std::pair<UINT, UINT>{MOD_ALT, 'V'}}) {
        EXPECT_TRUE(RegisterHotKey(owner.Handle(), 9, modifiers, vk)) << "the program holds " << vk;
        UnregisterHotKey(owner.Handle(), 9);
    }
    const HWND lang = [&] {
        for (HWND box : ChildrenTopDown(main, L"Button"))
            if (TextOf(box) == u"&Vietnamese interface") return box;
        return HWND{};
    }();
    ASSERT_NE(lang, nullptr) << "the language changed";
    EXPECT_EQ(SendMessageW(lang, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(QuickPasteTest, AHotKeyThatAnotherProgramHoldsIsReportedAndTheProgramRunsOn) {
    // This process holds the combination first.
    ASSERT_TRUE(RegisterHotKey(owner.Handle(), 7, MOD_CONTROL | MOD_ALT, VK_F9));
    ASSERT_TRUE(StartProgram("Ctrl+Alt+F9"));
    HWND dialog = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (dialog = FindWindowOf(program->Id(), L"TPromptForm")) && IsWindowVisible(dialog); }, 20000));
    // Ctrl+C in the dialog copies its message.
    SetForegroundWindow(dialog);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog; }));
    SendKeys({VK_CONTROL, 'C'});
    std::u16string said;
    EXPECT_TRUE(PumpUntil([&] {
        said = ReadClipboardUnicode(owner.Handle()).value_or(u"");
        return said.find(u"Ctrl+Alt+F9") != std::u16string::npos;
    })) << std::string(said.begin(), said.end());
    EXPECT_NE(said.find(u"Another program holds the quick-paste hotkey"), std::u16string::npos);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }));
    UnregisterHotKey(owner.Handle(), 7);
    // It runs on, capturing as before.
    Copy(u"still recording");
    EXPECT_EQ(program->Lines().back(), u"still recording");
}

}  // namespace
}  // namespace swl::test
