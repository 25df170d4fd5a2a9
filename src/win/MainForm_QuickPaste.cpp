// TfrmMain: quick paste. The hotkey, registered on the main window, opens
// the popup at the text caret of the window in front at that moment (at the
// pointer where that window shows no caret); picking an entry puts the item
// on the clipboard as Copy to Clipboard does and types Ctrl+V into that
// window, the one taken when the hotkey came rather than the last
// FocusTimer sample.
#include <windows.h>

#include "MainForm.h"
#include "SWLLang.h"
#include "error_report.h"
#include "hotkey_keys.h"
#include "quick_paste_window.h"
#include "win_rect.h"

namespace swl {
namespace {

#ifndef MOD_NOREPEAT
#define MOD_NOREPEAT 0x4000
#endif

// The caret of target's thread in screen coordinates; the pointer (a
// rectangle of no size) when that thread shows no caret.
Rect CaretOrPointer(HWND target) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const DWORD thread = target ? GetWindowThreadProcessId(target, nullptr) : 0;
    if (thread && GetGUIThreadInfo(thread, &info) && info.hwndCaret) {
        RECT caret = info.rcCaret;
        MapWindowPoints(info.hwndCaret, nullptr, reinterpret_cast<POINT*>(&caret), 2);
        return ToRect(caret);
    }
    POINT at{};
    GetCursorPos(&at);
    return {at.x, at.y, at.x, at.y};
}

// The work area of the monitor at that point.
Rect WorkAreaAt(const Rect& at) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    HMONITOR monitor = MonitorFromPoint(POINT{at.left, at.top}, MONITOR_DEFAULTTONEAREST);
    if (monitor && GetMonitorInfoW(monitor, &info)) return ToRect(info.rcWork);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return ToRect(work);
}

}  // namespace

void TfrmMain::UnregisterQuickPaste() {
    if (quickPasteRegistered_ && hwnd_) UnregisterHotKey(hwnd_, kQuickPasteHotKeyId);
    quickPasteRegistered_ = false;
}

void TfrmMain::ShowQuickPasteSetting() {
    ckHotKey.SetChecked(quickPasteOn_);
    hkQuickPaste.SetCombination(QuickPasteKey);
}

bool TfrmMain::RegisterQuickPaste() {
    const auto key = ToSystemHotKey(QuickPasteKey);
    bool registered = false;
    if (key && hwnd_) {
        // Without repeats a held combination opens the popup once; systems
        // before Windows 7 refuse the flag and repeat.
        registered = RegisterHotKey(hwnd_, kQuickPasteHotKeyId, key->modifiers | MOD_NOREPEAT, key->vk);
        if (!registered && GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED)
            registered = RegisterHotKey(hwnd_, kQuickPasteHotKeyId, key->modifiers, key->vk);
    }
    quickPasteRegistered_ = registered;
    return registered;
}

void TfrmMain::SetQuickPaste(const HotKey& hotKey, bool on) {
    UnregisterQuickPaste();
    // Off keeps the combination in the field, so ticking the box again
    // brings it back.
    if (!hotKey.Empty()) QuickPasteKey = hotKey;
    quickPasteOn_ = on;
    ShowQuickPasteSetting();
    if (!on || !hwnd_) return;
    if (!RegisterQuickPaste())
        ShowSettingsError(GetLangText(ckLang.Checked(), "errhotkeyused"), FormatHotKey(QuickPasteKey));
}

void TfrmMain::ckHotKeyClick() {
    SetQuickPaste(QuickPasteKey, ckHotKey.Checked());
}

void TfrmMain::hkQuickPasteConfirm(const HotKey& hotKey) {
    UnregisterQuickPaste();
    QuickPasteKey = hotKey;
    ShowQuickPasteSetting();
    if (quickPasteOn_ && !RegisterQuickPaste()) ReportHeldHotKey(false);
}

void TfrmMain::hkQuickPasteLoseKeyboard(bool away) {
    // A failed confirmation has said so already.
    if (!quickPasteOn_ || quickPasteRegistered_ || heldHotKeyError_) return;
    if (!RegisterQuickPaste()) ReportHeldHotKey(away);
}

void TfrmMain::ReportHeldHotKey(bool away) {
    heldHotKeyError_ = FormatHotKey(QuickPasteKey);
    if (!away) PostMessageW(hwnd_, kMsgShowHotKeyError, 0, 0);
}

