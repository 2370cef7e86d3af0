#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_home.h"
#include "update/update_folder.h"

namespace mousedeck::update {
namespace {

namespace fs = std::filesystem;

TEST(UpdateFolderTest, WhatMayBeDeleted) {
    struct Case {
        const char* folder;
        const char* data;
        bool deletable;
    };
    const Case cases[] = {
        {"/home/u/.local/share/Mouse Files/temp", "/home/u/.local/share/Mouse Files", true},
        {"/home/u/.local/share/Mouse Files/temp/", "/home/u/.local/share/Mouse Files/", true},
        {"/home/u/.local/share/Mouse Files/a/../temp", "/home/u/.local/share/Mouse Files", true},
        {"/home/u/.local/share/Mouse Files", "/home/u/.local/share/Mouse Files", false},  // the data itself
        {"/home/u/.local/share/Mouse Files/temp/../..", "/home/u/.local/share/Mouse Files", false},
        {"/home/u/.local/share/Mouse Files/../Other/temp", "/home/u/.local/share/Mouse Files", false},
        {"/home/u/.local/share/Mouse Files2/temp", "/home/u/.local/share/Mouse Files", false},
        {"/home/u", "/home/u/.local/share/Mouse Files", false},
        {"/temp", "/", false},  // a data folder of "/" is no data folder
        {"/x/temp", "//", false},
        {"Mouse Files/temp", "Mouse Files", false},  // relative: depends on the working folder
        {"/abs/temp", "abs", false},
        {"temp", "/abs", false},
        {"", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.folder) + " in " + c.data);
        EXPECT_EQ(UpdateFolder::IsDeletable(c.folder, c.data), c.deletable);
    }
}

TEST(UpdateFolderTest, RecreateEmptiesWithoutFollowingLinks) {
    mousedeck::test::TempDir dir;
    const fs::path data = dir / "Mouse Files";
    mousedeck::test::WriteFile(dir / "outside" / "keep.txt", "precious");
    const UpdateFolder folder(data);
    ASSERT_TRUE(folder.Create());
    mousedeck::test::WriteFile(folder.File("old.zip"), "old");
    mousedeck::test::WriteFile(folder.Path() / "sub" / "deep.bin", "deep");
    fs::create_directory_symlink(dir / "outside", folder.File("link-to-outside"));
    fs::permissions(folder.File("old.zip"), fs::perms::owner_read);  // read-only files go too

    ASSERT_TRUE(folder.Recreate());
    EXPECT_TRUE(fs::is_directory(folder.Path()));
    EXPECT_TRUE(fs::is_empty(folder.Path()));
    EXPECT_EQ(mousedeck::test::ReadFile(dir / "outside" / "keep.txt"), "precious");

    // A data folder that is not absolute is never emptied.
    const UpdateFolder relative(fs::path("relative data"));
    EXPECT_FALSE(relative.Recreate());
    EXPECT_FALSE(fs::exists("relative data"));
}

}  // namespace
}  // namespace mousedeck::update
