// Replays a harness's corpus of sample inputs without fuzzing: each file of the folders
// given goes to LLVMFuzzerTestOneInput once, as libFuzzer does when it
// starts from a corpus. Built with the native tests, so a harness whose
// checks no longer match the rules of the code it drives fails there (it
// aborts) instead of within seconds of the next fuzzing run. A folder that
// is missing or holds no file fails too: the corpus is part of the test.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER...\n", argv[0]);
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(argv[i], ec))
            if (entry.is_regular_file()) files.push_back(entry.path());
        if (ec || files.empty()) {
            std::fprintf(stderr, "%s: no corpus files\n", argv[i]);
            return 1;
        }
        std::sort(files.begin(), files.end());
        for (const auto& path : files) {
            std::ifstream in(path, std::ios::binary);
            const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (!in.eof() && in.fail()) {
                std::fprintf(stderr, "%s: cannot be read\n", path.c_str());
                return 1;
            }
            std::printf("%s\n", path.filename().c_str());
            std::fflush(stdout);  // the last name printed is the file that failed
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        }
        std::printf("%s: %zu files replayed\n", argv[i], files.size());
    }
    return 0;
}
