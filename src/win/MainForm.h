// The main window TfrmMain: the history store with the list and the count
// bar that show it, the clipboard monitor and capture, the commands that
// write items back, and the window's creation and destruction.
//
// The class is split by concern:
//   MainForm.cpp            window class, window procedure, FormCreate,
//                           FormDestroy
//   MainForm_Layout.cpp     the components, navigation, the list's drawing
//                           and FormResize
//   MainForm_Capture.cpp    the viewer chain and the capture
//   MainForm_Commands.cpp   writing items to the clipboard and the commands
//   MainForm_Settings.cpp   the settings file and auto-start registration
//   MainForm_Menus.cpp      the two popup menus, their drawing, the preview
//   MainForm_Paste.cpp      focus tracking and pasting into the target
//   MainForm_Placement.cpp  show, hide, docking, minimise, transparency
//   MainForm_Language.cpp   applying the interface language
//   MainForm_Tray.cpp       the tray icon and the notification window
//   MainForm_Dialog.cpp     the message dialog
//   MainForm_Seams.cpp      what is not built yet, each in its least honest
//                           form; a file above takes over each function
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "application.h"
#include "check_box.h"
#include "gdi_handles.h"
#include "history.h"
#include "menu_item.h"
#include "notification_window.h"
#include "win_ansi_codepage.h"
#include "widgets/prompt_dialog.h"

namespace swl {

inline constexpr wchar_t kMainWindowClass[] = L"TfrmMain";
inline constexpr wchar_t kMainWindowTitle[] = L"Stashwell";
inline constexpr int kMainClientWidth = 397;
inline constexpr int kMainClientHeight = 211;

// Control ids of the main window's children.
enum MainFormControlId : int {
    kIdLstCB = 100,
    kIdCkAutoLoad,
    kIdCkMonitor,
    kIdCkSave,
    kIdCkRestoreCB,
    kIdCkLang,
    kIdLbClearCB,
    kIdLbStatusHint,
    kIdPbCBItems,
    kIdPbCBItemsText,
};

// Command ids of the history list's menu and of the tray menu.
enum MainFormCommandId : UINT {
    kCmdMiCopy = 200,
    kCmdN1,
    kCmdMiClear,
    kCmdMiClearAll,
    kCmdMiPaste,
    kCmdN3,
    kCmdMiView,
    kCmdV1,
    kCmdMiShow = 220,
    kCmdMiHide,
    kCmdN2,
    kCmdMiExit,
};

// Window timers of the main window.
enum MainFormTimerId : UINT_PTR {
    kPosTimer = 1,
    kFocusTimer = 2,
};

enum class TDlgType { Information, Error };

class TfrmMain final : public HistoryView {
public:
    struct Options {
        // FormCreate loads the settings file when true; when false it applies
        // the settings' defaults without touching any file (tests).
        bool loadSettingsFile = true;
    };

    // Creates the window (hidden, owned by the application window) and its
    // controls, then runs FormCreate. The first form created becomes the
    // application's main form. Throws std::runtime_error when the window
    // cannot be created.
    TfrmMain(TApplication& application, Options options);
    ~TfrmMain() override;
    TfrmMain(const TfrmMain&) = delete;
    TfrmMain& operator=(const TfrmMain&) = delete;

    HWND Handle() const { return hwnd_; }
    TApplication& Application() { return application_; }
    // Destroys the window; FormDestroy runs. Safe to call more than once.
    void Destroy();

    // The history: CBItems (slot 0 the clipboard mirror, 1..CBCount the
    // items, oldest first) and CBCount, kept in step with lstCB and pbCBItems.
    THistory History;
    // The next window in the clipboard viewer chain.
    HWND NextViewer = nullptr;
    // The notification window, once the main block has created it.
    NotificationWindow* frmTrayWnd = nullptr;

    // Components.
    HWND lstCB = nullptr;
    TCheckBox ckAutoLoad;
    TCheckBox ckMonitor;
    TCheckBox ckSave;
    TCheckBox ckRestoreCB;
    TCheckBox ckLang;
    HWND lbClearCB = nullptr;
    HWND lbStatusHint = nullptr;
    HWND pbCBItems = nullptr;
    // Shows the count bar's light text beside the bar.
    HWND pbCBItemsText = nullptr;
    HMENU pmCB = nullptr;
    TMenuItem miCopy;
    TMenuItem N1;
    TMenuItem miClear;
    TMenuItem miClearAll;
    TMenuItem miPaste;
    TMenuItem N3;
    TMenuItem miView;

    // Creation and destruction (MainForm.cpp).
    void FormCreate();
    void FormDestroy();
    void lbExitClick();

    // Monitor and capture (MainForm_Capture.cpp).
    void SetMonitoring(bool on);
    void ckMonitorClick();
    void WMDrawClipboard();
    void WMChangeCBChain(HWND leaving, HWND next);
    void CaptureClipboard();
    // "Stashwell :: " and the text of key in the current language.
    void SetStatusCaption(const char* key);

