// TfrmMain: the history list's menu pmCB with its Preview submenu and the
// tray menu pmTray. Every item is owner-drawn in a light blue style with a
// pale stripe down the left side; the Preview submenu's only item, v1, shows
// the selected history item, its picture at its size or shrunk to fit, or its
// text wrapped in a box.
#include <windows.h>

#include <algorithm>
#include <string>

#include "MainForm.h"
#include "wide_text.h"
#include "menu_access_key.h"
#include "menu_palette.h"
#include "SWLLang.h"
#include "ddb_picture.h"
#include "geometry/menu_item_geometry.h"
#include "geometry/preview_geometry.h"
#include "platform.h"
#include "solid_shapes.h"
#include "win_rect.h"

namespace swl {
namespace {

constexpr COLORREF kPreviewText = RGB(0, 0, 0);

// A preview box shows at most a few thousand characters (320 x 240 pixels of
// 8 pt text); drawing only the start keeps a text of megabytes from stalling
// the menu while giving the same picture, ellipsis included.
constexpr std::size_t kPreviewTextLimit = 8192;

void DrawRectangle(HDC dc, const Rect& r, COLORREF pen, COLORREF brush) {
    DrawSolidRectangle(dc, ToRECT(r), pen, brush);
}

// The start of text, not cut inside a surrogate pair.
std::u16string PreviewTextPart(const std::u16string& text) {
    if (text.size() <= kPreviewTextLimit) return text;
    std::size_t n = kPreviewTextLimit;
    if (text[n] >= 0xDC00 && text[n] <= 0xDFFF) --n;
    return text.substr(0, n);
}

}  // namespace

void TfrmMain::CreateMenus() {
    const bool vietnamese = ckLang.Checked();
    auto text = [&](const char* key) { return GetLangText(vietnamese, key); };

    pmCB = CreatePopupMenu();
    HMENU preview = CreatePopupMenu();
    miCopy.Append(pmCB, kCmdMiCopy, text("micopy"), false);
    N1.Append(pmCB, kCmdN1, u"-", true);
    miClear.Append(pmCB, kCmdMiClear, text("miclear"), false);
    miClearAll.Append(pmCB, kCmdMiClearAll, text("miclearall"), false);
    miPaste.Append(pmCB, kCmdMiPaste, text("mipaste"), false);
    N3.Append(pmCB, kCmdN3, u"-", true);
    miView.Append(pmCB, kCmdMiView, text("miview"), true, preview);
    v1.Append(preview, kCmdV1, u"", true);
    miCopy.OnClick = [this] { miCopyClick(); };
    miClear.OnClick = [this] { miClearClick(); };
    miClearAll.OnClick = [this] { miClearAllClick(); };
    miPaste.OnClick = [this] { miPasteClick(); };

    pmTray = CreatePopupMenu();
    miShow.Append(pmTray, kCmdMiShow, text("mishow"), true);
    miHide.Append(pmTray, kCmdMiHide, text("mihide"), true);
    N2.Append(pmTray, kCmdN2, u"-", true);
    miExit.Append(pmTray, kCmdMiExit, text("miexit"), true);
    miShow.OnClick = [this] { miShowClick(); };
    miHide.OnClick = [this] { miHideClick(); };
    miExit.OnClick = [this] { lbExitClick(); };
}

void TfrmMain::pmCBPopup() {
    const ListMenuStates states = ListMenuStatesFor(LineCount(), SelectedIndex() >= 0);
    miClearAll.SetEnabled(states.clearAll);
    for (TMenuItem* item : {&miCopy, &miClear, &miPaste, &miView}) item->SetEnabled(states.itemCommands);
    // A new item makes the menu measure the preview for the entry selected now.
    const std::u16string caption = v1.Caption();
    v1.Remove();
    v1 = TMenuItem{};
    if (miView.Submenu()) v1.Append(miView.Submenu(), kCmdV1, caption, true);
}

TMenuItem* TfrmMain::FindMenuItem(UINT id) {
    for (TMenuItem* item :
         {&miCopy, &N1, &miClear, &miClearAll, &miPaste, &N3, &miView, &v1, &miShow, &miHide, &N2, &miExit}) {
        if (item->InMenu() && item->Id() == id) return item;
    }
    return nullptr;
}

LRESULT TfrmMain::MenuChar(char16_t typed, HMENU menu) {
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STATE;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) continue;
        if (info.fState & MFS_DISABLED) continue;
        const TMenuItem* item = FindMenuItem(info.wID);
        if (item && item->Caption() != u"-" && MatchesAccessKey(item->Caption(), typed))
            return MAKELRESULT(position, MNC_EXECUTE);
    }
    return MAKELRESULT(0, MNC_IGNORE);
}

