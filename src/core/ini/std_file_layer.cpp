#include "ini/std_file_layer.h"

#include <fstream>
#include <new>
#include <system_error>

namespace swl {

FileRead StdFileLayer::ReadAll(std::string_view name, std::size_t maxBytes) {
    FileRead result;
    const auto path = PathOf(name);
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) return result;
    result.status = FileRead::Status::Failed;
    if (ec || !std::filesystem::is_regular_file(status)) return result;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return result;
    if (size > maxBytes) {
        result.status = FileRead::Status::TooLarge;
        return result;
    }

    std::ifstream in(path, std::ios::binary);
    if (!in) return result;
    try {
        result.bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return result;
    }
    in.read(result.bytes.data(), static_cast<std::streamsize>(size));
    // A file that changed size while being read is taken as far as it went.
    result.bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        result.bytes.clear();
        return result;
    }
    result.status = FileRead::Status::Ok;
    return result;
}

bool StdFileLayer::WriteAll(std::string_view name, std::string_view bytes) {
    std::ofstream out(PathOf(name), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

bool StdFileLayer::Replace(std::string_view from, std::string_view to) {
    std::error_code ec;
    std::filesystem::rename(PathOf(from), PathOf(to), ec);
    return !ec;
}

bool StdFileLayer::Remove(std::string_view name) {
    std::error_code ec;
    return std::filesystem::remove(PathOf(name), ec) && !ec;
}

}  // namespace swl
