// settings_bench: times saving and loading 24 history texts through the
// program's settings file code and through the system's profile functions,
// and reports the process's peak memory. Not a test; run it by hand under
// Wine, one way and size per process so each peak is its own:
//   settings_bench ours|profile KB
// Each of the 24 items is a text of KB kilobytes, stored as the codec's
// text in its own section ([CBI01] Text=...), as the save stores it.
#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "codec.h"
#include "ini/ini_document.h"
#include "settings/settings_file.h"
#include "settings/win_file_layer.h"
#include "test_support.h"

using namespace swl;

namespace {

constexpr int kItems = 24;

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

double PeakMegaBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.PeakPagefileUsage) / (1024.0 * 1024.0);
}

std::string ItemText(int i, std::size_t bytes) {
    std::string text(bytes, 'a');
    for (std::size_t k = 0; k < bytes; ++k) text[k] = static_cast<char>('a' + (k * 7 + static_cast<std::size_t>(i)) % 26);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: settings_bench ours|profile KB\n");
        return 2;
    }
    const std::string way = argv[1];
    const std::size_t bytes = static_cast<std::size_t>(std::atoi(argv[2])) * 1024;
    test::TempFolder folder;
    std::vector<std::string> encoded;
    for (int i = 1; i <= kItems; ++i) encoded.push_back(EncodeText(ItemText(i, bytes)));
    const double base = PeakMegaBytes();

    const auto t0 = std::chrono::steady_clock::now();
    std::size_t checked = 0;
    if (way == "ours") {
        WinFileLayer files(folder.Path());
        {
            IniDocument doc;
            for (int i = 1; i <= kItems; ++i) {
                doc.Set(ItemSectionName(i), "Format", "1");
                doc.Set(ItemSectionName(i), "Text", encoded[static_cast<std::size_t>(i - 1)]);
            }
            if (!WriteFileAtomically(files, kSettingsFileName, doc.Serialize())) return 1;
        }
        const auto t1 = std::chrono::steady_clock::now();
        const FileRead read = files.ReadAll(kSettingsFileName, kMaxSettingsFileBytes);
        if (!read.ok()) return 1;
        const IniDocument doc = IniDocument::Parse(read.bytes);
        for (int i = 1; i <= kItems; ++i) checked += DecodeText(doc.GetString(ItemSectionName(i), "Text", "")).size();
        const auto t2 = std::chrono::steady_clock::now();
        std::printf("ours    %6zu KB x %d: save %.3f s, load %.3f s", bytes / 1024, kItems, Seconds(t1 - t0),
                    Seconds(t2 - t1));
    } else {
        std::string path;
        for (wchar_t c : folder.Path()) path += static_cast<char>(c);
        path += kSettingsFileName;
        for (int i = 1; i <= kItems; ++i) {
            const std::string s = ItemSectionName(i);
            WritePrivateProfileStringA(s.c_str(), "Format", "1", path.c_str());
            if (!WritePrivateProfileStringA(s.c_str(), "Text", encoded[static_cast<std::size_t>(i - 1)].c_str(),
                                            path.c_str()))
                return 1;
        }
        const auto t1 = std::chrono::steady_clock::now();
        std::vector<char> buffer(encoded[0].size() + 2);
        for (int i = 1; i <= kItems; ++i) {
            GetPrivateProfileStringA(ItemSectionName(i).c_str(), "Text", "", buffer.data(),
                                     static_cast<DWORD>(buffer.size()), path.c_str());
            checked += DecodeText(buffer.data()).size();
        }
        const auto t2 = std::chrono::steady_clock::now();
        std::printf("profile %6zu KB x %d: save %.3f s, load %.3f s", bytes / 1024, kItems, Seconds(t1 - t0),
                    Seconds(t2 - t1));
    }
    std::printf(", peak %.1f MB (%.1f MB before), %s\n", PeakMegaBytes(), base,
                checked == bytes * kItems ? "texts whole" : "TEXTS CUT");
    return checked == bytes * kItems ? 0 : 1;
}
