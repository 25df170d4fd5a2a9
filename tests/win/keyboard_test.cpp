// The main window driven by real key presses, through the program's own
// message pump: Tab and Shift+Tab go round each page in the designed order,
// the check boxes' access keys work with and without Alt in both languages,
// Space and Enter click check boxes and links, Space on a caption strip
// collapses its group, and the arrow keys move through the history list.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "MainForm.h"
#include "program_pump.h"
#include "collected_reports.h"
#include "test_support.h"

namespace swl {
namespace {

using test::PumpProgramUntil;

// A stop of the tab order: a window, and for a label with links the link.
struct Stop {
    HWND hwnd;
    int link = -1;
    bool operator==(const Stop&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Stop& stop) {
    wchar_t text[64] = {};
    GetWindowTextW(stop.hwnd, text, 64);
    char narrow[64] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return out << "\"" << narrow << "\"" << (stop.link >= 0 ? " link " + std::to_string(stop.link) : "");
}

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Joining the viewer chain records what the clipboard holds: an
        // empty clipboard starts an empty history, whatever ran before.
        ASSERT_TRUE(test::EmptyTheClipboard(clipboardOwner_.Handle()));
        form = std::make_unique<TfrmMain>(app, TfrmMain::Options{false});
        form->miShowClick();
        SetForegroundWindow(form->Handle());
        ASSERT_TRUE(PumpProgramUntil([&] { return GetForegroundWindow() == form->Handle(); }));
        // The position timer sets the Paste link's state: nothing is selected.
        ASSERT_TRUE(PumpProgramUntil([&] { return !IsWindowEnabled(form->lbPasteAll.Handle()); }));
    }
    void TearDown() override {
        form.reset();
        EXPECT_EQ(reports.Texts(), std::vector<std::string>{});
    }

    Stop Focus() const {
        HWND focus = GetFocus();
        const TMarkupLabel& detail = form->lbAboutDetail;
        return {focus, focus && focus == detail.Handle() ? detail.FocusedLink() : -1};
    }
    void FocusOn(HWND hwnd) {
        SetFocus(hwnd);
        ASSERT_TRUE(PumpProgramUntil([&] { return GetFocus() == hwnd; }));
    }
    // Types the keys and waits until the focus is on `expected`.
    bool KeysMoveFocusTo(std::initializer_list<WORD> keys, const Stop& expected) {
        test::PressKeys(keys);
        return PumpProgramUntil([&] { return Focus() == expected; });
    }
    bool Toggled(TCheckBox& box, bool before) {
        return PumpProgramUntil([&] { return box.Checked() != before; });
    }

    // The link panel's stops, in order, without the links that are disabled
    // now (Paste with nothing selected, Clear Windows Clipboard on an empty
    // clipboard). Disabled controls are no stops (Restore Clipboard while
    // Save on Exit is off).
    std::vector<Stop> PanelStops() const {
        TfrmMain& f = *form;
        std::vector<Stop> stops;
        for (HWND hwnd : {f.ebClipboard.CaptionHandle(), f.lbShowAll.Handle(), f.lbPasteAll.Handle(),
                          f.lbClearCB.Handle(), f.ebOptions.CaptionHandle(), f.lbSettings.Handle(), f.lbAbout.Handle(),
                          f.lbHide.Handle(), f.lbExit.Handle()})
            if (IsWindowEnabled(hwnd)) stops.push_back({hwnd});
        return stops;
    }