void TfrmMain::ShowHeldHotKeyError() {
    // Only over the program's own window: the user may have gone since.
    if (!heldHotKeyError_ || GetForegroundWindow() != hwnd_) return;
    // Kept while the dialog runs: the field losing the keyboard to it says
    // nothing more.
    const std::string combination = *heldHotKeyError_;
    ShowSettingsError(GetLangText(ckLang.Checked(), "errhotkeyused"), combination);
    heldHotKeyError_.reset();
}

std::u16string TfrmMain::HotKeyRefusalText(HotKeyVerdict verdict, const std::string& combination) const {
    const char* key = verdict == HotKeyVerdict::NeedsCtrlAltOrWin ? "errhotkeymodifier"
                      : verdict == HotKeyVerdict::UsedEveryDay    ? "errhotkeyeveryday"
                                                                  : "errhotkeynokey";
    std::u16string text = GetLangText(ckLang.Checked(), key);
    if (!combination.empty()) text = std::u16string(combination.begin(), combination.end()) + u": " + text;
    return text;
}

void TfrmMain::WMHotKey() {
    // A popup already open stays (a held combination repeats on old systems).
    if (quickPaste_) return;
    OpenQuickPaste(GetForegroundWindow());
}

std::vector<QuickPasteEntry> TfrmMain::QuickPasteEntries() const {
    std::vector<QuickPasteEntry> entries;
    for (int k = History.CBCount; k >= 1; --k) {
        const TCBI& item = History.CBItems[static_cast<std::size_t>(k)];
        QuickPasteEntry entry;
        entry.slot = k;
        entry.picture = item.Format == kCF_BITMAP;
        if (item.Format == kCF_UNICODETEXT)
            entry.text = item.WText;
        else if (item.Format == kCF_TEXT)
            entry.text = codePage_.ToWide(item.Text);
        entries.push_back(std::move(entry));
    }
    return entries;
}

void TfrmMain::OpenQuickPaste(HWND target) {
    quickPaste_.reset();
    QuickPasteTarget = target;
    const bool vietnamese = ckLang.Checked();
    QuickPasteTexts texts{GetLangText(vietnamese, "lbquickfilter"), GetLangText(vietnamese, "msghistoryempty"),
                          GetLangText(vietnamese, "msgnomatch")};
    auto popup = std::make_unique<TQuickPasteWindow>(
        QuickPasteEntries(), std::move(texts), font_.get(), imgIconS, [this](int slot) -> const TCBI* {
            if (slot < 1 || slot > History.CBCount) return nullptr;
            return &History.CBItems[static_cast<std::size_t>(slot)];
        });
    // Picking and closing are carried out from the main window's queue,
    // after the popup's own message has returned.
    popup->OnPick = [this](int slot) { PostMessageW(hwnd_, kMsgQuickPastePick, static_cast<WPARAM>(slot), 0); };
    popup->OnClose = [this](bool byKey) { PostMessageW(hwnd_, kMsgQuickPasteClosed, byKey ? 1 : 0, 0); };
    const Rect caret = CaretOrPointer(target);
    quickPaste_ = std::move(popup);
    if (!quickPaste_->Open(caret, WorkAreaAt(caret))) quickPaste_.reset();
}

void TfrmMain::QuickPastePick(int slot) {
    quickPaste_.reset();
    const HWND target = QuickPasteTarget;
    if (slot < 1 || slot > History.CBCount) return;
    SelectLine(slot - 1);
    // As with Paste: no keys when the item could not be put on the
    // clipboard, Ctrl+V would paste what it held before.
    if (!miCopyClick()) return;
    if (target && IsWindow(target)) TypePasteKeys(target);
}

void TfrmMain::QuickPasteClosed(bool byKey) {
    quickPaste_.reset();
    // Escape gives the keyboard back to the window the user came from; a
    // click elsewhere has already chosen another window.
    if (byKey && QuickPasteTarget && IsWindow(QuickPasteTarget)) SetForegroundWindow(QuickPasteTarget);
}

void TfrmMain::QuickPasteRefresh() {
    if (quickPaste_) quickPaste_->SetEntries(QuickPasteEntries());
}

}  // namespace swl
