// The language switch in the running main window: every captioned component
// takes the text its name has in the chosen table, at once, and back.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "MainForm.h"
#include "SWLLang.h"
#include "collected_reports.h"
#include "test_support.h"

namespace swl {
namespace {

std::u16string WindowText(HWND hwnd) {
    wchar_t buffer[512] = {};
    const int n = GetWindowTextW(hwnd, buffer, 512);
    return std::u16string(reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(n));
}

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TfrmMain>(app, TfrmMain::Options{false});
    }
    void TearDown() override {
        form.reset();
    }
    void SetLanguage(bool vietnamese) {
        if (form->ckLang.Checked() != vietnamese) form->ckLang.Click();
        ASSERT_EQ(form->ckLang.Checked(), vietnamese);
    }

    test::CollectedReports reports;  // keeps a report from blocking the test in a message box
    TApplication app;
    std::unique_ptr<TfrmMain> form;
};

TEST_F(LanguageTest, EveryCaptionFollowsTheSwitchAndBack) {
    TfrmMain& f = *form;
    struct Caption {
        const char* name;
        std::function<std::u16string()> read;
    };
    const Caption captions[] = {
        {"ebclipboard", [&] { return f.ebClipboard.CaptionSettings().text; }},
        {"eboptions", [&] { return f.ebOptions.CaptionSettings().text; }},
        {"lbshowall", [&] { return f.lbShowAll.Caption(); }},
        {"lbpasteall", [&] { return f.lbPasteAll.Caption(); }},
        {"lbclearcb", [&] { return f.lbClearCB.Caption(); }},
        {"lbsettings", [&] { return f.lbSettings.Caption(); }},
        {"lbabout", [&] { return f.lbAbout.Caption(); }},
        {"lbhide", [&] { return f.lbHide.Caption(); }},
        {"lbexit", [&] { return f.lbExit.Caption(); }},
        {"lbpclipboard", [&] { return f.lbPClipboard.Caption(); }},
        {"lbpsettings", [&] { return f.lbPSettings.Caption(); }},
        {"lbtransparent", [&] { return f.lbTransparent.Caption(); }},
        {"lbabouttitle", [&] { return f.lbAboutTitle.Caption(); }},
        {"lbaboutdetail", [&] { return f.lbAboutDetail.Caption(); }},
        {"ckautoload", [&] { return WindowText(f.ckAutoLoad.Handle()); }},
        {"ckmonitor", [&] { return WindowText(f.ckMonitor.Handle()); }},
        {"cksave", [&] { return WindowText(f.ckSave.Handle()); }},
        {"ckrestorecb", [&] { return WindowText(f.ckRestoreCB.Handle()); }},
        {"cklang", [&] { return WindowText(f.ckLang.Handle()); }},
        {"micopy", [&] { return f.miCopy.Caption(); }},
        {"miclear", [&] { return f.miClear.Caption(); }},
        {"miclearall", [&] { return f.miClearAll.Caption(); }},
        {"mipaste", [&] { return f.miPaste.Caption(); }},
        {"miview", [&] { return f.miView.Caption(); }},
        {"mishow", [&] { return f.miShow.Caption(); }},
        {"mihide", [&] { return f.miHide.Caption(); }},
        {"miexit", [&] { return f.miExit.Caption(); }},
    };
    struct Box {
        const TCheckBox& box;
        int designWidth;
        int englishCaptionWidth;
    };
    std::vector<Box> boxes;
    for (const auto& [box, width] : {std::pair<const TCheckBox*, int>{&f.ckAutoLoad, 137}, {&f.ckMonitor, 152},
                                     {&f.ckSave, 82}, {&f.ckRestoreCB, 163}, {&f.ckLang, 123}})
        boxes.push_back(Box{*box, width, box->CaptionWidth()});
    // Vietnamese, back to English, and Vietnamese with monitoring off.
    for (const bool vietnamese : {true, false}) {
        SCOPED_TRACE(vietnamese ? "Vietnamese" : "English");
        SetLanguage(vietnamese);
        for (const Caption& c : captions) {
            EXPECT_EQ(c.read(), GetLangText(vietnamese, c.name)) << c.name;
            EXPECT_FALSE(c.read().empty()) << c.name;
        }
        // A caption wider than the English one widens its check box by the
        // difference, up to the page's edge, so it is not cut; the English
        // captions keep the designed widths.
        for (const Box& b : boxes) {
            SCOPED_TRACE(testing::Message() << "check box " << b.designWidth);
            RECT rc{};
            GetWindowRect(b.box.Handle(), &rc);
            MapWindowPoints(HWND_DESKTOP, GetParent(b.box.Handle()), reinterpret_cast<POINT*>(&rc), 2);
            RECT page{};
            GetClientRect(GetParent(b.box.Handle()), &page);
            const int width = rc.right - rc.left;
            EXPECT_GE(width, b.designWidth);
            EXPECT_LE(rc.right, page.right);
            if (rc.right < page.right)
                EXPECT_GE(width - b.box.CaptionWidth(), b.designWidth - b.englishCaptionWidth) << "the caption is cut";
            if (!vietnamese) EXPECT_EQ(width, b.designWidth);
        }
        EXPECT_EQ(f.v1.Caption(), u"");
        for (TMenuItem* separator : {&f.N1, &f.N2, &f.N3}) EXPECT_EQ(separator->Caption(), u"-");
        EXPECT_EQ(f.lbStatusHint.Caption(), u"Stashwell :: " + GetLangText(vietnamese, "statactive"));
        EXPECT_EQ(WindowText(f.Handle()), u"Stashwell");
        // The pages keep their captions: the links find them by these.
        EXPECT_EQ(f.nbMain.PageCaption(0), u"Clipboard");
        EXPECT_EQ(f.nbMain.PageCaption(1), u"Settings");
        EXPECT_EQ(f.nbMain.PageCaption(2), u"About");
        // The links pass the untranslated page captions: navigation works in
        // both languages.
        f.lbShowAllClick();
        EXPECT_EQ(f.PageIndex(), 0);
        f.lbSettingsClick();
        EXPECT_EQ(f.PageIndex(), 1);
        f.lbAboutClick();
        EXPECT_EQ(f.PageIndex(), 2);
    }
    f.ckMonitor.Click();
    // The count text has no words to translate.
    const std::string count = f.History.CountText();
    SetLanguage(true);
    EXPECT_EQ(f.lbStatusHint.Caption(), u"Stashwell :: " + GetLangText(true, "statdeactive"));
    EXPECT_EQ(f.History.CountText(), count);
}

