#include "clipboard_holder.h"

namespace swl::test {

ClipboardHolder::ClipboardHolder(const std::wstring& cbwriter, DWORD maxMs) {
    static unsigned serial = 0;
    const std::wstring base = L"SWLTestHold-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
    ready_ = CreateEventW(nullptr, TRUE, FALSE, (base + L"-ready").c_str());
    release_ = CreateEventW(nullptr, TRUE, FALSE, (base + L"-release").c_str());
    if (!ready_ || !release_) return;
    if (!process_.Start(cbwriter, {L"hold", base + L"-ready", base + L"-release", std::to_wstring(maxMs)})) return;
    // Ready, or the helper ended without reaching the hold. Messages are
    // served meanwhile: the helper's start may send to this thread's windows.
    held_ = PumpUntil([&] { return WaitForSingleObject(ready_, 0) == WAIT_OBJECT_0 || !process_.Running(); }, 20000) &&
            WaitForSingleObject(ready_, 0) == WAIT_OBJECT_0;
}

ClipboardHolder::~ClipboardHolder() {
    Release();
    if (ready_) CloseHandle(ready_);
    if (release_) CloseHandle(release_);
}

bool ClipboardHolder::Release() {
    if (release_) SetEvent(release_);
    if (!process_.Handle()) return false;
    return process_.Wait(20000) && process_.ExitCode() == 0;
}

}  // namespace swl::test
