// What screen readers see of a list box the program draws itself: a list
// whose entries are list items named by the text each entry shows, with
// their selected and focused states and their places.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "accessible.h"

namespace swl {

class ListBoxAccessible : private AccessibleSource {
public:
    // entryName gives the text entry i shows.
    ListBoxAccessible(std::function<std::u16string(int)> entryName) : entryName_(std::move(entryName)) {}
    void Attach(HWND list) { list_ = list; }
    // The answer to the list's WM_GETOBJECT (0: the system answers).
    LRESULT Answer(WPARAM wParam, LPARAM lParam) { return list_ ? host_.Answer(list_, wParam, lParam) : 0; }

private:
    int AccessibleChildCount() const override;
    bool DescribeAccessible(int child, AccessibleElement& element) const override;
    int AccessibleFocus() const override;

    std::function<std::u16string(int)> entryName_;
    HWND list_ = nullptr;
    AccessibleHost host_{*this};
};

}  // namespace swl
