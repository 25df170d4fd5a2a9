// What a screen reader finds in the main window, asked the standard way
// (AccessibleObjectFromWindow and IAccessible): the check boxes with their
// captions and checked states, the links as links with their texts, the
// caption strips as expanded or collapsed, the transparency bar as a slider,
// and the history list's entries with the texts they show.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "MainForm.h"
#include "collected_reports.h"
#include "test_support.h"

namespace swl {
namespace {

constexpr GUID kIAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

struct Seen {
    std::u16string name;
    std::u16string value;
    long role = -1;
    long state = 0;
};

VARIANT Child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::u16string Take(BSTR text) {
    std::u16string s = text ? std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text)) : u"";
    SysFreeString(text);
    return s;
}

class Client {
public:
    explicit Client(HWND hwnd) {
        hr_ = AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                                         reinterpret_cast<void**>(&acc_));
    }
    ~Client() {
        if (acc_) acc_->Release();
    }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;
    bool Ok() const { return SUCCEEDED(hr_) && acc_; }
    HRESULT Result() const { return hr_; }

    Seen Of(long id = CHILDID_SELF) const {
        Seen seen;
        BSTR text = nullptr;
        acc_->get_accName(Child(id), &text);
        seen.name = Take(text);
        text = nullptr;
        acc_->get_accValue(Child(id), &text);
        seen.value = Take(text);
        VARIANT v;
        VariantInit(&v);
        if (SUCCEEDED(acc_->get_accRole(Child(id), &v)) && v.vt == VT_I4) seen.role = v.lVal;
        VariantInit(&v);
        if (SUCCEEDED(acc_->get_accState(Child(id), &v)) && v.vt == VT_I4) seen.state = v.lVal;
        return seen;
    }
    long Children() const {
        long n = -1;
        acc_->get_accChildCount(&n);
        return n;
    }
    std::u16string Shortcut() const {
        BSTR text = nullptr;
        acc_->get_accKeyboardShortcut(Child(CHILDID_SELF), &text);
        return Take(text);
    }
    HRESULT DoDefault(long id = CHILDID_SELF) const { return acc_->accDoDefaultAction(Child(id)); }

private:
    IAccessible* acc_ = nullptr;
    HRESULT hr_ = E_FAIL;
};

class AccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        form = std::make_unique<TfrmMain>(app, TfrmMain::Options{false});
        SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        test::PumpPending();
    }
    void TearDown() override {
        form.reset();
    }

    test::CollectedReports reports;  // keeps a report from blocking the test in a message box
    TApplication app;
    std::unique_ptr<TfrmMain> form;
};

TEST_F(AccessibilityTest, CheckBoxesReportTheirCaptionsAndCheckedStates) {
    TfrmMain& f = *form;
    f.SetPageIndex(1);
    Client save(f.ckSave.Handle());
    ASSERT_TRUE(save.Ok()) << std::hex << save.Result();
    for (const bool checked : {true, false}) {
        SCOPED_TRACE(checked);
        f.ckSave.SetChecked(checked);
        const Seen seen = save.Of();
        EXPECT_EQ(seen.name, u"Save on Exit");
        EXPECT_EQ(seen.role, ROLE_SYSTEM_CHECKBUTTON);
        EXPECT_EQ((seen.state & STATE_SYSTEM_CHECKED) != 0, checked);
    }
    EXPECT_EQ(save.Shortcut(), u"Alt+S");
    // The default action clicks the box as the user does: its handler runs.
    ASSERT_EQ(save.DoDefault(), S_OK);
    EXPECT_TRUE(test::PumpUntil([&] { return f.ckSave.Checked(); }, 3000));
    // A Vietnamese caption is read as it is shown.
    f.ckLang.Click();
    EXPECT_EQ(save.Of().name, u"L\u01B0u l\u1EA1i khi k\u1EBFt th\u00FAc");
    EXPECT_EQ(save.Shortcut(), u"Alt+L");
}

