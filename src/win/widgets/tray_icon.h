// TTrayIcon: the program's icon in the notification area. A hidden utility
// window receives the shell's notifications; the click machine of the core
// turns them into OnClick (deferred by the double-click time), OnDblClick,
// OnMouseMove or the popup menu. The icon has no shell tooltip.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "machines/tray_click_machine.h"

namespace swl {

class TTrayIcon {
public:
    static constexpr const wchar_t* kClassName = L"TTrayIcon";
    // uID towards the shell.
    static constexpr UINT kIconID = 2073263927u;
    // The callback message the shell sends to the utility window
    // (WM_USER + 1368); lParam carries the mouse message.
    static constexpr UINT kCallbackMessage = 2392;
    // The window timer of the pending click.
    static constexpr UINT_PTR kClickTimerId = 1;

    TTrayIcon();
    ~TTrayIcon();  // removes the icon and destroys the utility window
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    // Enabling creates the utility window and puts the icon in place (NIM_ADD,
    // then the static icon with NIM_MODIFY); disabling removes it (NIM_DELETE)
    // and destroys the window. The program enables it once its main window
    // has loaded.
    void SetEnabled(bool on);
    bool Enabled() const { return hwnd_ != nullptr; }

    // The picture shown; the icon keeps its own copy. Changing it while the
    // icon is in place updates the shell (NIM_MODIFY).
    void SetStaticIcon(HICON icon);

    // The menu of the right button and the window that owns it: that window
    // measures and draws the (owner-drawn) items and receives the chosen
    // item as WM_COMMAND. The menu stays the caller's.
    void SetPopupMenu(HMENU menu, HWND owner);
    HMENU PopupMenu() const { return menu_; }

    // Whether the menu may open while a modal dialog of the program shows.
    bool PopupWhenModal = false;

    // A single click: the button, the shift state (kShiftKey, kAltKey,
    // kCtrlKey plus the button's bit) and the screen position.
    std::function<void(MouseButton button, unsigned shift, POINT position)> OnClick;
    std::function<void()> OnDblClick;
    std::function<void(unsigned shift, POINT position)> OnMouseMove;

    // The utility window (null while disabled).
    HWND Handle() const { return hwnd_; }
    // NIM_ADD has been issued and no NIM_DELETE since.
    bool Added() const { return added_; }
    // What the shell answered to the last NIM_ADD (the icon ignores it).
    bool LastAddAccepted() const { return lastAddAccepted_; }
    // The record size sent to the shell: the 128-character-tip record on NT 5
    // and later, the first record otherwise.
    static DWORD RecordSize();

private:
    template <class Window>
    friend LRESULT CALLBACK WindowObjectProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    void CreateUtilityWindow();
    void DestroyUtilityWindow();
    bool Notify(DWORD message);
    void AddIcon();
    void RemoveIcon();

    void Callback(LPARAM mouseMessage);
    void Carry(const std::vector<TrayAction>& actions);
    TrayClickContext Context() const;
    void OpenMenu(POINT position);
    LRESULT ForwardToOwner(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    HICON staticIcon_ = nullptr;  // our copy of the picture
    HICON displayed_ = nullptr;   // what the shell was given: staticIcon_ once in place
    HMENU menu_ = nullptr;
    HWND menuOwner_ = nullptr;
    bool added_ = false;
    bool lastAddAccepted_ = false;
    bool inMenu_ = false;
    TrayClickMachine machine_;
    // Cleared by the destructor: a handler or a message dispatched while the
    // menu is open may end the program, and with it this icon.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace swl
