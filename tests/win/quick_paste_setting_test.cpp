// The quick-paste setting on the Settings page of a real main window: the
// switch and the field in the page's free space, the switch keeping the
// combination, the field taking typed combinations only when they are
// confirmed and refusing those that cannot be hotkeys, and a combination
// another program holds reported over the program's own window only.
#include "MainForm.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "hotkey_keys.h"
#include "program_pump.h"
#include "test_support.h"

namespace swl {
namespace {

using test::PumpProgramUntil;

constexpr HotKey kCtrlAltF9{kHotKeyCtrl | kHotKeyAlt, kVkF1 + 8, 0};
constexpr HotKey kCtrlAltF11{kHotKeyCtrl | kHotKeyAlt, kVkF1 + 10, 0};
constexpr HotKey kCtrlAltF12{kHotKeyCtrl | kHotKeyAlt, kVkF1 + 11, 0};
constexpr HotKey kAltV{kHotKeyAlt, 'V', 0};

RECT InPage(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Whether this thread could hold the combination now (so nobody holds it).
bool Free(const SystemHotKey& key, HWND probe) {
    if (!RegisterHotKey(probe, 99, key.modifiers, key.vk)) return false;
    UnregisterHotKey(probe, 99);
    return true;
}
bool Free(const HotKey& hotKey, HWND probe) {
    const auto key = ToSystemHotKey(hotKey);
    return key && Free(*key, probe);
}

class QuickPasteSettingTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TfrmMain>(app, TfrmMain::Options{false});
        form->SettingsDialogSink = [this](TDlgType, const std::u16string& text) { said.push_back(text); };
        form->SetPageIndex(1);
    }
    // The window in front with the field holding the keyboard, for typing.
    void TypeIntoTheField() {
        form->miShowClick();
        SetForegroundWindow(form->Handle());
        ASSERT_TRUE(PumpProgramUntil([&] { return GetForegroundWindow() == form->Handle(); }));
        SetFocus(form->hkQuickPaste.Handle());
        ASSERT_TRUE(PumpProgramUntil([&] { return GetFocus() == form->hkQuickPaste.Handle(); }));
    }
    bool Shows(const std::u16string& text) {
        return PumpProgramUntil([&] { return form->hkQuickPaste.Text() == text; });
    }
    bool Refuses(const std::u16string& part) {
        return PumpProgramUntil(
            [&] { return form->hkQuickPaste.Refusal().find(part) != std::u16string::npos; });
    }