TEST_F(AccessibilityTest, LinksAreLinksWithTheirTexts) {
    TfrmMain& f = *form;
    struct Case {
        const TMarkupLabel& link;
        std::u16string name;
    };
    for (const Case& c : {Case{f.lbShowAll, u"Show All"}, Case{f.lbSettings, u"Settings"}, Case{f.lbExit, u"Exit"}}) {
        Client link(c.link.Handle());
        ASSERT_TRUE(link.Ok());
        const Seen seen = link.Of();
        EXPECT_EQ(seen.name, c.name);
        EXPECT_EQ(seen.role, ROLE_SYSTEM_LINK);
        EXPECT_TRUE(seen.state & STATE_SYSTEM_FOCUSABLE);
    }
    Client paste(f.lbPasteAll.Handle());
    f.lbPasteAll.SetEnabled(false);
    EXPECT_TRUE(paste.Of().state & STATE_SYSTEM_UNAVAILABLE);

    // The About text is static text whose links are its children.
    Client detail(f.lbAboutDetail.Handle());
    ASSERT_TRUE(detail.Ok());
    EXPECT_EQ(detail.Of().role, ROLE_SYSTEM_STATICTEXT);
    const auto& links = f.lbAboutDetail.Links();
    ASSERT_EQ(detail.Children(), static_cast<long>(links.size()));
    for (long i = 1; i <= detail.Children(); ++i) {
        const Seen seen = detail.Of(i);
        EXPECT_EQ(seen.role, ROLE_SYSTEM_LINK);
        EXPECT_FALSE(seen.name.empty());
        EXPECT_EQ(seen.name, links[static_cast<std::size_t>(i - 1)].text);
        EXPECT_EQ(seen.value, links[static_cast<std::size_t>(i - 1)].href);
    }
    // The page title is plain static text.
    Client title(f.lbPSettings.Handle());
    ASSERT_TRUE(title.Ok());
    EXPECT_EQ(title.Of().role, ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(title.Of().name, u"Stashwell Settings");
}

TEST_F(AccessibilityTest, TheTransparencyBarIsASliderNamedByTheLabelBesideIt) {
    TfrmMain& f = *form;
    Client bar(f.tbTransparent.Handle());
    ASSERT_TRUE(bar.Ok());
    f.SetTransparencyPosition(40);
    EXPECT_EQ(bar.Of().role, ROLE_SYSTEM_SLIDER);
    EXPECT_EQ(bar.Of().name, u"Transparent (Win2K/XP/2K3 only)");
    EXPECT_EQ(bar.Of().value, u"40");
    f.ckLang.Click();
    EXPECT_EQ(bar.Of().name, f.lbTransparent.Caption());
    EXPECT_NE(bar.Of().name, u"Transparent (Win2K/XP/2K3 only)");
}

TEST_F(AccessibilityTest, CaptionStripsReportWhetherTheirGroupIsExpanded) {
    TfrmMain& f = *form;
    Client strip(f.ebOptions.CaptionHandle());
    ASSERT_TRUE(strip.Ok());
    EXPECT_EQ(strip.Of().name, u"Options");
    EXPECT_EQ(strip.Of().role, ROLE_SYSTEM_OUTLINEBUTTON);
    EXPECT_TRUE(strip.Of().state & STATE_SYSTEM_EXPANDED);
    ASSERT_EQ(strip.DoDefault(), S_OK);
    EXPECT_TRUE(f.ebOptions.Minimized());
    EXPECT_TRUE(strip.Of().state & STATE_SYSTEM_COLLAPSED);
    // The hidden links say so.
    Client exit(f.lbExit.Handle());
    EXPECT_TRUE(exit.Of().state & STATE_SYSTEM_INVISIBLE);
}

TEST_F(AccessibilityTest, TheHistoryListsEntriesAreReadWithTheTextsTheyShow) {
    TfrmMain& f = *form;
    test::MessageWindow writer;
    ASSERT_TRUE(test::EmptyTheClipboard(writer.Handle()));
    f.miClearAllClick();
    test::ClipboardContent wide;
    wide.unicode = u"Ti\u1EBFng Vi\u1EC7t";
    test::ClipboardContent picture;
    picture.bitmap = SIZE{8, 8};
    for (const auto* content : {&wide, &picture}) {
        const int before = f.History.CBCount;
        ASSERT_TRUE(test::WriteClipboard(writer.Handle(), *content));
        ASSERT_TRUE(test::PumpUntil([&] { return f.History.CBCount == before + 1; }));
    }
    f.SetPageIndex(0);
    f.SelectLine(1);
    Client list(f.lstCB);
    ASSERT_TRUE(list.Ok());
    EXPECT_EQ(list.Of().role, ROLE_SYSTEM_LIST);
    ASSERT_EQ(list.Children(), 2);
    EXPECT_EQ(list.Of(1).name, u"Ti\u1EBFng Vi\u1EC7t");
    EXPECT_EQ(list.Of(1).role, ROLE_SYSTEM_LISTITEM);
    EXPECT_FALSE(list.Of(1).state & STATE_SYSTEM_SELECTED);
    EXPECT_EQ(list.Of(2).name, u"Bitmap");
    EXPECT_TRUE(list.Of(2).state & STATE_SYSTEM_SELECTED);
}

}  // namespace
}  // namespace swl
