// THotKeyField: the field that takes a hotkey's combination on the Settings
// page. It shows the combination held ("Ctrl+Alt+Insert", with Win where it
// is part of it) and, while it has the keyboard, takes every key: a key
// pressed with modifiers becomes the combination typed, shown in place of
// the held one; modifiers alone show as they are held ("Ctrl+Alt+"). Nothing
// typed there acts as an access key or a command of the window.
//
// - Enter confirms the combination typed (or the held one again), and so
//   does the keyboard moving to another control of the same window (Tab,
//   Shift+Tab or a click).
// - Escape drops what was typed and shows the held combination again.
// - A combination that cannot be a hotkey is not taken: a balloon under the
//   field says why, with the text RefusalText gives for the verdict.
// - The keyboard leaving the window (the user switched to another program)
//   confirms nothing; what was typed stays shown for when the user is back.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "quick_paste/hotkey_text.h"
#include "widgets/child_window.h"

namespace swl {

class THotKeyField : public ChildWindow {
public:
    static constexpr const wchar_t* kClassName = L"THotKeyField";

    THotKeyField() = default;
    ~THotKeyField() override;

    bool Create(HWND parent, int id, int x, int y, int width, int height, HFONT font);

    // The held combination; showing it drops what was typed.
    void SetCombination(const HotKey& hotKey);
    const HotKey& Combination() const { return held_; }
    // Typed and not yet confirmed.
    const std::optional<HotKey>& Typed() const { return typed_; }
    // What the field shows; its window text too.
    std::u16string Text() const;
    // The balloon's message for the last refused combination; empty while
    // none is shown.
    const std::u16string& Refusal() const { return refusal_; }
    HWND Balloon() const { return balloon_; }

    std::function<std::u16string(HotKeyVerdict, const std::string& combination)> RefusalText;
    // Enter, or the keyboard gone to another control of the window.
    std::function<void(const HotKey&)> OnConfirm;
    std::function<void()> OnTakeKeyboard;
    // After any confirmation; away: the keyboard left the window.
    std::function<void(bool away)> OnLoseKeyboard;

    // What a key pressed in the field does, with the modifiers held.
    void KeyDown(UINT vk, unsigned modifiers);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Refuse(HotKeyVerdict verdict, const std::string& combination);
    void HideBalloon();
    void Changed();
    void PlaceCaret();
    void Paint(HDC dc);

    HFONT font_ = nullptr;
    HotKey held_{};
    std::optional<HotKey> typed_;
    unsigned modifiersShown_ = 0;  // held while no key has come yet
    std::u16string refusal_;
    HWND balloon_ = nullptr;
};

}  // namespace swl
