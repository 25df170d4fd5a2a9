// TfrmMain: the window class, the window procedure that hands each message
// to its handler, the controls, FormCreate and FormDestroy.
#include "MainForm.h"

#include <commctrl.h>
#include <windowsx.h>

#include <stdexcept>

#include "SWLLang.h"
#include "error_report.h"

namespace swl {
namespace {

const wchar_t* W(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

HMENU ControlId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

// The height of a history line until the list draws its items in full.
constexpr int kLineHeight = 18;

}  // namespace

void TfrmMain::RegisterWindowClass() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &TfrmMain::WindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = kMainWindowClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

TfrmMain::TfrmMain(TApplication& application, Options options)
    : History(*this, codePage_), application_(application), options_(options) {
    RegisterWindowClass();
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    constexpr DWORD exStyle = WS_EX_TOPMOST;
    RECT frame{0, 0, kMainClientWidth, kMainClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    // Owned by the application window: no taskbar button of its own.
    CreateWindowExW(exStyle, kMainWindowClass, kMainWindowTitle, style, 298, 197, frame.right - frame.left,
                    frame.bottom - frame.top, application_.Handle(), nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) throw std::runtime_error("Cannot create the main window");
    if (!application_.MainForm()) application_.SetMainForm(hwnd_);
    CreateComponents();
    CreateMenus();
    FormCreate();
}

TfrmMain::~TfrmMain() {
    Destroy();
    if (pmCB) DestroyMenu(pmCB);  // with the preview submenu
}

void TfrmMain::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void TfrmMain::CreateComponents() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    {
        HDC screen = GetDC(nullptr);
        const int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
        ReleaseDC(nullptr, screen);
        font_.reset(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma"));
    }
    background_.reset(CreateSolidBrush(RGB(255, 255, 255)));
    const bool vietnamese = false;  // the language is applied by the settings load
    auto text = [&](const char* key) { return GetLangText(vietnamese, key); };

    // The link panel's place on the left holds the link and the settings
    // boxes until the panel and the pages exist; the list sits where the
    // Clipboard page shows it, the gauge and status text in the status strip.
    lbClearCB = CreateWindowExW(0, L"STATIC", W(text("lbclearcb")), WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_ENDELLIPSIS, 16, 8,
                                141, 13, hwnd_, ControlId(kIdLbClearCB), instance, nullptr);
    ckAutoLoad.Create(hwnd_, kIdCkAutoLoad, text("ckautoload"), 8, 32, 141, 17, false);
    ckMonitor.Create(hwnd_, kIdCkMonitor, text("ckmonitor"), 8, 56, 141, 17, true);
    ckSave.Create(hwnd_, kIdCkSave, text("cksave"), 8, 80, 141, 17, false);
    ckRestoreCB.Create(hwnd_, kIdCkRestoreCB, text("ckrestorecb"), 8, 104, 141, 17, false);
    ckLang.Create(hwnd_, kIdCkLang, text("cklang"), 8, 128, 141, 17, false);
    ckAutoLoad.OnClick = [this] { ckAutoLoadClick(); };
    ckMonitor.OnClick = [this] { ckMonitorClick(); };
    ckSave.OnClick = [this] { ckSaveClick(); };
    ckLang.OnClick = [this] { ckLangClick(); };

    lstCB = CreateWindowExW(0, L"LISTBOX", nullptr,
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS |
                                LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                            161, 24, 229, 161, hwnd_, ControlId(kIdLstCB), instance, nullptr);
    SetWindowSubclass(lstCB, &TfrmMain::ListProc, 1, reinterpret_cast<DWORD_PTR>(this));

    pbCBItems = CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 2, 190, 100, 19, hwnd_,
                                ControlId(kIdPbCBItems), instance, nullptr);
    SendMessageW(pbCBItems, PBM_SETRANGE32, 0, kMaxItems);
    pbCBItemsText = CreateWindowExW(0, L"STATIC", L"0/24", WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE, 106, 190, 47, 19,
                                    hwnd_, ControlId(kIdPbCBItemsText), instance, nullptr);
    lbStatusHint = CreateWindowExW(0, L"STATIC", W(text("lbstatushint")), WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE, 157,
                                   190, 221, 19, hwnd_, ControlId(kIdLbStatusHint), instance, nullptr);

    for (HWND child : {lbClearCB, ckAutoLoad.Handle(), ckMonitor.Handle(), ckSave.Handle(), ckRestoreCB.Handle(),
                       ckLang.Handle(), lstCB, pbCBItemsText, lbStatusHint})
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

void TfrmMain::CreateMenus() {
    const bool vietnamese = false;
    auto text = [&](const char* key) { return GetLangText(vietnamese, key); };
    pmCB = CreatePopupMenu();
    HMENU preview = CreatePopupMenu();  // holds the item preview once the menus draw it
    miCopy.Append(pmCB, kCmdMiCopy, text("micopy"), false);
    N1.Append(pmCB, kCmdN1, u"-", false);
    miClear.Append(pmCB, kCmdMiClear, text("miclear"), false);
    miClearAll.Append(pmCB, kCmdMiClearAll, text("miclearall"), false);
    miPaste.Append(pmCB, kCmdMiPaste, text("mipaste"), false);
    N3.Append(pmCB, kCmdN3, u"-", true);
    miView.Append(pmCB, kCmdMiView, text("miview"), true, preview);
    miCopy.OnClick = [this] { miCopyClick(); };
    miClear.OnClick = [this] { miClearClick(); };
    miClearAll.OnClick = [this] { miClearAllClick(); };
    miPaste.OnClick = [this] { miPasteClick(); };
}

void TfrmMain::FormCreate() {
    // The application window would carry a taskbar button: keep it hidden.
    if (HWND owner = GetWindow(hwnd_, GW_OWNER)) {
        ShowWindow(owner, SW_HIDE);
        ShowWindowAsync(owner, SW_HIDE);
    }
    History.ReleasePictures();
    History.CBCount = 0;
    application_.OnActivate = [this] { FormActivate(); };
    application_.OnDeactivate = [this] { FormDeactivate(); };
    application_.ShowMainForm = false;
    miHideClick();
    if (options_.loadSettingsFile)
        LoadSettings();
    else
        ApplyDefaultSettings();
}

void TfrmMain::FormDestroy() {
    if (ckMonitor.Checked()) SetMonitoring(false);
    SaveSettings();
    History.ReleasePictures();
    application_.OnActivate = nullptr;
    application_.OnDeactivate = nullptr;
}

void TfrmMain::lbExitClick() { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

LRESULT CALLBACK TfrmMain::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* created = static_cast<TfrmMain*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<TfrmMain*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        ReportCurrentException();
        return 0;
    }
}

LRESULT TfrmMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DRAWCLIPBOARD:
        WMDrawClipboard();
        return 0;
    case WM_CHANGECBCHAIN:
        WMChangeCBChain(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_COMMAND:
        return WMCommand(wParam, lParam);
    case WM_CONTEXTMENU:
        WMContextMenu(reinterpret_cast<HWND>(wParam), lParam);
        return 0;
    case WM_MEASUREITEM: {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item.CtlType == ODT_LISTBOX && item.CtlID == kIdLstCB) {
            lstCBMeasureItem(item);
            return TRUE;
        }
        if (item.CtlType == ODT_MENU && MenuMeasureItem(item)) return TRUE;
        break;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType == ODT_LISTBOX && item.CtlID == kIdLstCB) {
            lstCBDrawItem(item);
            return TRUE;
        }
        if (item.CtlType == ODT_MENU && MenuDrawItem(item)) return TRUE;
        break;
    }
    case WM_TIMER:
        if (wParam == kPosTimer) {
            PosTimerTimer();
            return 0;
        }
        if (wParam == kFocusTimer) {
            FocusTimerTimer();
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        if (WMSysCommand(wParam)) return 0;
        break;
    case WM_SHOWWINDOW:
        if (wParam) FormShow();
        break;
    case WM_SIZE:
        FormResize();
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(background_.get());
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            FormDeactivate();
        else
            FormActivate();
        break;
    case WM_CLOSE:
        FormClose();
        return 0;
    case WM_DESTROY:
        FormDestroy();
        return 0;
    case WM_NCDESTROY: {
        if (application_.MainForm() == hwnd_) application_.SetMainForm(nullptr);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        HWND hwnd = hwnd_;
        hwnd_ = nullptr;
        lstCB = lbClearCB = lbStatusHint = pbCBItems = pbCBItemsText = nullptr;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT TfrmMain::WMCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (lParam == 0) {
        if (code != 0) return 0;  // accelerators: none
        for (TMenuItem* item : {&miCopy, &miClear, &miClearAll, &miPaste, &miShow, &miHide, &miExit}) {
            if (item->Id() == static_cast<UINT>(id)) {
                item->Click();
                break;
            }
        }
        return 0;
    }
    if (code == BN_CLICKED) {
        for (TCheckBox* box : {&ckAutoLoad, &ckMonitor, &ckSave, &ckRestoreCB, &ckLang}) {
            if (box->Id() == id) {
                box->Click();
                return 0;
            }
        }
    }
    if (id == kIdLbClearCB && code == STN_CLICKED) lbClearCBClick();
    return 0;
}

void TfrmMain::WMContextMenu(HWND target, LPARAM lParam) {
    if (target != lstCB) return;
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) {  // from the keyboard: under the list's top-left corner
        at = {0, 0};
        ClientToScreen(lstCB, &at);
    }
    pmCBPopup();
    TrackPopupMenu(pmCB, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
}

LRESULT CALLBACK TfrmMain::ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TfrmMain*>(data);
    try {
        if (msg == WM_CHAR) {
            wchar_t key = static_cast<wchar_t>(wParam);
            self->lstCBKeyPress(key);
            if (key == 0) return 0;
            wParam = key;
        } else if (msg == WM_NCDESTROY) {
            RemoveWindowSubclass(hwnd, &TfrmMain::ListProc, 1);
        }
    } catch (...) {
        ReportCurrentException();
        return 0;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void TfrmMain::lstCBMeasureItem(MEASUREITEMSTRUCT& item) { item.itemHeight = kLineHeight; }

void TfrmMain::lstCBDrawItem(const DRAWITEMSTRUCT& item) {
    if (!(item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT | ODA_FOCUS))) return;
    const bool selected = item.itemState & ODS_SELECTED;
    RECT box = item.rcItem;
    FillRect(item.hDC, &box, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID != static_cast<UINT>(-1)) {
        const std::u16string line = LineString(static_cast<int>(item.itemID));
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        HGDIOBJ oldFont = SelectObject(item.hDC, font_.get());
        RECT text = box;
        text.left += 4;
        DrawTextW(item.hDC, W(line), static_cast<int>(line.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(item.hDC, oldFont);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &box);
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
    SendMessageW(lstCB, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(text)));
}

void TfrmMain::DeleteLine(int index) { SendMessageW(lstCB, LB_DELETESTRING, static_cast<WPARAM>(index), 0); }

void TfrmMain::DeleteAllLines() { SendMessageW(lstCB, LB_RESETCONTENT, 0, 0); }

void TfrmMain::SetLightValue(int value) { SendMessageW(pbCBItems, PBM_SETPOS, static_cast<WPARAM>(value), 0); }

void TfrmMain::SetLightText(const std::u16string& text) { SetWindowTextW(pbCBItemsText, W(text)); }

}  // namespace swl