bool TfrmMain::MenuMeasureItem(MEASUREITEMSTRUCT& item) {
    TMenuItem* menuItem = FindMenuItem(static_cast<UINT>(item.itemData));
    if (!menuItem) return false;
    ScreenDC screen;
    int width = static_cast<int>(item.itemWidth);
    int height = static_cast<int>(item.itemHeight);
    if (menuItem == &v1)
        v1MeasureItem(*menuItem, screen.get(), width, height);
    else
        miViewMeasureItem(*menuItem, screen.get(), width, height);
    item.itemWidth = static_cast<UINT>(std::max(width, 0));
    item.itemHeight = static_cast<UINT>(std::max(height, 0));
    return true;
}

bool TfrmMain::MenuDrawItem(const DRAWITEMSTRUCT& item) {
    TMenuItem* menuItem = FindMenuItem(static_cast<UINT>(item.itemData));
    if (!menuItem || !item.hDC) return false;
    const int saved = SaveDC(item.hDC);
    if (menuItem == &v1)
        v1AdvancedDrawItem(*menuItem, item.hDC, item.rcItem, item.itemState);
    else
        miViewDrawItem(*menuItem, item.hDC, item.rcItem, (item.itemState & ODS_SELECTED) != 0);
    RestoreDC(item.hDC, saved);
    return true;
}

void TfrmMain::miViewMeasureItem(const TMenuItem& sender, HDC, int& width, int& height) {
    const Size size = MeasureMenuItem(sender.Caption());
    width = size.width;
    height = size.height;
}

void TfrmMain::miViewDrawItem(const TMenuItem& sender, HDC canvas, const RECT& rect, bool selected) {
    const Rect r = ToRect(rect);
    const bool nt = IsWinNT();
    // Without prefix processing the "&" would show; only the first goes.
    const std::u16string caption = nt ? sender.Caption() : RemoveFirstAmpersand(sender.Caption());
    // The items are drawn in the window's font, Tahoma 8 pt.
    ScopedSelect font(canvas, font_.get());
    const bool enabled = sender.Enabled();

    COLORREF textColour;
    if (selected) {
        if (enabled) DrawRectangle(canvas, r, kMenuText, kMenuSelectedBack);
        textColour = kMenuSelectedText;
    } else {
        DrawRectangle(canvas, r, kMenuBack, kMenuBack);
        DrawRectangle(canvas, MenuStripeSquare(r), kMenuStripe, kMenuStripe);
        textColour = kMenuText;
    }
    if (!enabled) textColour = kMenuDisabledText;

    if (IsMenuSeparator(sender.Caption())) {
        DrawRectangle(canvas, MenuSeparatorLine(r), kMenuSeparator, kMenuSeparator);
        return;
    }
    SIZE yy{};
    GetTextExtentPoint32W(canvas, L"Yy", 2, &yy);
    RECT area = ToRECT(MenuCaptionArea(r, yy.cy));
    SetTextColor(canvas, textColour);
    SetBkMode(canvas, TRANSPARENT);
    if (nt)
        DrawTextW(canvas, Wide(caption), static_cast<int>(caption.size()), &area, 0);
    else
        TextOutW(canvas, area.left, area.top, Wide(caption), static_cast<int>(caption.size()));
}