// The switch repaints what it changed without wiping what it did not: the
// caption strips and the group bodies keep their colours on the screen.
TEST_F(LanguageTest, TheSwitchLeavesTheUnchangedPartsOfTheWindowPainted) {
    TfrmMain& f = *form;
    SetWindowPos(f.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    f.SetPageIndex(1);
    UpdateWindow(f.Handle());
    test::PumpPending();
    // A point of each strip right of its text, and of the Stashwell group's
    // body right of its first link, in the window's client coordinates.
    auto pixel = [&](HWND child, int x, int y) {
        POINT at{x, y};
        MapWindowPoints(child, f.Handle(), &at, 1);
        HDC dc = GetDC(f.Handle());
        const COLORREF colour = GetPixel(dc, at.x, at.y);
        ReleaseDC(f.Handle(), dc);
        return colour;
    };
    const COLORREF strip = pixel(f.ebOptions.CaptionHandle(), 100, 3);
    const COLORREF body = pixel(f.ebClipboard.Handle(), 140, 30);
    ASSERT_EQ(strip, RGB(214, 223, 247));
    ASSERT_EQ(pixel(f.ebClipboard.CaptionHandle(), 100, 3), strip);
    ASSERT_NE(body, RGB(255, 255, 255));
    for (const bool vietnamese : {true, false}) {
        SCOPED_TRACE(vietnamese);
        SetLanguage(vietnamese);
        test::PumpPending();
        EXPECT_EQ(pixel(f.ebOptions.CaptionHandle(), 100, 3), strip);
        EXPECT_EQ(pixel(f.ebClipboard.CaptionHandle(), 100, 3), strip);
        EXPECT_EQ(pixel(f.ebClipboard.Handle(), 140, 30), body);
    }
}

}  // namespace
}  // namespace swl
