#include "ini/std_file_layer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace swl {
namespace {

class StdFileLayerTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("swl_files_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::filesystem::path dir_;
};

TEST_F(StdFileLayerTest, ReadsWritesReplacesAndRemoves) {
    StdFileLayer files(dir_);
    EXPECT_EQ(files.ReadAll("SWL.ini", 100).status, FileRead::Status::Missing);

    ASSERT_TRUE(WriteFileAtomically(files, "SWL.ini", std::string("a\0b\r\n", 5)));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "SWL.ini.tmp"));
    const FileRead read = files.ReadAll("SWL.ini", 100);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.bytes, std::string("a\0b\r\n", 5));

    ASSERT_TRUE(WriteFileAtomically(files, "SWL.ini", "new"));
    EXPECT_EQ(files.ReadAll("SWL.ini", 100).bytes, "new");

    EXPECT_EQ(files.ReadAll("SWL.ini", 2).status, FileRead::Status::TooLarge);
    EXPECT_TRUE(files.Remove("SWL.ini"));
    EXPECT_FALSE(files.Remove("SWL.ini"));
}

TEST_F(StdFileLayerTest, FailedWriteKeepsTheOldFile) {
    StdFileLayer files(dir_);
    ASSERT_TRUE(files.WriteAll("SWL.ini", "old"));
    // A directory where the temporary file should go makes the write fail.
    std::filesystem::create_directory(dir_ / "SWL.ini.tmp");
    EXPECT_FALSE(WriteFileAtomically(files, "SWL.ini", "new"));
    EXPECT_EQ(files.ReadAll("SWL.ini", 100).bytes, "old");
}

}  // namespace
}  // namespace swl
