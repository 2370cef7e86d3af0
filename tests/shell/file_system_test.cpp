#include "shell/file_system.h"

#include <gtest/gtest.h>

#include "support/temp_home.h"

namespace mousedeck::shell {
namespace {

namespace fs = std::filesystem;

TEST(FileSystemTest, CreateFolderPath) {
    test::TempDir root;
    EXPECT_TRUE(CreateFolderPath(root / "a/b/c"));
    EXPECT_TRUE(fs::is_directory(root / "a/b/c"));
    EXPECT_TRUE(CreateFolderPath(root / "a/b/c")) << "an existing folder";
    test::WriteFile(root / "f", "x");
    EXPECT_FALSE(CreateFolderPath(root / "f")) << "a file of that name";
    EXPECT_FALSE(CreateFolderPath(root / "f/sub")) << "a file on the way";
}

}  // namespace
}  // namespace mousedeck::shell