    TApplication app;
    test::MessageWindow probe;
    std::unique_ptr<TfrmMain> form;
    std::vector<std::u16string> said;
};

struct Placed {
    HWND control;
    RECT designed;  // left, top, right, bottom; right 0: not designed
};

TEST_F(QuickPasteSettingTest, EveryControlOfThePageIsInViewAtDesignSizeAndTheDesignedOnesStayPut) {
    const HWND page = form->PageHandle(1);
    RECT client{};
    GetClientRect(page, &client);
    EXPECT_EQ(client.right, 244);
    EXPECT_EQ(client.bottom, 186);
    EXPECT_FALSE(GetWindowLongPtrW(page, GWL_STYLE) & WS_VSCROLL) << "no scroll bar";

    TfrmMain& f = *form;
    const Placed controls[] = {
        {f.ckAutoLoad.Handle(), {16, 32, 16 + 137, 32 + 17}},
        {f.ckMonitor.Handle(), {16, 56, 16 + 152, 56 + 17}},
        {f.ckSave.Handle(), {16, 80, 16 + 82, 80 + 17}},
        {f.ckRestoreCB.Handle(), {16, 104, 16 + 163, 104 + 17}},
        {f.ckLang.Handle(), {16, 128, 16 + 123, 128 + 17}},
        {f.lbTransparent.Handle(), {18, 148, 18 + 111, 148 + 29}},
        {f.tbTransparent.Handle(), {128, 149, 128 + 100, 149 + 25}},
        {f.lbPSettings.Handle(), {}},
        {f.ckHotKey.Handle(), {}},
        {f.hkQuickPaste.Handle(), {}},
    };
    // The check boxes grow with a longer caption (the Vietnamese ones), from
    // their designed place.
    for (bool vietnamese : {false, true}) {
        if (f.ckLang.Checked() != vietnamese) f.ckLang.Click();
        for (std::size_t i = 0; i < std::size(controls); ++i) {
            SCOPED_TRACE(std::to_string(i) + (vietnamese ? " Vietnamese" : " English"));
            const RECT at = InPage(controls[i].control);
            const RECT& designed = controls[i].designed;
            if (designed.right != 0) {
                EXPECT_EQ(at.left, designed.left);
                EXPECT_EQ(at.top, designed.top);
                EXPECT_GE(at.right, designed.right);
                if (!vietnamese) EXPECT_EQ(at.right, designed.right);
                EXPECT_EQ(at.bottom, designed.bottom);
            }
            EXPECT_TRUE(GetWindowLongPtrW(controls[i].control, GWL_STYLE) & WS_VISIBLE);
            EXPECT_GE(at.left, 0);
            EXPECT_GE(at.top, 0);
            EXPECT_LE(at.right, client.right);
            EXPECT_LE(at.bottom, client.bottom);
            for (std::size_t j = 0; j < i; ++j) {
                // The design lets the label touch the track bar; nothing else
                // overlaps.
                if (designed.right != 0 && controls[j].designed.right != 0 && !vietnamese) continue;
                if (i == 6 && j == 5) continue;
                RECT overlap{};
                const RECT other = InPage(controls[j].control);
                EXPECT_FALSE(IntersectRect(&overlap, &at, &other))
                    << "overlaps control " << j << ": " << at.left << "," << at.top << "," << at.right << ","
                    << at.bottom << " and " << other.left << "," << other.top << "," << other.right << ","
                    << other.bottom;
            }
        }
    }
}

TEST_F(QuickPasteSettingTest, TheSwitchKeepsTheCombinationAndTheFieldShowsWhatIsHeld) {
    const HotKey ctrlWinF9{kHotKeyCtrl | kHotKeyWin, kVkF1 + 8, 0};
    ASSERT_TRUE(Free(ctrlWinF9, probe.Handle()));

    // Without a settings file the hotkey is off, the field shows the default.
    EXPECT_FALSE(form->QuickPasteOn());
    EXPECT_FALSE(form->ckHotKey.Checked());
    EXPECT_EQ(form->hkQuickPaste.Text(), u"Ctrl+Alt+Insert");

    form->SetQuickPaste(ctrlWinF9, true);
    EXPECT_TRUE(form->ckHotKey.Checked());
    EXPECT_TRUE(form->QuickPasteRegistered());
    EXPECT_FALSE(Free(ctrlWinF9, probe.Handle()));
    EXPECT_EQ(form->hkQuickPaste.Text(), u"Ctrl+Win+F9") << "Win is shown";

    // Off lets it go and keeps it; on takes the same one again.
    form->ckHotKey.Click();
    EXPECT_FALSE(form->QuickPasteOn());
    EXPECT_TRUE(Free(ctrlWinF9, probe.Handle()));
    EXPECT_EQ(form->hkQuickPaste.Text(), u"Ctrl+Win+F9");
    form->ckHotKey.Click();
    EXPECT_TRUE(form->QuickPasteOn());
    EXPECT_FALSE(Free(ctrlWinF9, probe.Handle()));
    EXPECT_TRUE(said.empty());

    form.reset();
    EXPECT_TRUE(Free(ctrlWinF9, probe.Handle())) << "closing the window lets it go";
}

TEST_F(QuickPasteSettingTest, ATypedCombinationIsTakenOnlyWhenConfirmed) {
    for (const HotKey& key : {kCtrlAltF9, kCtrlAltF11, kCtrlAltF12, kAltV}) ASSERT_TRUE(Free(key, probe.Handle()));
    form->SetQuickPaste(kCtrlAltF9, true);
    ASSERT_NO_FATAL_FAILURE(TypeIntoTheField());
    // While the field has the keyboard the hotkey is let go, so that it can
    // be typed there.
    EXPECT_TRUE(Free(kCtrlAltF9, probe.Handle()));

    // Modifiers show as they are held; Alt+V is typed, not an access key
    // (it would switch the language), and not yet the hotkey.
    test::PressKeys({VK_MENU, 'V'});
    ASSERT_TRUE(Shows(u"Alt+V"));
    EXPECT_FALSE(form->ckLang.Checked());
    EXPECT_EQ(form->hkQuickPaste.Typed(), kAltV);
    EXPECT_EQ(form->QuickPasteKey, kCtrlAltF9);
    EXPECT_TRUE(Free(kAltV, probe.Handle()));
    // Neither do the other boxes' access keys act.
    test::PressKeys({VK_MENU, 'M'});
    ASSERT_TRUE(Shows(u"Alt+M"));
    EXPECT_TRUE(form->ckMonitor.Checked());

    // Escape brings the held one back.
    test::PressKey(VK_ESCAPE);
    ASSERT_TRUE(Shows(u"Ctrl+Alt+F9"));
    EXPECT_FALSE(form->hkQuickPaste.Typed().has_value());
    EXPECT_EQ(GetFocus(), form->hkQuickPaste.Handle());

    // Enter takes what was typed.
    test::PressKeys({VK_CONTROL, VK_MENU, VK_F11});
    ASSERT_TRUE(Shows(u"Ctrl+Alt+F11"));
    EXPECT_TRUE(Free(kCtrlAltF11, probe.Handle()));
    test::PressKey(VK_RETURN);
    ASSERT_TRUE(PumpProgramUntil([&] { return form->QuickPasteKey == kCtrlAltF11; }));
    EXPECT_FALSE(Free(kCtrlAltF11, probe.Handle()));

    // So does the keyboard going on to the next control, with Tab.
    test::PressKeys({VK_CONTROL, VK_MENU, VK_F12});
    ASSERT_TRUE(Shows(u"Ctrl+Alt+F12"));
    test::PressKey(VK_TAB);
    ASSERT_TRUE(PumpProgramUntil([&] { return GetFocus() != form->hkQuickPaste.Handle(); }));
    EXPECT_TRUE(IsChild(form->Handle(), GetFocus()));
    EXPECT_EQ(form->QuickPasteKey, kCtrlAltF12);
    EXPECT_FALSE(Free(kCtrlAltF12, probe.Handle()));
    EXPECT_TRUE(Free(kCtrlAltF11, probe.Handle()));
    EXPECT_TRUE(said.empty());
}

TEST_F(QuickPasteSettingTest, ACombinationThatCannotBeAHotKeyIsRefusedWithItsReasonInBothLanguages) {
    form->SetQuickPaste(kCtrlAltF9, true);
    ASSERT_NO_FATAL_FAILURE(TypeIntoTheField());
    struct Case {
        std::initializer_list<WORD> keys;
        std::u16string english;
    };
    const Case cases[] = {
        {{VK_HOME}, u"Home: A hotkey needs Ctrl, Alt or Win."},
        {{VK_SHIFT, 'V'}, u"Shift+V: A hotkey needs Ctrl, Alt or Win."},
        {{VK_SHIFT, VK_INSERT}, u"Shift+Insert: Programs and Windows use this combination every day."},
        {{VK_CONTROL, VK_INSERT}, u"Ctrl+Insert: Programs and Windows use"},
        {{VK_SHIFT, VK_DELETE}, u"Shift+Delete: Programs and Windows use"},
        {{VK_CONTROL, VK_TAB}, u"Ctrl+Tab: Programs and Windows use"},
        {{VK_CONTROL, VK_LEFT}, u"Ctrl+Left: Programs and Windows use"},
        {{VK_CONTROL, VK_NUMPAD1}, u"This key cannot be a hotkey."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.english.begin(), c.english.end()));
        test::PressKeys(c.keys);
        EXPECT_TRUE(Refuses(c.english));
        EXPECT_TRUE(IsWindowVisible(form->hkQuickPaste.Balloon()));
        EXPECT_EQ(form->hkQuickPaste.Text(), u"Ctrl+Alt+F9") << "not taken";
        EXPECT_FALSE(form->hkQuickPaste.Typed().has_value());
    }
    // Enter after a refusal keeps the held combination.
    test::PressKey(VK_RETURN);
    ASSERT_TRUE(PumpProgramUntil([&] { return form->hkQuickPaste.Refusal().empty(); }));
    EXPECT_EQ(form->QuickPasteKey, kCtrlAltF9);

