#include "shell/file_system.h"

#include <gtest/gtest.h>

#include "support/temp_home.h"

namespace mousedeck::shell {
namespace {

namespace fs = std::filesystem;

int EntryCount(const fs::path& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

TEST(FileSystemTest, CreateFolderPath) {
    test::TempDir root;
    EXPECT_TRUE(CreateFolderPath(root / "a/b/c"));
    EXPECT_TRUE(fs::is_directory(root / "a/b/c"));
    EXPECT_TRUE(CreateFolderPath(root / "a/b/c")) << "an existing folder";
    test::WriteFile(root / "f", "x");
    EXPECT_FALSE(CreateFolderPath(root / "f")) << "a file of that name";
    EXPECT_FALSE(CreateFolderPath(root / "f/sub")) << "a file on the way";
}

TEST(FileSystemTest, AtomicWriteReplacesAndCleansUp) {
    test::TempDir root;
    const fs::path file = root / "out.txt";
    ASSERT_TRUE(WriteFileAtomically(file, "first"));
    ASSERT_TRUE(WriteFileAtomically(file, "second, longer"));
    EXPECT_EQ(test::ReadFile(file), "second, longer");
    EXPECT_EQ(EntryCount(root.path()), 1);
}

TEST(FileSystemTest, FailedAtomicWriteLeavesNothingBehind) {
    test::TempDir root;
    fs::create_directories(root / "busy/child");  // rename over a non-empty folder fails
    EXPECT_FALSE(WriteFileAtomically(root / "busy", "bytes"));
    EXPECT_EQ(EntryCount(root.path()), 1);
    EXPECT_TRUE(fs::is_directory(root / "busy/child"));
    EXPECT_FALSE(WriteFileAtomically(root / "missing/out.txt", "bytes"));
}

TEST(FileSystemTest, ReadFileBytesTellsMissingFromUnreadable) {
    test::TempDir root;
    test::WriteFile(root / "f", std::string("a\0b", 3));
    const FileBytes ok = ReadFileBytes(root / "f");
    EXPECT_EQ(ok.status, ReadStatus::kOk);
    EXPECT_EQ(ok.bytes, std::string("a\0b", 3));
    EXPECT_EQ(ReadFileBytes(root / "none").status, ReadStatus::kMissing);
    EXPECT_EQ(ReadFileBytes(root / "f/below").status, ReadStatus::kMissing);
    EXPECT_EQ(ReadFileBytes(root.path()).status, ReadStatus::kFailed);
}

}  // namespace
}  // namespace mousedeck::shell
