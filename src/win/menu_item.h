// An item of a popup menu, by command id. Every item is owner-drawn: the
// system keeps no text for it, so the item keeps its caption itself for the
// window's measure and draw handlers, which find it by the id that the menu
// hands back as the item's data. Its command runs only while the item is
// enabled, also when the program runs it itself.
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
    // Takes the item out of its menu (a submenu it opens is destroyed with
    // it); the item is then in no menu and may be appended again.
    void Remove();

    UINT Id() const { return id_; }
    HMENU Menu() const { return menu_; }
    HMENU Submenu() const { return submenu_; }
    bool InMenu() const { return menu_ != nullptr; }
    bool Enabled() const;
    void SetEnabled(bool enabled);

    const std::u16string& Caption() const { return caption_; }
    // Sets the caption the item is drawn with. The menu measures the item
    // again the next time it opens (a separator is lower than an item).
    void SetCaption(const std::u16string& caption);
    bool IsSeparator() const { return caption_ == u"-"; }

    // Runs OnClick when the item is enabled.
    void Click();

    std::function<void()> OnClick;

private:
    // The item's position in its menu, found by its data (the id); -1 when
    // it is not there.
    int Position() const;
    UINT TypeFlags() const;

    HMENU menu_ = nullptr;
    HMENU submenu_ = nullptr;
    UINT id_ = 0;
    std::u16string caption_;
};

}  // namespace swl
