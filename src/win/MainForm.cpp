// TfrmMain: the window class, the window procedure that hands each message
// to its handler, the controls, FormCreate and FormDestroy.
#include "MainForm.h"

#include <commctrl.h>
#include <windowsx.h>

#include <stdexcept>

#include "SWLLang.h"
#include "error_report.h"
#include "quick_paste_window.h"
#include "resource_ids.h"
#include "window_object.h"

namespace swl {
namespace {

// The program's icon at a size the system uses. Shared: the system keeps
// one copy per size, and nobody destroys it.
HICON ProgramIcon(int metricX, int metricY) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"" SWL_RES_MAINICON, IMAGE_ICON,
                                         GetSystemMetrics(metricX), GetSystemMetrics(metricY), LR_SHARED));
}

}  // namespace

void TfrmMain::RegisterWindowClass() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &WindowObjectProc<TfrmMain>;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hIcon = ProgramIcon(SM_CXICON, SM_CYICON);
        wc.hIconSm = ProgramIcon(SM_CXSMICON, SM_CYSMICON);
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
    // WS_EX_CONTROLPARENT: the keyboard moves through the controls as in a
    // dialog (see dialog_keys.h).
    constexpr DWORD exStyle = WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, kMainClientWidth, kMainClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    // Owned by the application window: no taskbar button of its own.
    CreateWindowExW(exStyle, kMainWindowClass, kMainWindowTitle, style, 298, 197, frame.right - frame.left,
                    frame.bottom - frame.top, application_.Handle(), nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) throw std::runtime_error("Cannot create the main window");
    if (!application_.MainForm()) application_.SetMainForm(hwnd_);
    // The window's own icons as well as its class's: the title bar, the task
    // switcher and Wine's window manager ask the window first.
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ProgramIcon(SM_CXICON, SM_CYICON)));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ProgramIcon(SM_CXSMICON, SM_CYSMICON)));
    CreateComponents();
    CreateMenus();
    FormCreate();
}

TfrmMain::~TfrmMain() {
    Destroy();
    if (pmCB) DestroyMenu(pmCB);  // with the preview submenu
    if (pmTray) DestroyMenu(pmTray);
    if (imgIconS) ImageList_Destroy(imgIconS);
    if (imgIconL) ImageList_Destroy(imgIconL);
    if (aboutIcon_) DestroyIcon(aboutIcon_);
}

void TfrmMain::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void TfrmMain::FormCreate() {
    HideApplicationWindow();
    History.ReleasePictures();
    History.CBCount = 0;
    application_.OnActivate = [this] { FormActivate(); };
    application_.OnDeactivate = [this] { FormDeactivate(); };
    application_.ShowMainForm = false;
    SetFocusTimer(true);
    miHideClick();
    if (options_.loadSettingsFile)
        LoadSettings();
    else
        ApplyDefaultSettings();
}

void TfrmMain::FormDestroy() {
    quickPaste_.reset();
    UnregisterQuickPaste();
    if (ckMonitor.Checked()) SetMonitoring(false);
    SaveSettings();
    History.ReleasePictures();
    application_.OnActivate = nullptr;
    application_.OnDeactivate = nullptr;
}

void TfrmMain::lbExitClick() { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

LRESULT TfrmMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DRAWCLIPBOARD:
        WMDrawClipboard();
        return 0;
    case kMsgShowNotification:
        ShowNotification();
        return 0;
    case WM_HOTKEY:
        if (wParam == kQuickPasteHotKeyId) WMHotKey();
        return 0;
    case kMsgQuickPastePick:
        QuickPastePick(static_cast<int>(wParam));
        return 0;
    case kMsgQuickPasteClosed:
        QuickPasteClosed(wParam != 0);
        return 0;
    case kMsgQuickPasteRefresh:
        QuickPasteRefresh();
        return 0;
    case kMsgShowHotKeyError:
        ShowHeldHotKeyError();
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
    case WM_MENUCHAR:
        return MenuChar(static_cast<char16_t>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
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
        if (wParam == kCaptureRetryTimer) {
            CaptureRetryTimerTimer();
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
        if (LOWORD(wParam) == WA_INACTIVE) {
            SaveFocus();
            FormDeactivate();
        } else {
            FormActivate();
            if (heldHotKeyError_) PostMessageW(hwnd_, kMsgShowHotKeyError, 0, 0);
            if (!HIWORD(wParam) && RestoreFocus()) return 0;
        }
        break;
    case WM_CLOSE:
        FormClose();
        return 0;
    case WM_ENDSESSION:
        WMEndSession(wParam != 0);
        return 0;
    case WM_DESTROY:
        FormDestroy();
        return 0;
    case WM_NCDESTROY: {
        if (application_.MainForm() == hwnd_) application_.SetMainForm(nullptr);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        HWND hwnd = hwnd_;
        hwnd_ = nullptr;
        lstCB = sbStatus = imgAbout = nullptr;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

void TfrmMain::SaveFocus() {
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
}

bool TfrmMain::RestoreFocus() {
    HWND focus = lastFocus_;
    if (!focus || !IsChild(hwnd_, focus) || !IsWindowVisible(focus) || !IsWindowEnabled(focus)) return false;
    SetFocus(focus);
    return true;
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
        for (TCheckBox* box : {&ckAutoLoad, &ckMonitor, &ckSave, &ckRestoreCB, &ckLang, &ckHotKey}) {
            if (box->Id() == id) {
                box->Click();
                return 0;
            }
        }
    }
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
        } else if (msg == WM_GETOBJECT) {
            if (const LRESULT answer = self->lstCBAccessible_.Answer(wParam, lParam)) return answer;
        } else if (msg == WM_NCDESTROY) {
            RemoveWindowSubclass(hwnd, &TfrmMain::ListProc, 1);
            self->lstCBAccessible_.Attach(nullptr);
        }
    } catch (...) {
        ReportCurrentException();
        return 0;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace swl
