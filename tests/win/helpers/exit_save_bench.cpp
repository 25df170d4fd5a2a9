// exit_save_bench: times the save at exit with a full history of pictures,
// next to a plain write of the same bytes in the same run. Not a test; run it
// by hand under Wine:
//   exit_save_bench [runs] [width height]
// Each run fills a fresh main window's history with 24 pictures (3840 x 2160
// unless told otherwise, each a different pattern; slot 0 mirrors the newest
// as a 25th) and makes their BMP files as the save makes them, timed on its
// own. It then times the window's save into a temporary folder with "Save on
// Exit" checked, and a plain write of those same files into a second folder,
// file by file, the way the save writes a file (CreateFileW, WriteFile in
// 1 MB pieces, FlushFileBuffers). The disk may be shared with other work, so
// the two alternate which goes first. Later runs save over the files of the
// one before, as every exit after the first does.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "MainForm.h"
#include "ddb_picture.h"
#include "error_report.h"
#include "gdi_handles.h"
#include "settings/ddb_bmp_files.h"
#include "test_support.h"

using namespace swl;

namespace {

constexpr wchar_t kBenchRunKey[] = L"Software\\StashwellBench\\Run";

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

std::unique_ptr<DdbPicture> PatternPicture(int w, int h, int variant) {
    auto picture = DdbPicture::Create(w, h);
    if (!picture || !picture->Handle()) return nullptr;
    ScreenDC screen;
    MemoryDC dc(screen.get());
    if (!dc.Select(picture->Handle())) return nullptr;
    // Bands of colour that differ from picture to picture.
    for (int band = 0; band < 64; ++band) {
        UniqueBrush brush(CreateSolidBrush(RGB((band * 37 + variant * 11) % 256, (band * 53 + variant * 29) % 256,
                                               (band * 71 + variant * 47) % 256)));
        RECT r{0, h * band / 64, w, h * (band + 1) / 64};
        FillRect(dc.get(), &r, brush.get());
    }
    return picture;
}

struct FileBytes {
    std::wstring name;
    std::string bytes;
};

std::vector<FileBytes> ReadFolder(const std::wstring& folder) {
    std::vector<FileBytes> files;
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return files;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        FileBytes f{found.cFileName, {}};
        HANDLE h = CreateFileW((folder + f.name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                               nullptr);
        if (h == INVALID_HANDLE_VALUE) continue;
        LARGE_INTEGER size{};
        GetFileSizeEx(h, &size);
        f.bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD got = 0;
        std::size_t done = 0;
        while (done < f.bytes.size() &&
               ReadFile(h, f.bytes.data() + done, static_cast<DWORD>(std::min<std::size_t>(f.bytes.size() - done, 1 << 20)),
                        &got, nullptr) &&
               got > 0)
            done += got;
        CloseHandle(h);
        files.push_back(std::move(f));
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return files;
}

bool PlainWrite(const std::wstring& folder, const FileBytes& f) {
    HANDLE h = CreateFileW((folder + f.name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < f.bytes.size()) {
        DWORD wrote = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(f.bytes.size() - done, 1 << 20));
        ok = WriteFile(h, f.bytes.data() + done, want, &wrote, nullptr) && wrote > 0;
        done += wrote;
    }
    ok = ok && FlushFileBuffers(h);
    return CloseHandle(h) && ok;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const int width = argc > 3 ? std::atoi(argv[2]) : 3840;
    const int height = argc > 3 ? std::atoi(argv[3]) : 2160;
    SetErrorReportSink([](const std::string& text) { std::fprintf(stderr, "error report: %s\n", text.c_str()); });
    TApplication app;
    test::TempFolder saveFolder;
    test::TempFolder plainFolder;
    std::vector<double> saves, plains;
    int exitCode = 0;

    for (int run = 0; run < runs; ++run) {
        auto form = std::make_unique<TfrmMain>(app, TfrmMain::Options{false});
        form->UseSettingsStore(saveFolder.Path(), kBenchRunKey);
        bool failed = false;
        form->SettingsDialogSink = [&](TDlgType, const std::u16string& text) {
            std::fprintf(stderr, "save reported: %s\n", std::string(text.begin(), text.end()).c_str());
            failed = true;
        };
        if (form->ckMonitor.Checked()) form->ckMonitor.Click();  // nothing is captured meanwhile
        form->ckSave.Click();
        THistory& history = form->History;
        for (int i = 0; i < kMaxItems; ++i) {
            auto picture = PatternPicture(width, height, run * kMaxItems + i);
            if (!picture) {
                std::fprintf(stderr, "no picture of %d x %d could be made\n", width, height);
                return 1;
            }
            history.ReserveSlot();
            TCBI& slot = history.CBItems[static_cast<std::size_t>(history.CBCount)];
            slot.Format = kCF_BITMAP;
            slot.FormatName = "CF_BITMAP";
            slot.Text = "Bitmap";
            slot.Bitmap = std::move(picture);
            history.AddNewestLine();
        }
        THistory::CopyItem(history.CBItems[0], history.CBItems[static_cast<std::size_t>(history.CBCount)]);

        // The bytes the save will write: every picture's BMP file, made as
        // the save makes them (timed on its own: the part of the save that
        // is not writing).
        std::vector<FileBytes> files;
        const auto c0 = std::chrono::steady_clock::now();
        for (int i = 0; i <= kMaxItems; ++i) {
            const auto bmp = DdbToBmpFile(static_cast<const DdbPicture&>(*history.CBItems[static_cast<std::size_t>(i)].Bitmap));
            if (!bmp) return 1;
            files.push_back({L"plain" + std::to_wstring(i) + L".bmp", std::string(bmp->begin(), bmp->end())});
        }
        const double convert = Seconds(std::chrono::steady_clock::now() - c0);
        std::size_t total = 0;
        for (const auto& f : files) total += f.bytes.size();

        // The disk is shared: the order alternates from run to run, so that
        // neither way always comes first.
        double save = 0, plain = 0;
        auto timeSave = [&] {
            const auto t0 = std::chrono::steady_clock::now();
            form->SaveSettings();
            save = Seconds(std::chrono::steady_clock::now() - t0);
        };
        auto timePlain = [&] {
            const auto t0 = std::chrono::steady_clock::now();
            for (const auto& f : files)
                if (!PlainWrite(plainFolder.Path(), f)) failed = true;
            plain = Seconds(std::chrono::steady_clock::now() - t0);
        };
        if (run % 2 == 0) {
            timeSave();
            timePlain();
        } else {
            timePlain();
            timeSave();
        }
        form.reset();  // saved already: the window's end saves nothing more
        const std::size_t saved = ReadFolder(saveFolder.Path()).size();

        std::printf("run %d (%s first): save %.3f s, plain write %.3f s (%zu pictures, %.1f MB), save / plain %.2f;"
                    " making the files alone %.3f s%s\n",
                    run + 1, run % 2 == 0 ? "save" : "plain", save, plain, files.size(),
                    static_cast<double>(total) / (1024.0 * 1024.0), save / plain, convert, failed ? ", FAILED" : "");
        if (failed || saved != kMaxItems + 2) exitCode = 1;  // 25 pictures and SWL.ini
        saves.push_back(save);
        plains.push_back(plain);
    }
    std::sort(saves.begin(), saves.end());
    std::sort(plains.begin(), plains.end());
    std::printf("median of %d: save %.3f s, plain write %.3f s\n", runs, saves[saves.size() / 2],
                plains[plains.size() / 2]);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegDeleteKeyW(key, L"StashwellBench\\Run");
        RegDeleteKeyW(key, L"StashwellBench");
        RegCloseKey(key);
    }
    return exitCode;
}
