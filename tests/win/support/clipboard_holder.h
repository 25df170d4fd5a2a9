// Another process holding the clipboard open: started by the constructor,
// which returns once the clipboard is held; released by Release or at the
// end of the scope.
#pragma once

#include <windows.h>

#include <string>

#include "test_support.h"

namespace swl::test {

class ClipboardHolder {
public:
    // cbwriter is the path of the cbwriter helper; Held() tells whether the
    // hold was reached.
    explicit ClipboardHolder(const std::wstring& cbwriter, DWORD maxMs = 20000);
    ~ClipboardHolder();
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

    bool Held() const { return held_; }
    // Lets the clipboard go and waits for the helper to end; true when it
    // ended cleanly.
    bool Release();

private:
    HANDLE ready_ = nullptr;
    HANDLE release_ = nullptr;
    ChildProcess process_;
    bool held_ = false;
};

}  // namespace swl::test
