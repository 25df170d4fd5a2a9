// The program's files through the wide-character file functions: a folder
// given as a wide path, files in it named by bare ANSI names ("SWL.ini",
// "CBI05.bmp"). Writes reach the disk before a replace, and a replace is one
// MoveFileExW, so a crash or a failure leaves the previous file whole.
#pragma once

#include <string>

#include "ini/file_layer.h"

namespace swl {

class WinFileLayer final : public FileLayer {
public:
    // folder ends with a backslash.
    explicit WinFileLayer(std::wstring folder) : folder_(std::move(folder)) {}

    FileRead ReadAll(std::string_view name, std::size_t maxBytes) override;
    bool WriteAll(std::string_view name, std::string_view bytes) override;
    bool Replace(std::string_view from, std::string_view to) override;
    bool Remove(std::string_view name) override;

    // The full wide path of a file of the folder.
    std::wstring PathOf(std::string_view name) const;

private:
    std::wstring folder_;
};

}  // namespace swl