    // Writing to the clipboard and the commands (MainForm_Commands.cpp).
    // Returns false when the write failed (the clipboard could not be opened,
    // memory or a picture copy could not be had, the clipboard refused it);
    // nothing is reported.
    bool PutOnClipboard(const TCBI& item);
    void miCopyClick();
    void miClearClick();
    void miClearAllClick();
    void lstCBKeyPress(wchar_t& key);
    void lbClearCBClick();
    // Enables the list menu's items before it opens.
    void pmCBPopup();

    // Layout and navigation (MainForm_Layout.cpp).
    void FormResize();
    void lbShowAllClick();
    void lbSettingsClick();
    void lbAboutClick();
    void lbAboutDetailLinkClick(const std::u16string& href);
    // The active page of nbMain: 0 Clipboard, 1 Settings, 2 About.
    int PageIndex() const;
    void SetPageIndex(int index);
    // The icon frame's side and the base of the entry height: 38 or 64.
    int ListItemHeight = 32;

    // Settings file and auto-start (MainForm_Settings.cpp).
    void LoadSettings();
    void SaveSettings();
    void ApplyDefaultSettings();
    void ckAutoLoadClick();
    void ckSaveClick();

    // Menus and preview (MainForm_Menus.cpp). The Measure/Draw dispatchers
    // answer WM_MEASUREITEM/WM_DRAWITEM for menu items and return false for
    // anything that is not one of ours.
    HMENU pmTray = nullptr;
    TMenuItem v1;
    TMenuItem miShow;
    TMenuItem miHide;
    TMenuItem N2;
    TMenuItem miExit;
    bool MenuMeasureItem(MEASUREITEMSTRUCT& item);
    bool MenuDrawItem(const DRAWITEMSTRUCT& item);

    // Focus tracking and paste (MainForm_Paste.cpp).
    void FocusTimerTimer();
    void miPasteClick();
    void FormActivate();
    void FormDeactivate();

    // Show, hide, docking and transparency (MainForm_Placement.cpp).
    void miShowClick();
    void miHideClick();
    void FormShow();
    void FormClose();
    // True when the command was handled (minimise hides).
    bool WMSysCommand(WPARAM command);
    void PosTimerTimer();
    // Creates tbTransparent on the Settings page (called by the layout).
    void CreateTransparencyBar(HWND settingsPage);
    // The transparency track bar's position, 0..100; setting it applies the
    // transparency the way a move of the bar does.
    int TransparencyPosition() const;
    void SetTransparencyPosition(int position);

    // Interface language (MainForm_Language.cpp).
    void ckLangClick();
    void ApplyLanguage();

    // Tray icon (MainForm_Tray.cpp).
    void TrayIcoClick();
    void TrayIcoDblClick();
    void TrayIcoMouseMove();

    // The message dialog (MainForm_Dialog.cpp). ShowDialog sets its type and
    // markup message and runs it modally; the program's clipboard
    // notifications and timers go on meanwhile.
    TPromptDialog dlDialog;
    void ShowDialog(TDlgType type, const std::u16string& message);

    // The list: its lines, the selected line (-1 for none).
    int LineCount() const;
    int SelectedIndex() const;
    void SelectLine(int index);
    std::u16string LineString(int index) const;
    // The number of items recorded since the window was created.
    unsigned CaptureCount() const { return captureCount_; }

    // HistoryView: the list and the count bar.
    void AddLine(const std::u16string& text) override;
    void DeleteLine(int index) override;
    void DeleteAllLines() override;
    void SetLightValue(int value) override;
    void SetLightText(const std::u16string& text) override;

private:
    static void RegisterWindowClass();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR data);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT WMCommand(WPARAM wParam, LPARAM lParam);
    void WMContextMenu(HWND target, LPARAM lParam);
    void CreateComponents();
    void CreateMenus();
    void lstCBMeasureItem(MEASUREITEMSTRUCT& item);
    void lstCBDrawItem(const DRAWITEMSTRUCT& item);

    // Reads the clipboard's content into item; false when it holds none of
    // the recorded formats. Throws when a picture cannot be copied.
    bool ReadClipboardItem(TCBI& item);
    // Puts an item back into slot k with its list line (Copy to Clipboard
    // whose write failed).
    void RestoreItem(int k, TCBI&& item);

    TApplication& application_;
    WinAnsiCodePage codePage_;
    Options options_;
    HWND hwnd_ = nullptr;
    UniqueFont font_;
    UniqueBrush background_;
    unsigned captureCount_ = 0;
    // Stand-ins for the page area and the track bar until they exist.
    int seamPageIndex_ = 2;
    int seamTransparency_ = 0;
};

// The notification window of the program; null while there is none.
std::unique_ptr<NotificationWindow> CreateNotificationWindow(TfrmMain& frmMain);

}  // namespace swl
