// The quick-paste setting on the Settings page of a real main window: the
// new switch and field below the designed controls, the page scrolling to
// them, the switch and the field registering the hotkey, and a combination
// another window holds reported through the message dialog.
#include "MainForm.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "hotkey_keys.h"
#include "test_support.h"

namespace swl {
namespace {

RECT InPage(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Whether this thread could hold the combination now (so nobody holds it).
bool Free(const HotKey& hotKey, HWND probe) {
    const auto key = ToSystemHotKey(hotKey);
    if (!key || !RegisterHotKey(probe, 99, key->modifiers, key->vk)) return false;
    UnregisterHotKey(probe, 99);
    return true;
}

class QuickPasteSettingTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TfrmMain>(app, TfrmMain::Options{false});
        form->SettingsDialogSink = [this](TDlgType, const std::u16string& text) { said.push_back(text); };
        form->SetPageIndex(1);
    }
    TApplication app;
    test::MessageWindow probe;
    std::unique_ptr<TfrmMain> form;
    std::vector<std::u16string> said;
};

TEST_F(QuickPasteSettingTest, TheNewControlsLieBelowTheDesignedOnesAndThePageScrollsToThem) {
    const HWND page = form->PageHandle(1);
    RECT client{};
    GetClientRect(page, &client);
    // The designed controls are where they were; the new ones start below
    // the lowest of them.
    const RECT lang = InPage(form->ckLang.Handle());
    EXPECT_EQ(lang.left, 16);
    EXPECT_EQ(lang.top, 128);
    const RECT track = InPage(form->tbTransparent.Handle());
    EXPECT_EQ(track.top, 149);
    const RECT box = InPage(form->ckHotKey.Handle());
    const RECT field = InPage(form->hkQuickPaste);
    EXPECT_GE(box.top, track.bottom);
    EXPECT_GE(field.top, box.bottom);
    EXPECT_GT(field.bottom, client.bottom) << "the design size shows the field only when scrolled";
    EXPECT_GE(client.right, track.right - 2) << "the scroll bar leaves the track bar in view";

    form->SettingsScroller.ScrollTo(1000);
    const RECT scrolledField = InPage(form->hkQuickPaste);
    EXPECT_LE(scrolledField.bottom, client.bottom);
    EXPECT_GE(scrolledField.top, 0);
    EXPECT_EQ(InPage(form->ckLang.Handle()).top - lang.top, scrolledField.top - field.top)
        << "everything moves together";
    form->SettingsScroller.ScrollTo(0);
    EXPECT_EQ(InPage(form->ckLang.Handle()).top, 128);

    // A window tall enough shows it all, without scrolling.
    ShowWindow(form->Handle(), SW_MAXIMIZE);
    EXPECT_EQ(form->SettingsScroller.Position(), 0);
    EXPECT_EQ(InPage(form->hkQuickPaste).top, field.top);
}

TEST_F(QuickPasteSettingTest, TheSwitchAndTheFieldHoldTheHotKey) {
    const HotKey f9{kHotKeyCtrl | kHotKeyAlt, kVkF1 + 8, 0};
    const HotKey f11{kHotKeyCtrl | kHotKeyAlt | kHotKeyShift, kVkF1 + 10, 0};
    ASSERT_TRUE(Free(f9, probe.Handle()));
    ASSERT_TRUE(Free(f11, probe.Handle()));

    // Without a settings file the hotkey is off, the field shows the default.
    EXPECT_FALSE(form->QuickPasteOn());
    EXPECT_FALSE(form->ckHotKey.Checked());
    EXPECT_EQ(SendMessageW(form->hkQuickPaste, HKM_GETHOTKEY, 0, 0), ToHotKeyControlWord(kDefaultHotKey));

    form->SetQuickPaste(f9, true);
    EXPECT_TRUE(form->ckHotKey.Checked());
    EXPECT_TRUE(form->QuickPasteRegistered());
    EXPECT_FALSE(Free(f9, probe.Handle()));

    // A new combination in the field moves the hotkey.
    SendMessageW(form->hkQuickPaste, HKM_SETHOTKEY, ToHotKeyControlWord(f11), 0);
    SendMessageW(form->PageHandle(1), WM_COMMAND, MAKEWPARAM(kIdHkQuickPaste, EN_CHANGE),
                 reinterpret_cast<LPARAM>(form->hkQuickPaste));
    EXPECT_EQ(form->QuickPasteKey, f11);
    EXPECT_TRUE(Free(f9, probe.Handle()));
    EXPECT_FALSE(Free(f11, probe.Handle()));

    // Modifiers alone, or a letter alone, change nothing.
    for (WORD word : {WORD(MAKEWORD(0, HOTKEYF_CONTROL)), WORD('V'), WORD(MAKEWORD('V', HOTKEYF_SHIFT))}) {
        SendMessageW(form->hkQuickPaste, HKM_SETHOTKEY, word, 0);
        SendMessageW(form->PageHandle(1), WM_COMMAND, MAKEWPARAM(kIdHkQuickPaste, EN_CHANGE),
                     reinterpret_cast<LPARAM>(form->hkQuickPaste));
        EXPECT_EQ(form->QuickPasteKey, f11) << word;
    }

    // The switch turns it off and on again with the same combination.
    form->ckHotKey.Click();
    EXPECT_FALSE(form->QuickPasteOn());
    EXPECT_TRUE(Free(f11, probe.Handle()));
    form->ckHotKey.Click();
    EXPECT_TRUE(form->QuickPasteOn());
    EXPECT_FALSE(Free(f11, probe.Handle()));
    EXPECT_TRUE(said.empty());

    // While the field has the keyboard the hotkey is let go, so that it can
    // be typed there; a combination typed then is taken when the field
    // loses the keyboard. Taking the keyboard scrolls the field into view.
    SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(form->Handle());
    SetFocus(form->hkQuickPaste);
    ASSERT_EQ(GetFocus(), form->hkQuickPaste);
    EXPECT_GT(form->SettingsScroller.Position(), 0);
    EXPECT_TRUE(Free(f11, probe.Handle()));
    SendMessageW(form->hkQuickPaste, HKM_SETHOTKEY, ToHotKeyControlWord(f9), 0);
    SendMessageW(form->PageHandle(1), WM_COMMAND, MAKEWPARAM(kIdHkQuickPaste, EN_CHANGE),
                 reinterpret_cast<LPARAM>(form->hkQuickPaste));
    EXPECT_TRUE(Free(f9, probe.Handle()));
    SetFocus(form->ckAutoLoad.Handle());
    EXPECT_EQ(form->SettingsScroller.Position(), 0) << "the first box taking the keyboard brings the page's top";
    EXPECT_EQ(form->QuickPasteKey, f9);
    EXPECT_FALSE(Free(f9, probe.Handle()));
    EXPECT_TRUE(Free(f11, probe.Handle()));

    // Closing the window lets it go.
    form.reset();
    EXPECT_TRUE(Free(f9, probe.Handle()));
}

TEST_F(QuickPasteSettingTest, ACombinationHeldElsewhereIsReportedAndNotHeld) {
    const HotKey f9{kHotKeyCtrl | kHotKeyAlt, kVkF1 + 8, 0};
    const auto key = ToSystemHotKey(f9);
    ASSERT_TRUE(RegisterHotKey(probe.Handle(), 5, key->modifiers, key->vk));
    form->SetQuickPaste(f9, true);
    UnregisterHotKey(probe.Handle(), 5);
    EXPECT_FALSE(form->QuickPasteRegistered());
    EXPECT_TRUE(form->QuickPasteOn()) << "kept as chosen, so the next start tries again";
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find(u"Another program holds the quick-paste hotkey"), std::u16string::npos);
    EXPECT_NE(said[0].find(u"Ctrl+Alt+F9"), std::u16string::npos);
}

}  // namespace
}  // namespace swl
