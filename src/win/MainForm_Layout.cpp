// TfrmMain: the components and their places, page navigation, the About
// page's links, the resize that follows maximising and restoring, and the
// drawing of the history list's entries.
#include "MainForm.h"
#include "wide_text.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "SWLLang.h"
#include "ddb_picture.h"
#include "geometry/history_entry_geometry.h"
#include "error_report.h"
#include "platform.h"
#include "resource_ids.h"
#include "win_rect.h"

namespace swl {
namespace {

HMENU ControlId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

constexpr COLORREF kPanelColor = RGB(101, 135, 220);
constexpr COLORREF kGroupColor = RGB(207, 221, 245);
constexpr COLORREF kCaptionColor = RGB(214, 223, 247);
constexpr COLORREF kEntryFrameSelected = RGB(255, 0, 0);
constexpr COLORREF kEntryFrameOther = RGB(128, 128, 128);
constexpr COLORREF kEntryBlue = RGB(0, 0, 255);

constexpr int kPanelWidth = 153;
constexpr int kStatusHeight = 25;
constexpr int kGaugePanelWidth = 153;
// lbStatusHint keeps this much of the status bar free at its right.
constexpr int kStatusHintRightGap = 19;
// The Settings page at design size, and the quick-paste controls in its
// free space, one column at the right: the switch beside ckSave, the field
// beside ckLang. The column starts where the longest of those boxes ends in
// either language (ckSave's Vietnamese caption makes it grow to about 138),
// so nothing moves or overlaps when the language changes.
constexpr int kPageWidth = kMainClientWidth - kPanelWidth;
constexpr int kQuickPasteColumn = 146;

// Page captions: never translated, navigation finds the pages by them.
const std::u16string kPageClipboard = u"Clipboard";
const std::u16string kPageSettings = u"Settings";
const std::u16string kPageAbout = u"About";

LOGFONTW Tahoma(int pointSize, bool bold, bool underline = false) {
    LOGFONTW font = InterfaceFont(pointSize, bold);
    font.lfUnderline = underline ? TRUE : FALSE;
    return font;
}

HIMAGELIST LoadItemImages(HINSTANCE instance, const char* name, int size) {
    auto* bitmap = static_cast<HBITMAP>(LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, res::kItemImageCount, 0);
    if (list && bitmap) ImageList_AddMasked(list, bitmap, static_cast<COLORREF>(res::kMaskColour));
    if (bitmap) DeleteObject(bitmap);
    return list;
}

// A link of the link panel: plain text, fixed size, hand cursor, underlined.
void MakeLink(TMarkupLabel& link, HWND group, int x, int y, int width, const std::u16string& caption) {
    link.SetIsHTML(false);
    link.SetWordWrap(false);
    link.SetAutoSize(false);
    link.SetCursor(LinkCursor());
    link.SetFont(Tahoma(8, false, true));
    link.SetFontColor(GetSysColor(COLOR_HIGHLIGHT));
    link.SetCaption(caption);
    link.SetTabStop(true);
    link.Create(group, x, y, width, 13);
}

// A page's title: bold, underlined, auto-sized plain text.
void MakePageTitle(TMarkupLabel& title, HWND page, int width, const std::u16string& caption) {
    title.SetIsHTML(false);
    title.SetAutoSize(true);
    title.SetFont(Tahoma(8, true, true));
    title.SetFontColor(GetSysColor(COLOR_HIGHLIGHT));
    title.SetCaption(caption);
    title.Create(page, 8, 5, width, 13);
}

TPanelCaptionSettings GroupCaption(const std::u16string& text) {
    TPanelCaptionSettings caption;
    caption.text = text;
    caption.showCloseButton = false;
    caption.showMinButton = true;
    caption.buttonColor = kCaptionColor;
    caption.color = kCaptionColor;
    caption.font = Tahoma(8, true);
    caption.fontColor = GetSysColor(COLOR_HIGHLIGHT);
    caption.alignment = MarkupAlignment::Left;
    caption.layout = MarkupLayout::Center;
    return caption;
}

void MakeGroup(TExplorerBarGroup& group, TExplorerBar& bar, int y, int height, TPanelCaptionSettings caption) {
    group.Create(bar, 4, y, 145, height);
    group.SetCaptionSettings(caption);
    group.SetBackgroundType(GroupBackground::VerticalGradient);
    group.SetGradientStartColor(kGroupColor);
    group.SetGradientEndColor(RGB(255, 255, 255));
    group.SetColor(kGroupColor);
    group.LoadMinButtonGlyph(GetModuleHandleW(nullptr), L"" SWL_RES_MINGRIP);
}

// The links run their handlers inside their own window procedure, outside
// the window's: an error that escapes goes to the error report here, as it
// does for the window's own messages.
std::function<void()> Reported(std::function<void()> handler) {
    return [handler = std::move(handler)] {
        try {
            handler();
        } catch (...) {
            ReportCurrentException();
        }
    };
}

}  // namespace

void TfrmMain::CreateComponents() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const LOGFONTW windowFont = Tahoma(8, false);
    font_.reset(CreateFontIndirectW(&windowFont));
    const LOGFONTW boldFont = Tahoma(8, true);
    boldFont_.reset(CreateFontIndirectW(&boldFont));
    background_.reset(CreateSolidBrush(RGB(255, 255, 255)));
    const bool vietnamese = false;  // the settings load applies the language
    auto text = [&](const char* key) { return GetLangText(vietnamese, key); };

