// What the main window needs of the notification window: showing it after
// a capture (with the current status caption and count text).
#pragma once

namespace swl {

class NotificationWindow {
public:
    virtual ~NotificationWindow() = default;
    virtual void ShowForm() = 0;
};

}  // namespace swl
