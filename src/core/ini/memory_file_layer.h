// A file layer held in memory, with failures that can be switched on per
// file: the stand-in for the program's directory in tests and benchmarks.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "ini/file_layer.h"

namespace swl {

// File names compare as the system's file names do: without the case of
// ASCII letters, so "cbi01.bmp" and "CBI01.bmp" are one file.
struct FileNameLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

class MemoryFileLayer final : public FileLayer {
public:
    std::map<std::string, std::string, FileNameLess> files;
    // Files that cannot be written: WriteAll to them fails, and so does
    // Replace onto them (a read-only file, as on Windows).
    std::set<std::string, FileNameLess> readOnly;
    // Files that exist but cannot be read.
    std::set<std::string, FileNameLess> unreadable;

    FileRead ReadAll(std::string_view name, std::size_t maxBytes) override;
    bool WriteAll(std::string_view name, std::string_view bytes) override;
    bool Replace(std::string_view from, std::string_view to) override;
    bool Remove(std::string_view name) override;

    bool Has(std::string_view name) const { return files.find(name) != files.end(); }
};

}  // namespace swl
