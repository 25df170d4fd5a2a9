#include "ini/memory_file_layer.h"

#include <algorithm>

#include "ascii_case.h"

namespace swl {

bool FileNameLess::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(LowerAscii(x)) < static_cast<unsigned char>(LowerAscii(y));
    });
}

FileRead MemoryFileLayer::ReadAll(std::string_view name, std::size_t maxBytes) {
    FileRead result;
    const auto it = files.find(name);
    if (it == files.end()) return result;
    if (unreadable.count(name) != 0) {
        result.status = FileRead::Status::Failed;
        return result;
    }
    if (it->second.size() > maxBytes) {
        result.status = FileRead::Status::TooLarge;
        return result;
    }
    result.status = FileRead::Status::Ok;
    result.bytes = it->second;
    return result;
}

bool MemoryFileLayer::WriteAll(std::string_view name, std::string_view bytes) {
    if (readOnly.count(name) != 0) return false;
    files.insert_or_assign(std::string(name), std::string(bytes));
    return true;
}

bool MemoryFileLayer::Replace(std::string_view from, std::string_view to) {
    const auto it = files.find(from);
    if (it == files.end() || readOnly.count(to) != 0 || readOnly.count(from) != 0) return false;
    std::string bytes = std::move(it->second);
    files.erase(it);
    files.insert_or_assign(std::string(to), std::move(bytes));
    return true;
}

bool MemoryFileLayer::Remove(std::string_view name) {
    if (readOnly.count(name) != 0) return false;
    const auto it = files.find(name);
    if (it == files.end()) return false;
    files.erase(it);
    return true;
}

}  // namespace swl
