// A file layer over std::filesystem, for native builds and their tests.
#pragma once

#include <filesystem>
#include <utility>

#include "ini/file_layer.h"

namespace swl {

class StdFileLayer final : public FileLayer {
public:
    explicit StdFileLayer(std::filesystem::path folder) : folder_(std::move(folder)) {}

    FileRead ReadAll(std::string_view name, std::size_t maxBytes) override;
    bool WriteAll(std::string_view name, std::string_view bytes) override;
    bool Replace(std::string_view from, std::string_view to) override;
    bool Remove(std::string_view name) override;

private:
    std::filesystem::path PathOf(std::string_view name) const { return folder_ / std::string(name); }

    std::filesystem::path folder_;
};

}  // namespace swl
