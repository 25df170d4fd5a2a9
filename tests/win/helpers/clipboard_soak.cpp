// clipboard_soak: a long run of clipboard changes from another program with
// the real program running, to see whether it keeps memory or GDI objects
// for changes it has long let go of. Not a test; tools/soak runs it under
// Wine:
//   clipboard_soak SWL_EXE [CHANGES] [PICTURE_SIDE]
// It starts a copy of the program in a temporary folder and, after it, a
// bare viewer (this exe in viewer mode) that only reads each change and
// passes it on to the program. Then it writes CHANGES changes (default
// 2000), Unicode text and pictures of PICTURE_SIDE x PICTURE_SIDE (default
// 64) by turns, each once both have seen the one before. Every 100 changes
// it samples the private bytes, the working set and the GDI objects of
// both processes.
//
// The history holds 24 items, so the program's own memory stops growing
// after the first changes: beyond them, what it grows by per change should
// be what the bare viewer grows by (the system's own cost of a change).
// The report gives both slopes over the steady part of the run (from the
// 200th change on), the difference, and the GDI counts; the exit code is 1
// when the program grows by more than 512 bytes a change or by more than 16
// GDI objects beyond the viewer, or when its history does not hold the items
// the changes give (it recorded nothing, or not all of them); 2 on bad
// arguments, a run that could not be made, or GDI objects that could not be
// counted.
//
//   clipboard_soak viewer MAPPING STOP_EVENT
//       the bare viewer: counts the changes it has read in the shared
//       memory MAPPING, ends when STOP_EVENT is signalled
#include <windows.h>

#include <psapi.h>
#include <shellapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "program_windows.h"
#include "test_support.h"

using namespace swl::test;

namespace {

constexpr int kSampleEvery = 100;
constexpr int kSteadyFrom = 200;
constexpr double kMaxExcessBytesPerChange = 512;
constexpr long kMaxGdiGrowth = 16;

// ---------------------------------------------------------------- viewer

class BareViewer : public MessageWindow {
public:
    explicit BareViewer(volatile LONG* seen) : seen_(seen) { next_ = SetClipboardViewer(Handle()); }
    ~BareViewer() override { ChangeClipboardChain(Handle(), next_); }

protected:
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_DRAWCLIPBOARD) {
            Read();
            if (next_) SendMessageW(next_, msg, wParam, lParam);
            InterlockedIncrement(seen_);
            return 0;
        }
        if (msg == WM_CHANGECBCHAIN) {
            if (reinterpret_cast<HWND>(wParam) == next_)
                next_ = reinterpret_cast<HWND>(lParam);
            else if (next_)
                SendMessageW(next_, msg, wParam, lParam);
            return 0;
        }
        return std::nullopt;
    }

private:
    // What every viewer of a change does at the least: the text is locked
    // and measured, the picture's size is asked for.
    void Read() {
        if (!OpenClipboardWithRetry(Handle(), 2000)) return;
        if (HANDLE text = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(text))) {
                lastLength_ = wcsnlen(chars, GlobalSize(text) / sizeof(wchar_t));
                GlobalUnlock(text);
            }
        } else if (HANDLE bitmap = GetClipboardData(CF_BITMAP)) {
            BITMAP info{};
            GetObjectW(bitmap, sizeof(info), &info);
            lastLength_ = static_cast<std::size_t>(info.bmWidth) * static_cast<std::size_t>(info.bmHeight);
        }
        CloseClipboard();
    }

    volatile LONG* seen_;
    HWND next_ = nullptr;
    std::size_t lastLength_ = 0;
};

int RunViewer(const std::wstring& mapping, const std::wstring& stop) {
    HANDLE map = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, mapping.c_str());
    HANDLE stopEvent = OpenEventW(SYNCHRONIZE, FALSE, stop.c_str());
    if (!map || !stopEvent) return 2;
    auto* seen = static_cast<volatile LONG*>(MapViewOfFile(map, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(LONG)));
    if (!seen) return 2;
    {
        BareViewer viewer(seen);
        while (MsgWaitForMultipleObjects(1, &stopEvent, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        }
    }
    UnmapViewOfFile(const_cast<LONG*>(seen));
    CloseHandle(map);
    CloseHandle(stopEvent);
    return 0;
}

// ---------------------------------------------------------------- figures

// GDI objects of a process. GetGuiResources where the system counts them;
// Wine answers 0 there, and its count comes from the process's GDI handle
// table, which the process environment block points to (the same table
// layout as Windows': 24-byte entries, the object's type in byte 14, 0 for
// a free entry; the table is the process's own there).
class GdiCounter {
public:
    explicit GdiCounter(HANDLE process) : process_(process) {}

    std::optional<long> Count() const {
        if (const DWORD n = GetGuiResources(process_, GR_GDIOBJECTS)) return static_cast<long>(n);
        return CountTableEntries();
    }
    const char* Method() const { return GetGuiResources(process_, GR_GDIOBJECTS) ? "GetGuiResources" : "handle table"; }

private:
    static constexpr std::size_t kEntrySize = 24;
    static constexpr std::size_t kEntries = 0x10000;
    static constexpr std::size_t kTypeOffset = 14;
#ifdef _WIN64
    static constexpr std::size_t kPebTableOffset = 0xF8;
#else
    static constexpr std::size_t kPebTableOffset = 0x94;
#endif

