// A file layer held in memory, with failures that can be switched on per
// file: the stand-in for the program's directory in tests and benchmarks.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>

#include "ini/file_layer.h"

namespace swl {

class MemoryFileLayer final : public FileLayer {
public:
    std::map<std::string, std::string, std::less<>> files;
    // Files that cannot be written: WriteAll to them fails, and so does
    // Replace onto them (a read-only file, as on Windows).
    std::set<std::string, std::less<>> readOnly;
    // Files that exist but cannot be read.
    std::set<std::string, std::less<>> unreadable;

    FileRead ReadAll(std::string_view name, std::size_t maxBytes) override;
    bool WriteAll(std::string_view name, std::string_view bytes) override;
    bool Replace(std::string_view from, std::string_view to) override;
    bool Remove(std::string_view name) override;

    bool Has(std::string_view name) const { return files.find(name) != files.end(); }
};

}  // namespace swl
