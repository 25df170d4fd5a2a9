// capture_bench: times the capture of a large clipboard content and
// reports the process's peak working set. Not a test; run it by hand under
// Wine, one content per process so each peak is its own:
//   capture_bench small|text|picture [captures]
// Starting from an empty history, the capture runs the given number of
// times (default 40) through the window's WM_DRAWCLIPBOARD handler, each run
// adding one item. Monitoring is off, so the content is put on the clipboard
// anew before each run (a capture records each change once) without its
// capture being timed with it. The
// report splits the runs into those that found room and those that went
// into a full history (24 items, the oldest dropped first).
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "MainForm.h"
#include "error_report.h"
#include "test_support.h"

using namespace swl;

namespace {

double MegaBytes(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

PROCESS_MEMORY_COUNTERS Memory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters;
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double TimedWrite(HWND owner, const test::ClipboardContent& content) {
    const auto start = std::chrono::steady_clock::now();
    if (!test::WriteClipboard(owner, content)) {
        std::fprintf(stderr, "the clipboard could not be written\n");
        std::exit(1);
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "text";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 40;
    SetErrorReportSink([](const std::string& text) { std::fprintf(stderr, "error report: %s\n", text.c_str()); });
    TApplication app;
    test::MessageWindow writer;
    TfrmMain form(app, TfrmMain::Options{false});

    test::ClipboardContent content;
    if (what == "small") {
        content.unicode = u"a small text";
    } else if (what == "text") {
        // 10 MB of Unicode text (5 Mi UTF-16 units), half of them outside
        // ASCII, so the conversion to the code page does real work.
        std::u16string big(5u * 1024 * 1024, u'a');
        for (std::size_t i = 0; i < big.size(); i += 2) big[i] = u'\u00E9';
        content.unicode = std::move(big);
    } else if (what == "picture") {
        content.bitmap = SIZE{3840, 2160};
    } else {
        std::fprintf(stderr, "usage: capture_bench small|text|picture [captures]\n");
        return 2;
    }
    const double baseline = MegaBytes(Memory().PeakWorkingSetSize);
    const double write = TimedWrite(writer.Handle(), content);
    form.miClearAllClick();
    form.ckMonitor.Click();

    std::vector<double> withRoom, whenFull;
    for (int i = 0; i < runs; ++i) {
        TimedWrite(writer.Handle(), content);
        const bool full = form.History.CBCount == kMaxItems;
        const auto start = std::chrono::steady_clock::now();
        SendMessageW(form.Handle(), WM_DRAWCLIPBOARD, 0, 0);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        (full ? whenFull : withRoom).push_back(ms);
    }
    const auto memory = Memory();
    std::printf("%-8s write (with its capture) %7.1f ms | capture median: with room %7.1f ms (%zu runs), "
                "into a full history %7.1f ms (%zu runs) | peak working set %7.1f MB (%.1f MB before the content)\n",
                what.c_str(), write, Median(withRoom), withRoom.size(), Median(whenFull), whenFull.size(),
                MegaBytes(memory.PeakWorkingSetSize), baseline);
    form.Destroy();
    return 0;
}
