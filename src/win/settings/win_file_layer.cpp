#include "settings/win_file_layer.h"

#include <windows.h>

#include <new>

namespace swl {
namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return h_; }
    bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
    // Closes now; false when closing failed (buffered data may be lost).
    bool Close() {
        const HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return CloseHandle(h) != 0;
    }

private:
    HANDLE h_;
};

// Reads and writes go in pieces of this size, well inside a DWORD.
constexpr DWORD kChunk = 1u << 20;

}  // namespace

std::wstring WinFileLayer::PathOf(std::string_view name) const {
    std::wstring wide;
    if (!name.empty()) {
        const int n = MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
        if (n > 0) {
            wide.resize(static_cast<std::size_t>(n));
            MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), wide.data(), n);
        }
    }
    return folder_ + wide;
}

FileRead WinFileLayer::ReadAll(std::string_view name, std::size_t maxBytes) {
    FileRead result;
    FileHandle file(CreateFileW(PathOf(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok()) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) result.status = FileRead::Status::Failed;
        return result;
    }
    result.status = FileRead::Status::Failed;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return result;
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        result.status = FileRead::Status::TooLarge;
        return result;
    }
    const auto total = static_cast<std::size_t>(size.QuadPart);
    try {
        result.bytes.resize(total);
    } catch (const std::bad_alloc&) {
        return result;
    }
    std::size_t done = 0;
    while (done < total) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(total - done, kChunk));
        DWORD got = 0;
        if (!ReadFile(file.get(), result.bytes.data() + done, want, &got, nullptr)) {
            result.bytes.clear();
            return result;
        }
        if (got == 0) break;  // the file became shorter: take what there was
        done += got;
    }
    result.bytes.resize(done);
    result.status = FileRead::Status::Ok;
    return result;
}

bool WinFileLayer::WriteAll(std::string_view name, std::string_view bytes) {
    FileHandle file(CreateFileW(PathOf(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok()) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
        DWORD wrote = 0;
        if (!WriteFile(file.get(), bytes.data() + done, want, &wrote, nullptr) || wrote == 0) return false;
        done += wrote;
    }
    // On the disk before it replaces anything.
    if (!FlushFileBuffers(file.get())) return false;
    return file.Close();
}

bool WinFileLayer::Replace(std::string_view from, std::string_view to) {
    // A file marked read-only is not written over; Windows refuses it, and
    // some systems would quietly let the move replace it.
    const DWORD attributes = GetFileAttributesW(PathOf(to).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return MoveFileExW(PathOf(from).c_str(), PathOf(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool WinFileLayer::Remove(std::string_view name) { return DeleteFileW(PathOf(name).c_str()) != 0; }

}  // namespace swl
