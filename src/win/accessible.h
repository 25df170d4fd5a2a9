// What the program's controls tell screen readers (Microsoft Active
// Accessibility): a control answers WM_GETOBJECT for its client object with
// an IAccessible that asks an AccessibleSource for the name, role, state and
// place of the control and of its simple child elements (the links of a
// label, the entries of a list).
#pragma once

#include <windows.h>

#include <string>

namespace swl {

struct AccessibleElement {
    std::u16string name;
    std::u16string value;
    std::u16string defaultAction;
    std::u16string keyboardShortcut;
    long role = 0;   // ROLE_SYSTEM_*
    long state = 0;  // STATE_SYSTEM_*
    RECT screen{};   // where it is, in screen coordinates
};

class AccessibleSource {
public:
    virtual ~AccessibleSource() = default;
    // The simple child elements are numbered 1 to this count.
    virtual int AccessibleChildCount() const { return 0; }
    // Child 0 is the control itself; false for a child that is not there.
    virtual bool DescribeAccessible(int child, AccessibleElement& element) const = 0;
    // Runs the element's default action; false when it has none.
    virtual bool DoAccessibleDefaultAction(int /*child*/) { return false; }
    // The child that has the keyboard focus: 0 the control itself, -1 none.
    virtual int AccessibleFocus() const { return -1; }
};

class AccessibleObject;

// One control's accessible object, made on the first request. Clients may
// keep the object after the control is gone: it then answers that it is
// no longer connected.
class AccessibleHost {
public:
    explicit AccessibleHost(AccessibleSource& source) : source_(source) {}
    ~AccessibleHost();
    AccessibleHost(const AccessibleHost&) = delete;
    AccessibleHost& operator=(const AccessibleHost&) = delete;

    // The answer to WM_GETOBJECT for the control's window; 0 for objects
    // other than the client (the system's own then answer).
    LRESULT Answer(HWND hwnd, WPARAM wParam, LPARAM lParam);

private:
    AccessibleSource& source_;
    AccessibleObject* object_ = nullptr;
};

// Tells screen readers that the element got the focus or changed state.
void NotifyAccessibleFocus(HWND hwnd, int child = 0);
void NotifyAccessibleStateChange(HWND hwnd, int child = 0);

// A caption without its access-key marks: "&Save" is "Save", "&&" is "&".
std::u16string WithoutAccessKeyMarks(const std::u16string& caption);
// "Alt+S" for "&Save"; empty when the caption has no access key.
std::u16string AccessKeyShortcut(const std::u16string& caption);
// The window's rectangle on the screen.
RECT ScreenRectOf(HWND hwnd);

}  // namespace swl