    // The link panel on the left.
    ebPanel.SetColor(kPanelColor);
    ebPanel.SetMargin(4);
    ebPanel.SetSpacing(8);
    ebPanel.SetVerticalScrollBar(ExplorerScrollBar::Automatic);
    ebPanel.Create(hwnd_, 0, 0, kPanelWidth, kMainClientHeight - kStatusHeight);
    ebPanel.BeginUpdate();
    TPanelCaptionSettings clipboardCaption = GroupCaption(text("ebclipboard"));
    clipboardCaption.autoSize = true;
    clipboardCaption.height = 17;
    MakeGroup(ebClipboard, ebPanel, 4, 77, clipboardCaption);
    MakeGroup(ebOptions, ebPanel, 89, 92, GroupCaption(text("eboptions")));
    ebPanel.EndUpdate();
    MakeLink(lbShowAll, ebClipboard.Handle(), 12, 24, 117, text("lbshowall"));
    MakeLink(lbPasteAll, ebClipboard.Handle(), 12, 40, 117, text("lbpasteall"));
    MakeLink(lbClearCB, ebClipboard.Handle(), 12, 56, 119, text("lbclearcb"));
    lbSettings.SetEndEllipsis(true);
    MakeLink(lbSettings, ebOptions.Handle(), 14, 24, 115, text("lbsettings"));
    MakeLink(lbAbout, ebOptions.Handle(), 14, 41, 115, text("lbabout"));
    MakeLink(lbHide, ebOptions.Handle(), 14, 57, 115, text("lbhide"));
    MakeLink(lbExit, ebOptions.Handle(), 14, 73, 115, text("lbexit"));
    lbShowAll.OnClick = Reported([this] { lbShowAllClick(); });
    lbPasteAll.OnClick = Reported([this] { miPasteClick(); });
    lbClearCB.OnClick = Reported([this] { lbClearCBClick(); });
    lbSettings.OnClick = Reported([this] { lbSettingsClick(); });
    lbAbout.OnClick = Reported([this] { lbAboutClick(); });
    lbHide.OnClick = Reported([this] { miHideClick(); });
    lbExit.OnClick = Reported([this] { lbExitClick(); });

