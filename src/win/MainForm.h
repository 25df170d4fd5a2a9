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
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "application.h"
#include "check_box.h"
#include "gdi_handles.h"
#include "history.h"
#include "item_recorder.h"
#include "list_box_accessible.h"
#include "menu_item.h"
#include "notification_window.h"
#include "win_ansi_codepage.h"
#include "widgets/bi_progress_bar.h"
#include "widgets/explorer_bar.h"
#include "widgets/explorer_bar_group.h"
#include "widgets/hotkey_field.h"
#include "widgets/markup_label.h"
#include "widgets/notebook.h"
#include "widgets/prompt_dialog.h"
#include "widgets/track_bar.h"
#include "widgets/tray_icon.h"
#include "geometry/transparency.h"
#include "quick_paste/hotkey_text.h"
#include "quick_paste/quick_paste_list.h"
#include "settings/settings_ports.h"

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
    kIdSbStatus,
    kIdNbMain,
    kIdCkHotKey,
    kIdHkQuickPaste,
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
    kCaptureRetryTimer = 3,
};

// Posted to the main window: show the notification for the captures made
// since the last one.
constexpr UINT kMsgShowNotification = WM_APP + 1;
// Posted to the main window by the quick-paste popup and the history: an
// entry was picked (wParam: its slot), the popup was closed (wParam: with
// Escape), the history changed while the popup is open.
constexpr UINT kMsgQuickPastePick = WM_APP + 2;
constexpr UINT kMsgQuickPasteClosed = WM_APP + 3;
constexpr UINT kMsgQuickPasteRefresh = WM_APP + 4;
// Posted to the main window when it is active again: show the message that
// the hotkey could not be taken while the user was in another program.
constexpr UINT kMsgShowHotKeyError = WM_APP + 5;
// The id the main window holds its hotkey under.
constexpr int kQuickPasteHotKeyId = 1;

class TQuickPasteWindow;

enum class TDlgType { Information, Error };

class TfrmMain final : public HistoryView, public RecordingClipboard {
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

    // Components (MainForm_Layout.cpp). The link panel with its two groups
    // of links, the page area with the Clipboard, Settings and About pages,
    // and the status bar with the count gauge and the status text.
    TExplorerBar ebPanel;
    TExplorerBarGroup ebClipboard;
    TExplorerBarGroup ebOptions;
    TMarkupLabel lbShowAll;
    TMarkupLabel lbPasteAll;
    TMarkupLabel lbClearCB;
    TMarkupLabel lbSettings;
    TMarkupLabel lbAbout;
    TMarkupLabel lbHide;
    TMarkupLabel lbExit;
    HWND sbStatus = nullptr;
    TBiProgressBar pbCBItems;
    TMarkupLabel lbStatusHint;
    TNotebook nbMain;
    // The page's window: 0 Clipboard, 1 Settings, 2 About.
    HWND PageHandle(int index) const { return nbMain.PageHandle(index); }
    TMarkupLabel lbPClipboard;
    HWND lstCB = nullptr;
    TMarkupLabel lbPSettings;
    TCheckBox ckAutoLoad;
    TCheckBox ckMonitor;
    TCheckBox ckSave;
    TCheckBox ckRestoreCB;
    TCheckBox ckLang;
    TMarkupLabel lbTransparent;
    // The quick-paste hotkey's switch and its field, in the page's free
    // space beside the designed controls.
    TCheckBox ckHotKey;
    THotKeyField hkQuickPaste;
    HWND imgAbout = nullptr;
    TMarkupLabel lbAboutTitle;
    TMarkupLabel lbAboutDetail;
    // The item pictures, 32 and 48 pixels: 8-bit text, Unicode text, picture.
    HIMAGELIST imgIconS = nullptr;
    HIMAGELIST imgIconL = nullptr;
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
    // A tick of kCaptureRetryTimer: tries again the capture of a change the
    // clipboard was held open through.
    void CaptureRetryTimerTimer();
    // Whether a change waits for the clipboard to be let go.
    bool CaptureRetryPending() const { return captureRetriesLeft_ > 0; }
    void PostNotification();
    void ShowNotification();
    // "Stashwell :: " and the text of key in the current language.
    void SetStatusCaption(const char* key);

