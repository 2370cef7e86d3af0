#include "xml/file_bytes.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>

#include "support/temp_home.h"

namespace mousedeck::xml {
namespace {

namespace fs = std::filesystem;

int EntryCount(const fs::path& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

mode_t Permissions(const fs::path& file) {
    struct stat status {};
    EXPECT_EQ(::stat(file.c_str(), &status), 0) << file;
    return status.st_mode & 07777;
}

TEST(FileBytesTest, ReplaceWritesWholeAndCleansUp) {
    test::TempDir root;
    const fs::path file = root / "out.txt";
    ASSERT_TRUE(ReplaceFileBytes(file, "first"));
    ASSERT_TRUE(ReplaceFileBytes(file, "second, longer"));
    EXPECT_EQ(test::ReadFile(file), "second, longer");
    ASSERT_TRUE(ReplaceFileBytes(file, "short"));
    EXPECT_EQ(test::ReadFile(file), "short");
    EXPECT_EQ(EntryCount(root.path()), 1);
}

TEST(FileBytesTest, ReplacedFileKeepsItsPermissionsAndANewOneTakesTheUmask) {
    test::TempDir root;
    const fs::path kept = root / "kept";
    test::WriteFile(kept, "old");
    ASSERT_EQ(::chmod(kept.c_str(), 0600), 0);
    ASSERT_TRUE(ReplaceFileBytes(kept, "new"));
    EXPECT_EQ(Permissions(kept), 0600u);

    const mode_t mask = ::umask(022);
    ::umask(mask);
    ASSERT_TRUE(ReplaceFileBytes(root / "fresh", "new"));
    EXPECT_EQ(Permissions(root / "fresh"), 0666u & ~mask);
}

TEST(FileBytesTest, FailedReplaceLeavesNothingBehind) {
    test::TempDir root;
    fs::create_directories(root / "busy/child");  // rename over a non-empty folder fails
    EXPECT_FALSE(ReplaceFileBytes(root / "busy", "bytes"));
    EXPECT_EQ(EntryCount(root.path()), 1);
    EXPECT_TRUE(fs::is_directory(root / "busy/child"));
    EXPECT_FALSE(ReplaceFileBytes(root / "missing/out.txt", "bytes"));
    EXPECT_EQ(EntryCount(root.path()), 1);
}

TEST(FileBytesTest, ReadTellsMissingFromUnreadable) {
    test::TempDir root;
    const std::string bytes("a\0b", 3);
    test::WriteFile(root / "f", bytes);
    const struct {
        const char* label;
        fs::path file;
        std::size_t max_size;
        ReadStatus status;
    } cases[] = {
        {"whole file, NUL included", root / "f", SIZE_MAX, ReadStatus::kOk},
        {"exactly at the limit", root / "f", 3, ReadStatus::kOk},
        {"over the limit", root / "f", 2, ReadStatus::kFailed},
        {"no such file", root / "none", SIZE_MAX, ReadStatus::kMissing},
        {"a file on the way", root / "f/below", SIZE_MAX, ReadStatus::kMissing},
        {"a folder", root.path(), SIZE_MAX, ReadStatus::kFailed},
    };
    for (const auto& c : cases) {
        const FileBytes read = ReadFileBytes(c.file, c.max_size);
        EXPECT_EQ(read.status, c.status) << c.label;
        EXPECT_EQ(read.bytes, c.status == ReadStatus::kOk ? bytes : "") << c.label;
    }
}

}  // namespace
}  // namespace mousedeck::xml
