// A settings check box: a standard BUTTON check box whose state the program
// keeps itself. A click, by the user or made by the program, toggles the box
// and then runs its OnClick; setting the state directly runs nothing.
// Screen readers see it as a check button with its caption and state.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "accessible.h"

namespace swl {

class TCheckBox : private AccessibleSource {
public:
    TCheckBox() = default;
    ~TCheckBox() override;
    TCheckBox(const TCheckBox&) = delete;
    TCheckBox& operator=(const TCheckBox&) = delete;

    // Creates the box as a child of parent with the control id; its clicks
    // arrive at the parent as BN_CLICKED, which the parent passes to Click.
    void Create(HWND parent, int id, const std::u16string& caption, int x, int y, int w, int h,
                bool checked);

    HWND Handle() const { return hwnd_; }
    int Id() const { return id_; }

    // Replaces the caption (the language walk); the state stays as it is.
    void SetCaption(const std::u16string& caption);
    void SetFont(HFONT font);
    // The caption's width in pixels with the box's font.
    int CaptionWidth() const;
    std::u16string Caption() const;

    bool Checked() const;
    void SetChecked(bool checked);
    // Toggles the state, then runs OnClick.
    void Click();

    std::function<void()> OnClick;

private:
    static LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);
    bool DescribeAccessible(int child, AccessibleElement& element) const override;
    bool DoAccessibleDefaultAction(int child) override;
    int AccessibleFocus() const override;

    // The designed width fits the caption given at creation. A caption wider
    // than that one (the Vietnamese texts) widens the control by the
    // difference, up to its parent's right edge, instead of being cut; the
    // control never gets narrower than designed.
    void FitCaption();

    HWND hwnd_ = nullptr;
    int id_ = 0;
    int designWidth_ = 0;
    std::u16string designCaption_;
    int designCaptionWidth_ = 0;
    AccessibleHost accessible_{*this};
};

}  // namespace swl