    // Writing to the clipboard and the commands (MainForm_Commands.cpp).
    // What of the item reached the clipboard: Nothing when the write failed
    // at once (the clipboard could not be opened, memory or a picture copy
    // could not be had, the clipboard refused it) or the record has no
    // content; Partly when the text's second format could not be set.
    // Nothing is reported.
    Written PutOnClipboard(const TCBI& item);
    // RecordingClipboard, for the recorder (item_recorder.h).
    Written Put(const TCBI& item) override { return PutOnClipboard(item); }
    void TakeAsRecorded() override;
    // Copy to Clipboard: the selected item becomes the newest item, recorded
    // by the capture or, when nothing records it, stored directly. False when
    // it could not be written (it stays where it was) or nothing is selected.
    bool miCopyClick();
    void miClearClick();
    void miClearAllClick();
    void lstCBKeyPress(wchar_t& key);
    void lbClearCBClick();

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
    // Gives every entry of lstCB the entry height of ListItemHeight.
    void MeasureAllLines();

    // Settings file and auto-start (MainForm_Settings.cpp).
    void LoadSettings();
    void SaveSettings();
    void ApplyDefaultSettings();
    void ckAutoLoadClick();
    void ckSaveClick();
    // Saves settings and history at once when the session ends (the process
    // may be ended right after); the save at destruction then does nothing.
    void WMEndSession(bool ending);
    // The settings file's folder (with a closing backslash) and the key under
    // HKEY_CURRENT_USER that holds the auto-start value. An empty folder
    // means the program's directory. A form made without loadSettingsFile
    // touches neither file nor registry until UseSettingsStore names them.
    std::wstring SettingsFolder;
    std::wstring RunKeyPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    void UseSettingsStore(std::wstring folder, std::wstring runKeyPath);
    // When set, the settings' error messages go here instead of the message
    // dialog, so that tests see them without a modal loop.
    std::function<void(TDlgType, const std::u16string&)> SettingsDialogSink;
    // "errnotsave"/"errnotload"/"errregistry" text with what failed.
    void ShowSettingsError(const std::u16string& text, std::string_view detail);

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
    // WM_MENUCHAR: owner-drawn items have no system text, so the item whose
    // caption has the typed access key is found here.
    LRESULT MenuChar(char16_t typed, HMENU menu);
    // Builds pmCB (with the Preview submenu) and pmTray, all owner-drawn.
    void CreateMenus();
    // Enables the list menu's items before it opens and makes a fresh v1.
    void pmCBPopup();
    // Every item of pmCB and pmTray but v1: 120 x 20, separators 120 x 4;
    // drawn in the light blue style with the pale stripe at the left.
    void miViewMeasureItem(const TMenuItem& sender, HDC canvas, int& width, int& height);
    void miViewDrawItem(const TMenuItem& sender, HDC canvas, const RECT& rect, bool selected);
    // The preview of the selected history item: the picture at its size or
    // shrunk, or its text wrapped in a box.
    void v1MeasureItem(const TMenuItem& sender, HDC canvas, int& width, int& height);
    void v1AdvancedDrawItem(const TMenuItem& sender, HDC canvas, const RECT& rect, UINT state);
    // The item of pmCB, v1 or pmTray whose id is id; null for none.
    TMenuItem* FindMenuItem(UINT id);
    // The history item v1 shows: the selected entry's; null for none.
    const TCBI* PreviewedItem() const;