    std::optional<long> CountTableEntries() const {
        using QueryFn = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
        static const auto query =
            reinterpret_cast<QueryFn>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess"));
        if (!query) return std::nullopt;
        PROCESS_BASIC_INFORMATION basic{};
        if (query(process_, ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0) return std::nullopt;
        const auto* pebTable = reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebTableOffset;
        void* table = nullptr;
        if (!ReadProcessMemory(process_, pebTable, &table, sizeof(table), nullptr) || !table) return std::nullopt;
        std::vector<unsigned char> entries(kEntrySize * kEntries);
        SIZE_T read = 0;
        ReadProcessMemory(process_, table, entries.data(), entries.size(), &read);
        if (read < kEntrySize) return std::nullopt;
        long used = 0;
        for (std::size_t at = kTypeOffset; at < read; at += kEntrySize) used += entries[at] != 0;
        return used;
    }

    HANDLE process_;
};

struct Sample {
    int changes = 0;
    double privateBytes = 0;
    double workingSet = 0;
    long gdi = -1;
};

Sample Measure(HANDLE process, int changes) {
    Sample s;
    s.changes = changes;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters))) {
        // Wine leaves PrivateUsage 0 for other processes; the commit charge
        // is the same figure on Windows.
        s.privateBytes = static_cast<double>(counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage);
        s.workingSet = static_cast<double>(counters.WorkingSetSize);
    }
    s.gdi = GdiCounter(process).Count().value_or(-1);
    return s;
}

// Least-squares slope, bytes per change, of the samples from kSteadyFrom on.
double Slope(const std::vector<Sample>& samples, double Sample::*field) {
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const Sample& s : samples) {
        if (s.changes < kSteadyFrom) continue;
        const double x = s.changes, y = s.*field;
        n += 1;
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    const double d = n * sxx - sx * sx;
    return n < 2 || d == 0 ? 0 : (n * sxy - sx * sy) / d;
}

const Sample* SteadyStart(const std::vector<Sample>& samples) {
    for (const Sample& s : samples)
        if (s.changes >= kSteadyFrom) return &s;
    return nullptr;
}

double KB(double bytes) { return bytes / 1024.0; }

// ---------------------------------------------------------------- driver

bool CheckGdiCounter() {
    GdiCounter self(GetCurrentProcess());
    const auto before = self.Count();
    std::vector<HBITMAP> made;
    for (int i = 0; i < 20; ++i) made.push_back(CreateBitmap(4, 4, 1, 32, nullptr));
    const auto after = self.Count();
    for (HBITMAP b : made) DeleteObject(b);
    const auto end = self.Count();
    std::printf("GDI objects counted by %s: this process %ld, %ld with 20 bitmaps more, %ld again without\n",
                self.Method(), before.value_or(-1), after.value_or(-1), end.value_or(-1));
    return before && after && end && *after - *before == 20 && *end == *before;
}

