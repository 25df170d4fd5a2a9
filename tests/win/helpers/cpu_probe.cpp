// Measures how much processor time another process uses while it idles.
//   cpu_probe PID MILLISECONDS [OUTPUT_FILE]
// Samples the process's and each of its threads' kernel + user times, waits,
// samples again and prints, one per line:
//   wall_ms=W process_ms=P
//   thread=TID cpu_ms=C
// to OUTPUT_FILE when given, to the standard output otherwise.
// Exit code 0 when the process could be read, 1 otherwise.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

unsigned long long Ticks100ns(const FILETIME& kernel, const FILETIME& user) {
    auto value = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return value(kernel) + value(user);
}

std::map<DWORD, unsigned long long> ThreadTimes(DWORD pid) {
    std::map<DWORD, unsigned long long> times;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return times;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != pid) continue;
        HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        if (!thread) continue;
        FILETIME created, ended, kernel, user;
        if (GetThreadTimes(thread, &created, &ended, &kernel, &user))
            times[entry.th32ThreadID] = Ticks100ns(kernel, user);
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return times;
}

bool ProcessTime(HANDLE process, unsigned long long& out) {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return false;
    out = Ticks100ns(kernel, user);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 1;
    if (argc > 3 && !std::freopen(argv[3], "w", stdout)) return 1;
    const DWORD pid = static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10));
    const DWORD ms = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, pid);
    if (!process) return 1;
    unsigned long long processBefore = 0, processAfter = 0;
    const auto threadsBefore = ThreadTimes(pid);
    const ULONGLONG start = GetTickCount();
    if (!ProcessTime(process, processBefore)) return 1;
    // Waiting on the process: the measurement ends early if it exits.
    const bool ended = WaitForSingleObject(process, ms) == WAIT_OBJECT_0;
    if (!ProcessTime(process, processAfter)) return 1;
    const DWORD wall = GetTickCount() - start;
    const auto threadsAfter = ThreadTimes(pid);
    CloseHandle(process);
    if (ended) return 1;
    std::printf("wall_ms=%llu process_ms=%.3f\n", static_cast<unsigned long long>(wall),
                (processAfter - processBefore) / 10000.0);
    for (const auto& [tid, after] : threadsAfter) {
        const auto before = threadsBefore.find(tid);
        const unsigned long long used = before == threadsBefore.end() ? after : after - before->second;
        std::printf("thread=%lu cpu_ms=%.3f\n", static_cast<unsigned long>(tid), used / 10000.0);
    }
    return 0;
}