    // Focus tracking and paste (MainForm_Paste.cpp).
    // The window Paste types into: the foreground window at the last
    // FocusTimer tick while the program was not active; 0 until sampled.
    HWND TargetWnd = nullptr;
    void FocusTimerTimer();
    void miPasteClick();
    void FormActivate();
    void FormDeactivate();
    // Whether FocusTimer runs (the program is not active).
    bool FocusTimerEnabled() const { return focusTimerEnabled_; }
    // Brings target to the front and types Ctrl+V into it.
    void TypePasteKeys(HWND target);

    // Quick paste (MainForm_QuickPaste.cpp). While on and held, the hotkey
    // opens the popup at the caret of the window in front; picking an entry
    // copies it as Copy to Clipboard does and pastes it into that window.
    // The combination (the default while none is chosen) and whether it is
    // on; SetQuickPaste registers it and says so when another program holds
    // it (the program then runs without it).
    HotKey QuickPasteKey = kDefaultHotKey;
    bool QuickPasteOn() const { return quickPasteOn_; }
    bool QuickPasteRegistered() const { return quickPasteRegistered_; }
    void SetQuickPaste(const HotKey& hotKey, bool on);
    void WMHotKey();
    // Opens the popup for target (the window in front when the hotkey came).
    void OpenQuickPaste(HWND target);
    TQuickPasteWindow* QuickPastePopup() const { return quickPaste_.get(); }
    // The window the pick pastes into, taken when the hotkey came.
    HWND QuickPasteTarget = nullptr;
    void QuickPastePick(int slot);
    void QuickPasteClosed(bool byKey);
    void QuickPasteRefresh();
    // The switch turns the combination in the field on or off; a new
    // combination confirmed in the field replaces the one held.
    void ckHotKeyClick();
    void hkQuickPasteConfirm(const HotKey& hotKey);
    // The field let the hotkey go while it had the keyboard; it is taken
    // again when the field loses it. Away: to another program, where a
    // message about it would stand over that program: it waits for the
    // user's return (ShowHeldHotKeyError).
    void hkQuickPasteLoseKeyboard(bool away);
    void ShowHeldHotKeyError();

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
    void tbTransparentChanging(int newPosition, bool& allow);
    TTrackBar tbTransparent;
    // The taskbar's window rectangle as last seen when shown or following.
    RECT TaskbarRect{};
    // Whether PosTimer runs.
    bool PosTimerEnabled() const { return posTimerEnabled_; }
    // The window's blend value and switch, applied when either changes.
    AlphaState Alpha() const { return alpha_; }
    // SetLayeredWindowAttributes, looked up in user32 when the window is
    // made; null on systems before Windows 2000.
    using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    SetLayeredWindowAttributesFn SetLayeredWindowAttributesProc = LookUpSetLayeredWindowAttributes();
    static SetLayeredWindowAttributesFn LookUpSetLayeredWindowAttributes();

    // Interface language (MainForm_Language.cpp).
    void ckLangClick();
    void ApplyLanguage();

    // Tray icon (MainForm_Tray.cpp). EnableTrayIcon puts TrayIco into the
    // notification area (with TRAYICON and pmTray) once the window has
    // loaded; DisableTrayIcon takes it out again.
    TTrayIcon TrayIco;
    void EnableTrayIcon();
    void DisableTrayIcon();
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
    unsigned CaptureCount() const override { return captureCount_; }