    form->ckLang.Click();
    ASSERT_NO_FATAL_FAILURE(TypeIntoTheField());
    test::PressKey(VK_END);
    EXPECT_TRUE(Refuses(u"End: Ph\u00EDm t\u1EAFt c\u1EA7n c\u00F3 Ctrl, Alt ho\u1EB7c Win."));
    test::PressKeys({VK_SHIFT, VK_INSERT});
    EXPECT_TRUE(Refuses(u"Shift+Insert: C\u00E1c ch\u01B0\u01A1ng tr\u00ECnh v\u00E0 Windows"));
}

TEST_F(QuickPasteSettingTest, ACombinationHeldElsewhereIsReportedAndNotHeld) {
    const auto key = ToSystemHotKey(kCtrlAltF9);
    ASSERT_TRUE(RegisterHotKey(probe.Handle(), 5, key->modifiers, key->vk));
    form->SetQuickPaste(kCtrlAltF9, true);
    UnregisterHotKey(probe.Handle(), 5);
    EXPECT_FALSE(form->QuickPasteRegistered());
    EXPECT_TRUE(form->QuickPasteOn()) << "kept as chosen, so the next start tries again";
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find(u"Another program holds the quick-paste hotkey"), std::u16string::npos);
    EXPECT_NE(said[0].find(u"Ctrl+Alt+F9"), std::u16string::npos);
}