    // The status bar: the gauge in panel 0, the status text in panel 1.
    sbStatus = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE,
                               0, kMainClientHeight - kStatusHeight, kMainClientWidth, kStatusHeight, hwnd_,
                               ControlId(kIdSbStatus), instance, nullptr);
    SendMessageW(sbStatus, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    pbCBItems.SetMinValue(0);
    pbCBItems.SetScale(kMaxItems);
    pbCBItems.SetLightColor(RGB(0, 255, 0));
    pbCBItems.SetDarkColor(RGB(255, 0, 0));
    pbCBItems.SetLightGradient(true);
    pbCBItems.SetDarkGradient(true);
    pbCBItems.SetLightGradientSteps(64);
    pbCBItems.SetDarkGradientSteps(64);
    pbCBItems.SetSmooth(true);
    pbCBItems.SetTransparent(true);
    pbCBItems.SetBevelStyle(ProgressBevel::None);
    pbCBItems.SetLightText(u"0/24");
    pbCBItems.SetLightTextColor(RGB(0, 0, 0));
    pbCBItems.SetLightTextFullLine(true);
    pbCBItems.SetFont(font_.get());
    pbCBItems.Create(sbStatus, 2, 4, 149, 19, kIdPbCBItems);
    lbStatusHint.SetIsHTML(false);
    lbStatusHint.SetAutoSize(false);
    lbStatusHint.SetLayout(MarkupLayout::Center);
    lbStatusHint.SetFont(windowFont);
    lbStatusHint.SetFontColor(GetSysColor(COLOR_BTNTEXT));
    lbStatusHint.SetCaption(text("lbstatushint"));
    lbStatusHint.Create(sbStatus, 157, 4, 221, 19, kIdLbStatusHint);

    // The page area.
    nbMain.Create(hwnd_, hwnd_, kPanelWidth, 0, kMainClientWidth - kPanelWidth, kMainClientHeight - kStatusHeight,
                  {kPageClipboard, kPageSettings, kPageAbout}, kIdNbMain);
    HWND clipboardPage = PageHandle(0);
    HWND settingsPage = PageHandle(1);
    HWND aboutPage = PageHandle(2);

    MakePageTitle(lbPClipboard, clipboardPage, 88, text("lbpclipboard"));
    lstCB = CreateWindowExW(0, L"LISTBOX", nullptr,
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS |
                                LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                            8, 24, 229, 161, clipboardPage, ControlId(kIdLstCB), instance, nullptr);
    SendMessageW(lstCB, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SetWindowSubclass(lstCB, &TfrmMain::ListProc, 1, reinterpret_cast<DWORD_PTR>(this));
    lstCBAccessible_.Attach(lstCB);

    MakePageTitle(lbPSettings, settingsPage, 47, text("lbpsettings"));
    ckAutoLoad.Create(settingsPage, kIdCkAutoLoad, text("ckautoload"), 16, 32, 137, 17, false);
    ckMonitor.Create(settingsPage, kIdCkMonitor, text("ckmonitor"), 16, 56, 152, 17, true);
    ckSave.Create(settingsPage, kIdCkSave, text("cksave"), 16, 80, 82, 17, false);
    ckRestoreCB.Create(settingsPage, kIdCkRestoreCB, text("ckrestorecb"), 16, 104, 163, 17, false);
    ckLang.Create(settingsPage, kIdCkLang, text("cklang"), 16, 128, 123, 17, false);
    for (TCheckBox* box : {&ckAutoLoad, &ckMonitor, &ckSave, &ckRestoreCB, &ckLang}) box->SetFont(font_.get());
    ckAutoLoad.OnClick = [this] { ckAutoLoadClick(); };
    ckMonitor.OnClick = [this] { ckMonitorClick(); };
    ckSave.OnClick = [this] { ckSaveClick(); };
    ckLang.OnClick = [this] { ckLangClick(); };
    lbTransparent.SetIsHTML(false);
    lbTransparent.SetWordWrap(true);
    lbTransparent.SetAutoSize(false);
    lbTransparent.SetFont(windowFont);
    lbTransparent.SetCaption(text("lbtransparent"));
    lbTransparent.Create(settingsPage, 18, 148, 111, 29);
    CreateTransparencyBar(settingsPage);
    // Quick paste, in the page's free space beside the designed controls.
    ckHotKey.Create(settingsPage, kIdCkHotKey, text("ckhotkey"), kQuickPasteColumn, 80,
                    kPageWidth - kQuickPasteColumn, 17, false);
    ckHotKey.SetFont(font_.get());
    ckHotKey.OnClick = [this] { ckHotKeyClick(); };
    hkQuickPaste.Create(settingsPage, kIdHkQuickPaste, kQuickPasteColumn, 126, kPageWidth - 4 - kQuickPasteColumn, 20,
                        font_.get());
    hkQuickPaste.RefusalText = [this](HotKeyVerdict verdict, const std::string& combination) {
        return HotKeyRefusalText(verdict, combination);
    };
    hkQuickPaste.OnConfirm = [this](const HotKey& hotKey) { hkQuickPasteConfirm(hotKey); };
    hkQuickPaste.OnTakeKeyboard = [this] { UnregisterQuickPaste(); };
    hkQuickPaste.OnLoseKeyboard = [this](bool away) { hkQuickPasteLoseKeyboard(away); };
    ShowQuickPasteSetting();

    aboutIcon_ = static_cast<HICON>(LoadImageA(instance, SWL_RES_ABOUTICON, IMAGE_ICON, res::kAboutIconSize,
                                               res::kAboutIconSize, 0));
    lbAboutTitle.SetIsHTML(true);
    lbAboutTitle.SetAutoSize(true);
    lbAboutTitle.SetFont(Tahoma(18, false));
    lbAboutTitle.SetFontColor(GetSysColor(COLOR_WINDOWTEXT));
    lbAboutTitle.SetCaption(text("lbabouttitle"));
    lbAboutTitle.Create(aboutPage, 70, 32, 164, 29);
    // The title overlaps the emblem's right edge. The emblem is made after
    // it, so it lies under the title in the Z order: it leaves the title's
    // area alone (WS_CLIPSIBLINGS) and the title draws it as its background.
    imgAbout = CreateWindowExW(0, L"STATIC", nullptr,
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_ICON | SS_REALSIZECONTROL, 11, 16, 72, 72,
                               aboutPage, nullptr, instance, nullptr);
    if (aboutIcon_) SendMessageW(imgAbout, STM_SETICON, reinterpret_cast<WPARAM>(aboutIcon_), 0);
    lbAboutDetail.SetIsHTML(true);
    lbAboutDetail.SetWordWrap(true);
    lbAboutDetail.SetAutoSize(false);
    lbAboutDetail.SetFont(windowFont);
    lbAboutDetail.SetCaption(text("lbaboutdetail"));
    // Its links are reached with Tab, one after the other.
    lbAboutDetail.SetTabStop(true);
    lbAboutDetail.Create(aboutPage, 11, 88, 225, 91);
    lbAboutDetail.OnLinkClick = [this](const std::u16string& href) {
        Reported([this, &href] { lbAboutDetailLinkClick(href); })();
    };

    imgIconS = LoadItemImages(instance, SWL_RES_ITEMS32, res::kItemSizeSmall);
    imgIconL = LoadItemImages(instance, SWL_RES_ITEMS48, res::kItemSizeLarge);

    nbMain.SetPageIndex(2);
    FormResize();
}

int TfrmMain::PageIndex() const { return nbMain.PageIndex(); }

void TfrmMain::SetPageIndex(int index) { nbMain.SetPageIndex(index); }

void TfrmMain::lbShowAllClick() { nbMain.SelectPage(kPageClipboard); }
void TfrmMain::lbSettingsClick() { nbMain.SelectPage(kPageSettings); }
void TfrmMain::lbAboutClick() { nbMain.SelectPage(kPageAbout); }

void TfrmMain::lbAboutDetailLinkClick(const std::u16string& href) {
    // The shell's answer is not examined: a link it cannot open is ignored.
    if (IsWinNT()) {
        ShellExecuteW(nullptr, L"open", Wide(href), L"", L"", SW_SHOW);
    } else {
        const std::string target = codePage_.ToAnsi(href);
        ShellExecuteA(nullptr, "open", target.c_str(), "", "", SW_SHOW);
    }
}

void TfrmMain::FormResize() {
    if (!lstCB || !hwnd_) return;  // WM_SIZE during creation
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0) return;  // minimised
    const int top = std::max(height - kStatusHeight, 0);
    // Every region follows the window: the panel keeps its width, the status
    // bar its height, the page area takes the rest.
    SetWindowPos(ebPanel.Handle(), nullptr, 0, 0, kPanelWidth, top, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(sbStatus, nullptr, 0, top, width, kStatusHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    const int parts[] = {kGaugePanelWidth, -1};
    SendMessageW(sbStatus, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    for (int part = 0; part < 2; ++part) SendMessageW(sbStatus, SB_SETTEXTW, part | SBT_NOBORDERS, 0);
    lbStatusHint.SetBounds(157, 4, std::max(width - 157 - kStatusHintRightGap, 0), 19);
    const int pageWidth = std::max(width - kPanelWidth, 0);
    SetWindowPos(nbMain.Handle(), nullptr, kPanelWidth, 0, pageWidth, top, SWP_NOZORDER | SWP_NOACTIVATE);

    SetWindowPos(lstCB, nullptr, 0, 0, std::max(pageWidth - 16, 0), std::max(top - 24, 0),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT outer{};
    GetWindowRect(hwnd_, &outer);
    const int itemHeight = ListItemHeightFor(outer.right - outer.left);
    const bool changed = itemHeight != ListItemHeight;
    ListItemHeight = itemHeight;
    if (changed) MeasureAllLines();
}

void TfrmMain::MeasureAllLines() {
    // A variable-height list asks for an entry's height only when the entry
    // is added; give every entry the new height and redraw.
    const int n = LineCount();
    for (int i = 0; i < n; ++i)
        SendMessageW(lstCB, LB_SETITEMHEIGHT, static_cast<WPARAM>(i), EntryHeightFor(ListItemHeight));
    InvalidateRect(lstCB, nullptr, TRUE);
}

void TfrmMain::lstCBMeasureItem(MEASUREITEMSTRUCT& item) {
    item.itemHeight = static_cast<UINT>(EntryHeightFor(ListItemHeight));
}

void TfrmMain::lstCBDrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
    if (item.itemID == static_cast<UINT>(-1)) {
        if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
        return;
    }
    const int index = static_cast<int>(item.itemID) + 1;
    if (index < 1 || index >= kSlotCount) return;
    const TCBI& c = History.CBItems[static_cast<std::size_t>(index)];
    const bool selected = item.itemState & ODS_SELECTED;

    RECT outerWindow{};
    GetWindowRect(hwnd_, &outerWindow);
    const int outerWidth = outerWindow.right - outerWindow.left;
    const int h = ListItemHeight;
    const int iconSize = EntryIconSizeFor(outerWidth);
    const bool picture = c.Format == CF_BITMAP;
    const EntryLayout layout = LayoutHistoryEntry({r.left, r.top, r.right, r.bottom}, h, iconSize, picture);

    const int saved = SaveDC(dc);
    SelectObject(dc, selected ? boldFont_.get() : font_.get());
    SetTextColor(dc, selected ? kEntryBlue : RGB(0, 0, 0));
    HPEN framePen = CreatePen(PS_SOLID, 1, selected ? kEntryFrameSelected : kEntryFrameOther);
    HPEN bluePen = CreatePen(PS_SOLID, 1, kEntryBlue);

    SelectObject(dc, framePen);
    SelectObject(dc, GetSysColorBrush(COLOR_WINDOW));
    Rectangle(dc, layout.outerFrame.left, layout.outerFrame.top, layout.outerFrame.right, layout.outerFrame.bottom);
    SelectObject(dc, bluePen);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, layout.iconFrame.left, layout.iconFrame.top, layout.iconFrame.right, layout.iconFrame.bottom);

    HIMAGELIST images = iconSize == res::kItemSizeSmall ? imgIconS : imgIconL;
    if (images)
        ImageList_Draw(images, EntryIconIndexForFormat(static_cast<unsigned>(c.Format)), dc, layout.icon.x,
                       layout.icon.y, ILD_TRANSPARENT);

    const RECT area = ToRECT(layout.content);
    if (picture) {
        const auto* ddb = dynamic_cast<const DdbPicture*>(c.Bitmap.get());
        if (ddb && ddb->Handle() && area.right > area.left && area.bottom > area.top) {
            MemoryDC source(dc);
            if (source.Select(ddb->Handle())) {
                // 1:1 from the picture's top-left; what lies beyond the area
                // is cut off, a smaller picture leaves the window colour.
                const int w = std::min<int>(area.right - area.left, ddb->Width());
                const int hh = std::min<int>(area.bottom - area.top, ddb->Height());
                BitBlt(dc, area.left, area.top, w, hh, source.get(), 0, 0, SRCCOPY);
            }
        }
    } else {
        std::u16string text = c.Format == CF_UNICODETEXT ? c.WText : codePage_.ToWide(c.Text);
        SetBkMode(dc, TRANSPARENT);
        RECT box = area;
        if (IsWinNT()) {
            DrawTextW(dc, Wide(text), static_cast<int>(text.size()), &box,
                      DT_WORDBREAK | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_NOPREFIX);
        } else {
            ExtTextOutW(dc, area.left, area.top, ETO_CLIPPED, &box, Wide(text), static_cast<UINT>(text.size()), nullptr);
        }
    }
    RestoreDC(dc, saved);
    DeleteObject(framePen);
    DeleteObject(bluePen);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

std::u16string TfrmMain::EntryText(int line) const {
    const int index = line + 1;
    if (index < 1 || index >= kSlotCount) return {};
    const TCBI& c = History.CBItems[static_cast<std::size_t>(index)];
    if (c.Format == CF_BITMAP) return LineString(line);
    return c.Format == CF_UNICODETEXT ? c.WText : codePage_.ToWide(c.Text);
}

int TfrmMain::LineCount() const {
    const LRESULT n = SendMessageW(lstCB, LB_GETCOUNT, 0, 0);
    return n == LB_ERR ? 0 : static_cast<int>(n);
}

int TfrmMain::SelectedIndex() const {
    const LRESULT i = SendMessageW(lstCB, LB_GETCURSEL, 0, 0);
    return i == LB_ERR ? -1 : static_cast<int>(i);
}

void TfrmMain::SelectLine(int index) { SendMessageW(lstCB, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

std::u16string TfrmMain::LineString(int index) const {
    const LRESULT length = SendMessageW(lstCB, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length < 0) return {};
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const LRESULT got = SendMessageW(lstCB, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
    return text;
}

void TfrmMain::AddLine(const std::u16string& text) {
    SendMessageW(lstCB, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text)));
    if (quickPaste_) PostMessageW(hwnd_, kMsgQuickPasteRefresh, 0, 0);
}

// The quick-paste popup, when open, takes the history again once the
// change is complete.
void TfrmMain::DeleteLine(int index) {
    SendMessageW(lstCB, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    if (quickPaste_) PostMessageW(hwnd_, kMsgQuickPasteRefresh, 0, 0);
}

void TfrmMain::DeleteAllLines() {
    SendMessageW(lstCB, LB_RESETCONTENT, 0, 0);
    if (quickPaste_) PostMessageW(hwnd_, kMsgQuickPasteRefresh, 0, 0);
}

void TfrmMain::SetLightValue(int value) { pbCBItems.SetLightValue(value); }

void TfrmMain::SetLightText(const std::u16string& text) { pbCBItems.SetLightText(text); }

}  // namespace swl