int RunSoak(const std::wstring& programExe, int changes, int side) {
    const bool gdiCounts = CheckGdiCounter();
    if (!gdiCounts) std::printf("the GDI count does not follow this process's own objects: not reported\n");

    MessageWindow owner;
    if (!EmptyTheClipboard(owner.Handle())) return 2;
    TempFolder folder;
    RunningProgram program(programExe, folder.Path());
    if (!program.Start()) {
        std::fprintf(stderr, "the program did not start\n");
        return 2;
    }

    const std::wstring base = L"SWLSoak-" + std::to_wstring(GetCurrentProcessId());
    HANDLE map = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG),
                                    (base + L"-seen").c_str());
    HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, (base + L"-stop").c_str());
    auto* seen = map ? static_cast<volatile LONG*>(MapViewOfFile(map, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(LONG)))
                     : nullptr;
    if (!seen || !stop) return 2;
    ChildProcess viewer;
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (!viewer.Start(self, {L"viewer", base + L"-seen", base + L"-stop"})) return 2;
    // The viewer joins after the program, so it is first in the chain and
    // passes each change on to the program before it counts it.
    if (!PumpUntil([&] { return GetClipboardViewer() != program.MainWindow() || !viewer.Running(); }, 20000) ||
        !viewer.Running()) {
        std::fprintf(stderr, "the viewer did not join the chain\n");
        return 2;
    }

    std::vector<Sample> ofProgram, ofViewer;
    auto sample = [&](int done) {
        ofProgram.push_back(Measure(program.Process().Handle(), done));
        ofViewer.push_back(Measure(viewer.Handle(), done));
    };
    sample(0);
    const LONG start = *seen;
    bool ok = true;
    int done = 0;
    const DWORD startTicks = GetTickCount();
    for (; done < changes; ++done) {
        ClipboardContent content;
        if (done % 2 == 0) {
            content.unicode = u"soak text " + std::u16string(1, static_cast<char16_t>(u'a' + done % 26)) +
                              std::u16string(static_cast<std::size_t>(done % 200), u'x');
        } else {
            content.bitmap = SIZE{side, side};
            content.bitmapColor = RGB(done % 256, (done / 256) % 256, 128);
        }
        if (!WriteClipboard(owner.Handle(), content)) {
            std::fprintf(stderr, "change %d could not be written\n", done + 1);
            ok = false;
            break;
        }
        if (!PumpUntil([&] { return *seen - start >= done + 1; }, 20000)) {
            std::fprintf(stderr, "change %d was not seen by the viewer\n", done + 1);
            ok = false;
            break;
        }
        if ((done + 1) % kSampleEvery == 0) sample(done + 1);
    }
    const DWORD elapsed = GetTickCount() - startTicks;
    const std::vector<std::u16string> lines = program.Lines();
    const bool programRunning = program.Process().Running();
    SetEvent(stop);
    viewer.Wait(20000);
    program.Close();
    UnmapViewOfFile(const_cast<LONG*>(seen));
    CloseHandle(map);
    CloseHandle(stop);

    std::printf("%d changes (text and %dx%d pictures by turns) in %.1f s, the program's history at the end %zu "
                "items\n",
                done, side, side, elapsed / 1000.0, lines.size());
    std::printf("%8s | %14s %14s %8s | %14s %14s %8s\n", "changes", "program priv", "working set", "GDI",
                "viewer priv", "working set", "GDI");
    for (std::size_t i = 0; i < ofProgram.size(); ++i) {
        const Sample& p = ofProgram[i];
        const Sample& v = ofViewer[i];
        std::printf("%8d | %11.0f KB %11.0f KB %8ld | %11.0f KB %11.0f KB %8ld\n", p.changes, KB(p.privateBytes),
                    KB(p.workingSet), p.gdi, KB(v.privateBytes), KB(v.workingSet), v.gdi);
    }
    const double programPrivate = Slope(ofProgram, &Sample::privateBytes);
    const double viewerPrivate = Slope(ofViewer, &Sample::privateBytes);
    const double programWorking = Slope(ofProgram, &Sample::workingSet);
    const double viewerWorking = Slope(ofViewer, &Sample::workingSet);
    std::printf("from change %d on, bytes per change: private program %.0f, viewer %.0f, beyond the viewer %.0f; "
                "working set program %.0f, viewer %.0f, beyond the viewer %.0f\n",
                kSteadyFrom, programPrivate, viewerPrivate, programPrivate - viewerPrivate, programWorking,
                viewerWorking, programWorking - viewerWorking);
    const Sample* from = SteadyStart(ofProgram);
    const Sample* viewerFrom = SteadyStart(ofViewer);
    long gdiGrowth = 0;
    if (gdiCounts && from && viewerFrom) {
        gdiGrowth = (ofProgram.back().gdi - from->gdi) - (ofViewer.back().gdi - viewerFrom->gdi);
        std::printf("GDI objects from change %d to the end: program %ld -> %ld, viewer %ld -> %ld, beyond the "
                    "viewer %+ld\n",
                    kSteadyFrom, from->gdi, ofProgram.back().gdi, viewerFrom->gdi, ofViewer.back().gdi, gdiGrowth);
    }
    if (!ok || !programRunning) {
        std::printf("FAILED: the run did not complete%s\n", programRunning ? "" : " (the program ended)");
        return 2;
    }
    // A program that records nothing grows by nothing: flat figures mean
    // something only when its history shows what was copied.
    const std::size_t expectedLines = std::min<std::size_t>(static_cast<std::size_t>(done), 24);
    if (lines.size() != expectedLines) {
        std::printf("FAILED: the program's history holds %zu items, not the %zu the changes give\n", lines.size(),
                    expectedLines);
        return 1;
    }
    // Nor is "flat" said of a GDI count that does not count.
    if (!gdiCounts || !from || !viewerFrom) {
        std::printf("FAILED: the GDI objects could not be counted, so their growth is not known\n");
        return 2;
    }
    const bool flat = programPrivate - viewerPrivate <= kMaxExcessBytesPerChange && gdiGrowth <= kMaxGdiGrowth;
    std::printf("%s\n", flat ? "flat" : "FAILED: the program grows beyond the viewer");
    return flat ? 0 : 1;
}

}  // namespace

int main() {
    std::vector<std::wstring> args = CommandArguments();
    if (args.size() == 3 && args[0] == L"viewer") return RunViewer(args[1], args[2]);
    if (args.empty() || args.size() > 3) {
        std::fprintf(stderr, "usage: clipboard_soak SWL_EXE [CHANGES] [PICTURE_SIDE]\n");
        return 2;
    }
    const int changes = args.size() > 1 ? _wtoi(args[1].c_str()) : 2000;
    const int side = args.size() > 2 ? _wtoi(args[2].c_str()) : 64;
    if (changes < 1 || side < 1) return 2;
    std::string exe(args[0].begin(), args[0].end());
    return RunSoak(ToWindowsPath(exe), changes, side);
}