    // HistoryView: the list and the count bar.
    void AddLine(const std::u16string& text) override;
    void DeleteLine(int index) override;
    void DeleteAllLines() override;
    void SetLightValue(int value) override;
    void SetLightText(const std::u16string& text) override;

private:
    static void RegisterWindowClass();
    template <class Window>
    friend LRESULT CALLBACK WindowObjectProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR data);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT WMCommand(WPARAM wParam, LPARAM lParam);
    void WMContextMenu(HWND target, LPARAM lParam);
    void CreateComponents();
    void lstCBMeasureItem(MEASUREITEMSTRUCT& item);
    void lstCBDrawItem(const DRAWITEMSTRUCT& item);

    // Reads the clipboard's content into item; false when it holds none of
    // the recorded formats. Throws when a picture cannot be copied.
    bool ReadClipboardItem(TCBI& item);
    // The capture proper; false only when the clipboard could not be opened.
    bool CaptureOpenClipboard();
    // Leaves the clipboard viewer chain if the window is in it.
    void LeaveViewerChain();
    void StartCaptureRetry(DWORD sequence, unsigned tries);
    void StopCaptureRetry();
    // Puts an item back into slot k with its list line (Copy to Clipboard
    // whose write failed).
    void RestoreItem(int k, TCBI&& item);

    TApplication& application_;
    WinAnsiCodePage codePage_;
    // What screen readers hear of lstCB's entries: the text each one shows.
    ListBoxAccessible lstCBAccessible_{[this](int line) { return EntryText(line); }};
    std::u16string EntryText(int line) const;
    // The control that had the keyboard focus when the window was last
    // deactivated; it gets the focus back when the window is activated.
    HWND lastFocus_ = nullptr;
    void SaveFocus();
    bool RestoreFocus();
    Options options_;
    HWND hwnd_ = nullptr;
    UniqueFont font_;
    UniqueBrush background_;
    unsigned captureCount_ = 0;
    bool notificationPosted_ = false;
    // The clipboard's sequence number when the last capture read it: a
    // notification that arrives after the content it announced has been
    // recorded (notifications from other processes can come late, when the
    // clipboard already holds the next change) finds it unchanged.
    std::optional<DWORD> recordedSequence_;
    // The clipboard's sequence number after the last write that changed it.
    std::optional<DWORD> writtenSequence_;
    // The change a held clipboard kept from the capture, and the tries left.
    DWORD captureRetrySequence_ = 0;
    unsigned captureRetriesLeft_ = 0;
    bool inViewerChain_ = false;
    // The About emblem (imgAbout shows it) and the bold font of the selected
    // history entry (font_ is the window's regular one).
    HICON aboutIcon_ = nullptr;
    UniqueFont boldFont_;
    // Focus tracking and placement state (MainForm_Paste.cpp,
    // MainForm_Placement.cpp).
    bool focusTimerEnabled_ = false;
    bool posTimerEnabled_ = false;
    AlphaState alpha_{};
    void SetPosTimer(bool on);
    void HideApplicationWindow();
    void SetFocusTimer(bool on);
    void ApplyAlpha(AlphaState state);
    // Quick paste (MainForm_QuickPaste.cpp).
    std::unique_ptr<TQuickPasteWindow> quickPaste_;
    bool quickPasteOn_ = false;
    bool quickPasteRegistered_ = false;
    // The "already held" message kept for the user's return, when set.
    std::optional<std::string> heldHotKeyError_;
    void ShowQuickPasteSetting();
    void UnregisterQuickPaste();
    // Registers QuickPasteKey; false when another program holds it.
    bool RegisterQuickPaste();
    // Says that another program holds the combination: now (posted, outside
    // the field's own messages) or, away, when the user is back.
    void ReportHeldHotKey(bool away);
    // The field's balloon text for a refused combination.
    std::u16string HotKeyRefusalText(HotKeyVerdict verdict, const std::string& combination) const;
    std::vector<QuickPasteEntry> QuickPasteEntries() const;
    // Settings file and auto-start (MainForm_Settings.cpp).
    bool settingsStoreInUse_ = false;
    bool settingsSaved_ = false;
    // What the load found, for the save.
    SettingsFileState settingsFileState_;
    bool SettingsStoreInUse() const;
    std::wstring SettingsDirectory() const;
    void RunSettings(bool load);
};

// The notification window of the program; null while there is none.
std::unique_ptr<NotificationWindow> CreateNotificationWindow(TfrmMain& frmMain);

}  // namespace swl