// The user typed a combination, then went to another program without
// confirming it: the held one is taken again. Another program took it
// meanwhile: the message waits until the user is back.
TEST_F(QuickPasteSettingTest, AHeldCombinationIsReportedOnlyOverTheProgramsOwnWindow) {
    form->SetQuickPaste(kCtrlAltF9, true);
    ASSERT_NO_FATAL_FAILURE(TypeIntoTheField());
    test::PressKeys({VK_CONTROL, VK_MENU, VK_F11});
    ASSERT_TRUE(Shows(u"Ctrl+Alt+F11"));
    const auto key = ToSystemHotKey(kCtrlAltF9);
    ASSERT_TRUE(RegisterHotKey(probe.Handle(), 5, key->modifiers, key->vk));

    const HWND other = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 400, 400,
                                       200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(PumpProgramUntil([&] { return GetForegroundWindow() == other; }));
    test::PumpPending();
    EXPECT_TRUE(said.empty()) << "nothing over the other program";
    EXPECT_EQ(form->QuickPasteKey, kCtrlAltF9) << "leaving for another program confirms nothing";
    EXPECT_TRUE(Free(kCtrlAltF11, probe.Handle()));

    SetForegroundWindow(form->Handle());
    EXPECT_TRUE(PumpProgramUntil([&] { return said.size() == 1; }));
    if (!said.empty()) EXPECT_NE(said[0].find(u"Ctrl+Alt+F9"), std::u16string::npos);
    UnregisterHotKey(probe.Handle(), 5);
    DestroyWindow(other);
}

// A punctuation key is named by its character; one the layout types with
// Shift (":" beside ";" on the US layout this runs with) needs Shift held.
TEST_F(QuickPasteSettingTest, PunctuationKeepsTheShiftItsCharacterNeeds) {
    const SHORT colon = VkKeyScanW(L':');
    ASSERT_NE(colon, -1);
    ASSERT_TRUE(HIBYTE(colon) & 1) << "the layout types ':' with Shift";
    const HotKey ctrlAltColon{kHotKeyCtrl | kHotKeyAlt, 0, ':'};
    const auto key = ToSystemHotKey(ctrlAltColon);
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(key->modifiers, static_cast<UINT>(MOD_CONTROL | MOD_ALT | MOD_SHIFT));
    EXPECT_EQ(key->vk, LOBYTE(colon));

    form->SetQuickPaste(ctrlAltColon, true);
    ASSERT_TRUE(form->QuickPasteRegistered());
    EXPECT_FALSE(Free(*key, probe.Handle()));
    EXPECT_TRUE(Free(SystemHotKey{MOD_CONTROL | MOD_ALT, LOBYTE(colon)}, probe.Handle())) << "not Ctrl+Alt+;";

    // The key pressed with Shift in the field names the unshifted character
    // and keeps Shift.
    const auto typed = CombinationOfKey(kHotKeyCtrl | kHotKeyShift, LOBYTE(colon));
    ASSERT_TRUE(typed.has_value());
    EXPECT_EQ(FormatHotKey(*typed), "Ctrl+Shift+;");
    EXPECT_EQ(ToSystemHotKey(*typed)->modifiers, static_cast<UINT>(MOD_CONTROL | MOD_SHIFT));
}

}  // namespace
}  // namespace swl