    test::CollectedReports reports;
    test::MessageWindow clipboardOwner_;
    TApplication app;
    std::unique_ptr<TfrmMain> form;
};

TEST_F(KeyboardTest, TabAndShiftTabGoRoundEachPageInTheDesignedOrder) {
    TfrmMain& f = *form;
    std::vector<Stop> aboutLinks;
    for (int i = 0; i < static_cast<int>(f.lbAboutDetail.Links().size()); ++i)
        aboutLinks.push_back({f.lbAboutDetail.Handle(), i});
    ASSERT_GE(aboutLinks.size(), 2u) << "the About text has its links";
    struct Page {
        int index;
        std::vector<Stop> stops;
    };
    const Page pages[] = {
        {0, {{f.lstCB}}},
        {1,
         {{f.ckAutoLoad.Handle()}, {f.ckMonitor.Handle()}, {f.ckSave.Handle()}, {f.ckRestoreCB.Handle()},
          {f.ckLang.Handle()}, {f.tbTransparent.Handle()},
          // after the designed ones: the quick-paste switch and field
          {f.ckHotKey.Handle()}, {f.hkQuickPaste.Handle()}}},
        {2, aboutLinks},
    };
    for (const Page& page : pages) {
        SCOPED_TRACE(page.index);
        f.SetPageIndex(page.index);
        std::vector<Stop> round = PanelStops();
        for (const Stop& stop : page.stops)
            if (IsWindowEnabled(stop.hwnd)) round.push_back(stop);
        FocusOn(round.front().hwnd);
        for (std::size_t i = 1; i <= round.size(); ++i) {
            const Stop& next = round[i % round.size()];
            ASSERT_TRUE(KeysMoveFocusTo({VK_TAB}, next)) << "Tab " << i << ": expected " << next << ", got " << Focus();
        }
        for (std::size_t i = round.size(); i-- > 0;) {
            const Stop& previous = round[i];
            ASSERT_TRUE(KeysMoveFocusTo({VK_SHIFT, VK_TAB}, previous))
                << "Shift+Tab: expected " << previous << ", got " << Focus();
        }
    }
}

// The access keys of the Settings page, in both languages: with Alt from
// anywhere in the window, and as a plain letter while a check box (which
// types nothing) has the focus. Each key is pressed twice, so every box is
// back as it was for the next one. ckLang's key switches the language, so it
// comes last in each language and leads into the other one.
TEST_F(KeyboardTest, CheckBoxAccessKeysToggleTheirBoxesInBothLanguages) {
    TfrmMain& f = *form;
    f.SetPageIndex(1);
    // Restore Clipboard takes input only while Save on Exit is on.
    if (!f.ckSave.Checked()) f.ckSave.Click();
    struct Key {
        TCheckBox& box;
        WORD english;
        WORD vietnamese;
    };
    const Key keys[] = {{f.ckAutoLoad, 'A', 'K'}, {f.ckMonitor, 'M', 'G'}, {f.ckRestoreCB, 'R', 'P'},
                        {f.ckSave, 'S', 'L'}};
    for (const bool vietnamese : {false, true}) {
        SCOPED_TRACE(vietnamese ? "Vietnamese" : "English");
        ASSERT_EQ(f.ckLang.Checked(), vietnamese);
        for (const bool alt : {true, false}) {
            SCOPED_TRACE(alt ? "with Alt" : "without Alt");
            // Alt works wherever the focus is; a plain letter where it is not typed.
            FocusOn(alt ? f.lbShowAll.Handle() : f.ckLang.Handle());
            for (const Key& key : keys) {
                const WORD letter = vietnamese ? key.vietnamese : key.english;
                for (int press = 0; press < 2; ++press) {
                    const bool before = key.box.Checked();
                    if (alt)
                        test::PressKeys({VK_MENU, letter});
                    else
                        test::PressKey(letter);
                    EXPECT_TRUE(Toggled(key.box, before)) << static_cast<char>(letter) << " press " << press;
                }
            }
        }
        // V in both languages: "&Vietnamese interface", "Giao diện Tiếng &Việt".
        test::PressKeys({VK_MENU, 'V'});
        ASSERT_TRUE(PumpProgramUntil([&] { return f.ckLang.Checked() != vietnamese; }));
        EXPECT_EQ(f.ckSave.Caption(), vietnamese ? u"&Save on Exit" : u"&L\u01B0u l\u1EA1i khi k\u1EBFt th\u00FAc");
    }
    EXPECT_FALSE(f.ckLang.Checked()) << "Alt+V switched back to English";
}

TEST_F(KeyboardTest, SpaceAndEnterClickTheFocusedCheckBoxOrLink) {
    TfrmMain& f = *form;
    for (const WORD key : {VK_SPACE, VK_RETURN}) {
        SCOPED_TRACE(key == VK_SPACE ? "Space" : "Enter");
        f.SetPageIndex(1);
        FocusOn(f.ckSave.Handle());
        const bool before = f.ckSave.Checked();
        test::PressKey(key);
        EXPECT_TRUE(Toggled(f.ckSave, before));
        EXPECT_EQ(GetFocus(), f.ckSave.Handle());

        // The links run their handlers: Show All selects the Clipboard page.
        FocusOn(f.lbShowAll.Handle());
        test::PressKey(key);
        EXPECT_TRUE(PumpProgramUntil([&] { return f.PageIndex() == 0; }));
    }
}

TEST_F(KeyboardTest, EnterOnAnAboutLinkOpensItsTarget) {
    TfrmMain& f = *form;
    f.SetPageIndex(2);
    std::vector<std::u16string> opened;
    f.lbAboutDetail.OnLinkClick = [&](const std::u16string& href) { opened.push_back(href); };
    const auto& links = f.lbAboutDetail.Links();
    ASSERT_GE(links.size(), 2u);
    FocusOn(f.lbAboutDetail.Handle());
    test::PressKey(VK_RETURN);
    ASSERT_TRUE(PumpProgramUntil([&] { return opened.size() == 1; }));
    EXPECT_EQ(opened[0], links[0].href);
    ASSERT_TRUE(KeysMoveFocusTo({VK_TAB}, {f.lbAboutDetail.Handle(), 1}));
    test::PressKey(VK_SPACE);
    ASSERT_TRUE(PumpProgramUntil([&] { return opened.size() == 2; }));
    EXPECT_EQ(opened[1], links[1].href);
}

TEST_F(KeyboardTest, SpaceOnAFocusedStripCollapsesItsGroupAndTabThenSkipsTheHiddenLinks) {
    TfrmMain& f = *form;
    f.SetPageIndex(1);
    // A click on the strip's text puts the focus there (and does not collapse).
    RECT strip{};
    GetWindowRect(f.ebOptions.CaptionHandle(), &strip);
    test::MovePointer(strip.left + 20, (strip.top + strip.bottom) / 2);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
    ASSERT_TRUE(PumpProgramUntil([&] { return GetFocus() == f.ebOptions.CaptionHandle(); }));
    EXPECT_FALSE(f.ebOptions.Minimized());

    test::PressKey(VK_SPACE);
    ASSERT_TRUE(PumpProgramUntil([&] { return f.ebOptions.Minimized(); }));
    EXPECT_EQ(f.ebOptions.CaptionHandle(), GetFocus());
    // Tab leaves the collapsed group for the page; Shift+Tab comes back to
    // the strip, not to the hidden Exit link.
    EXPECT_TRUE(KeysMoveFocusTo({VK_TAB}, {f.ckAutoLoad.Handle()}));
    EXPECT_TRUE(KeysMoveFocusTo({VK_SHIFT, VK_TAB}, {f.ebOptions.CaptionHandle()}));
    test::PressKey(VK_SPACE);
    ASSERT_TRUE(PumpProgramUntil([&] { return !f.ebOptions.Minimized(); }));
    EXPECT_TRUE(KeysMoveFocusTo({VK_TAB}, {f.lbSettings.Handle()}));

    // The upper group collapsed: Shift+Tab from the lower strip skips its links.
    f.ebClipboard.SetMinimized(true);
    FocusOn(f.ebOptions.CaptionHandle());
    EXPECT_TRUE(KeysMoveFocusTo({VK_SHIFT, VK_TAB}, {f.ebClipboard.CaptionHandle()}));
}

// The capture disables Clear Windows Clipboard when the clipboard empties,
// also while the link has the focus: the focus goes on to the next control
// instead of nowhere, so Tab keeps working.
TEST_F(KeyboardTest, ALinkDisabledWhileFocusedHandsTheFocusOn) {
    TfrmMain& f = *form;
    f.lbClearCB.SetEnabled(true);
    FocusOn(f.lbClearCB.Handle());
    f.lbClearCB.SetEnabled(false);
    EXPECT_EQ(GetFocus(), f.ebOptions.CaptionHandle());
    EXPECT_TRUE(KeysMoveFocusTo({VK_TAB}, {f.lbSettings.Handle()}));
}

TEST_F(KeyboardTest, ArrowKeysMoveThroughTheHistoryList) {
    TfrmMain& f = *form;
    test::MessageWindow writer;
    // Only these three entries, whatever an earlier test left on the clipboard.
    ASSERT_TRUE(test::EmptyTheClipboard(writer.Handle()));
    f.miClearAllClick();
    for (const char16_t* text : {u"one", u"two", u"three"}) {
        test::ClipboardContent content;
        content.unicode = text;
        const int before = f.History.CBCount;
        ASSERT_TRUE(test::WriteClipboard(writer.Handle(), content));
        ASSERT_TRUE(PumpProgramUntil([&] { return f.History.CBCount == before + 1; }));
    }
    f.SetPageIndex(0);
    FocusOn(f.lstCB);
    ASSERT_EQ(f.LineCount(), 3);
    f.SelectLine(0);
    struct Step {
        WORD key;
        int selected;
    };
    for (const Step step : {Step{VK_DOWN, 1}, Step{VK_DOWN, 2}, Step{VK_DOWN, 2}, Step{VK_UP, 1}, Step{VK_HOME, 0},
                            Step{VK_END, 2}}) {
        test::PressKey(step.key);
        EXPECT_TRUE(PumpProgramUntil([&] { return f.SelectedIndex() == step.selected; }))
            << "key " << step.key << " selected " << f.SelectedIndex();
    }
    EXPECT_EQ(GetFocus(), f.lstCB);
}

}  // namespace
}  // namespace swl
