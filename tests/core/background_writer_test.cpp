#include "settings/background_writer.h"

#include <gtest/gtest.h>

#include <mutex>
#include <new>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ini/memory_file_layer.h"

namespace swl {
namespace {

// The folder as the writer's thread sees it: every write is noted in
// order; some names cannot be written, and writing some runs out of memory.
class NotingFiles final : public FileLayer {
public:
    std::set<std::string> failing, throwing;
    std::vector<std::string> writes;
    MemoryFileLayer files;

    FileRead ReadAll(std::string_view name, std::size_t maxBytes) override { return files.ReadAll(name, maxBytes); }
    bool WriteAll(std::string_view name, std::string_view bytes) override {
        std::lock_guard lock(mutex_);
        writes.emplace_back(name);
        if (throwing.count(std::string(name)) != 0) {
            files.WriteAll(name, bytes.substr(0, 1));  // as far as it got
            throw std::bad_alloc();
        }
        if (failing.count(std::string(name)) != 0) return false;
        return files.WriteAll(name, bytes);
    }
    bool Replace(std::string_view from, std::string_view to) override { return files.Replace(from, to); }
    bool Remove(std::string_view name) override {
        std::lock_guard lock(mutex_);
        return files.Remove(name);
    }

private:
    std::mutex mutex_;
};

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// Files go to disk in the order they were queued, each under the first of
// its names that can be written; a file that fails, also by an error thrown
// while writing, fails alone and leaves nothing of itself behind.
TEST(BackgroundWriterTest, WritesInOrderAndAFailureStaysWithItsFile) {
    NotingFiles files;
    files.failing = {"a.bmp"};
    files.throwing = {"c.bmp", "c-1.bmp"};
    std::vector<std::optional<std::string>> names;
    {
        BackgroundWriter writer(files);
        EXPECT_EQ(writer.Write({"a.bmp", "a-1.bmp"}, Bytes("first")), 0u);
        EXPECT_EQ(writer.Write({"b.bmp"}, Bytes("second")), 1u);
        EXPECT_EQ(writer.Write({"c.bmp", "c-1.bmp"}, Bytes("third")), 2u);
        EXPECT_EQ(writer.Write({"d.bmp"}, Bytes("fourth")), 3u);
        names = writer.Finish();
    }
    EXPECT_EQ(names, (std::vector<std::optional<std::string>>{"a-1.bmp", "b.bmp", std::nullopt, "d.bmp"}));
    EXPECT_EQ(files.writes, (std::vector<std::string>{"a.bmp", "a-1.bmp", "b.bmp", "c.bmp", "c-1.bmp", "d.bmp"}));
    EXPECT_EQ(files.files.files["a-1.bmp"], "first");
    EXPECT_EQ(files.files.files["d.bmp"], "fourth");
    EXPECT_FALSE(files.files.Has("c.bmp"));
    EXPECT_FALSE(files.files.Has("c-1.bmp"));
    EXPECT_FALSE(files.files.Has("a.bmp"));
}

}  // namespace
}  // namespace swl