const TCBI* TfrmMain::PreviewedItem() const {
    const int index = SelectedIndex();
    if (index < 0 || index + 1 > History.CBCount || index + 1 >= kSlotCount) return nullptr;
    const TCBI& item = History.CBItems[static_cast<std::size_t>(index + 1)];
    return item.Format != 0 ? &item : nullptr;
}

void TfrmMain::v1MeasureItem(const TMenuItem&, HDC, int& width, int& height) {
    const TCBI* item = PreviewedItem();
    Size size;
    if (item && item->Format == CF_BITMAP) {
        if (item->Bitmap) size = PreviewPictureItemSize({item->Bitmap->Width(), item->Bitmap->Height()});
        else size = PreviewPictureItemSize({0, 0});
    } else {
        // No selection cannot open the submenu; an empty box is what it would show.
        size = item ? PreviewTextItemSize(IsWinNT(), item->Text.size(), item->WText.size())
                    : PreviewTextItemSize(IsWinNT(), 0, 0);
    }
    width = size.width;
    height = size.height;
}

void TfrmMain::v1AdvancedDrawItem(const TMenuItem&, HDC canvas, const RECT& rect, UINT) {
    const Rect r = ToRect(rect);
    FillRect(canvas, &rect, GetSysColorBrush(COLOR_WINDOW));
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const TCBI* item = PreviewedItem();
    if (!item) return;

    if (item->Format == CF_BITMAP) {
        const auto* picture = dynamic_cast<const DdbPicture*>(item->Bitmap.get());
        if (!picture || !picture->Handle()) return;
        const PreviewPicturePlacement place = PlacePreviewPicture(r, {picture->Width(), picture->Height()});
        if (place.target.Width() <= 0 || place.target.Height() <= 0) return;
        auto scratch = DdbPicture::Create(place.target.Width(), place.target.Height());
        if (!scratch || !scratch->Handle()) return;
        MemoryDC scratchDC(canvas);
        MemoryDC sourceDC(canvas);
        if (!scratchDC.Select(scratch->Handle()) || !sourceDC.Select(picture->Handle())) return;
        PatBlt(scratchDC.get(), 0, 0, place.target.Width(), place.target.Height(), WHITENESS);
        if (!place.stretch) {
            BitBlt(scratchDC.get(), 0, 0, picture->Width(), picture->Height(), sourceDC.get(), 0, 0, SRCCOPY);
        } else {
            DrawRectangle(canvas, place.frame, kMenuPictureFrame, window);
            SetStretchBltMode(scratchDC.get(), HALFTONE);
            SetBrushOrgEx(scratchDC.get(), 0, 0, nullptr);
            StretchBlt(scratchDC.get(), 0, 0, place.target.Width(), place.target.Height(), sourceDC.get(), 0, 0,
                       picture->Width(), picture->Height(), SRCCOPY);
        }
        BitBlt(canvas, place.target.left, place.target.top, place.target.Width(), place.target.Height(),
               scratchDC.get(), 0, 0, SRCCOPY);
        return;
    }

    DrawRectangle(canvas, PreviewTextFrame(r), kMenuPictureFrame, window);
    // A scratch copy: drawing with an ellipsis must not touch the item.
    const std::u16string text =
        PreviewTextPart(item->Format == CF_UNICODETEXT ? item->WText : codePage_.ToWide(item->Text));
    RECT area = ToRECT(PreviewTextArea(r));
    ScopedSelect font(canvas, font_.get());
    SetTextColor(canvas, kPreviewText);
    SetBkMode(canvas, TRANSPARENT);
    // The user's own text, drawn as it is: an "&" in it is no access key.
    if (IsWinNT()) {
        DrawTextW(canvas, Wide(text), static_cast<int>(text.size()), &area,
                  DT_WORDBREAK | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_NOPREFIX);
    } else {
        ExtTextOutW(canvas, area.left, area.top, ETO_CLIPPED, &area, Wide(text), static_cast<UINT>(text.size()),
                    nullptr);
    }
}

}  // namespace swl
