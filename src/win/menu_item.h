// An item of a popup menu, by command id. Its command runs only while the
// item is enabled, also when the program runs it itself.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace swl {

class TMenuItem {
public:
    // Appends the item to menu: a separator for the caption "-", an item
    // opening submenu when one is given, a command item otherwise.
    void Append(HMENU menu, UINT id, const std::u16string& caption, bool enabled,
                HMENU submenu = nullptr);

    UINT Id() const { return id_; }
    HMENU Menu() const { return menu_; }
    HMENU Submenu() const { return submenu_; }
    bool Enabled() const;
    void SetEnabled(bool enabled);
    // Runs OnClick when the item is enabled.
    void Click();

    std::function<void()> OnClick;

private:
    HMENU menu_ = nullptr;
    HMENU submenu_ = nullptr;
    UINT id_ = 0;
    int position_ = -1;
};

}  // namespace swl
