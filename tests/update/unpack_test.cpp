#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/temp_home.h"
#include "update/entry_name.h"
#include "update/unpack.h"
#include "zip_maker.h"

namespace mousedeck::update {
namespace {

namespace fs = std::filesystem;
using test::ZipEntry;

// Everything below `root`, as relative paths; folders end in "/", links in "@".
std::set<std::string> Tree(const fs::path& root) {
    std::set<std::string> found;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        std::string name = fs::relative(it->path(), root).string();
        if (it->is_symlink()) {
            name += "@";
        } else if (it->is_directory()) {
            name += "/";
        }
        found.insert(name);
    }
    return found;
}

class UnpackTest : public ::testing::Test {
protected:
    // The archive lies beside the target folder, so anything written outside
    // the target shows up in Tree(dir).
    fs::path Archive(const std::vector<ZipEntry>& entries) {
        const fs::path archive = dir / "archive.zip";
        EXPECT_TRUE(test::WriteZip(archive, entries));
        return archive;
    }
    mousedeck::test::TempDir dir;
    fs::path target = dir / "target";
};

TEST(EntryNameTest, CleaningAndResolution) {
    struct Case {
        const char* name;
        const char* cleaned;
        const char* resolved;  // parts joined by "/"; nullptr: refused
    };
    const Case cases[] = {
        {"plain.txt", "plain.txt", "plain.txt"},
        {"sub\\win\\file.txt", "sub\\win\\file.txt", "sub/win/file.txt"},
        {"C:\\Windows\\evil.txt", "Windows\\evil.txt", "Windows/evil.txt"},
        {"d:/drive/x.txt", "drive/x.txt", "drive/x.txt"},
        {"/etc/abs.txt", "etc/abs.txt", "etc/abs.txt"},
        {"//server/share/y", "server/share/y", "server/share/y"},  // one separator per round, repeated
        {"c:c:/twice", "twice", "twice"},
        {"x/../inside.txt", "inside.txt", "inside.txt"},
        {"a/b/../c.txt", "c.txt", "c.txt"},  // everything before the first step back goes
        {"a/../../up.txt", "../up.txt", nullptr},
        {"../up.txt", "../up.txt", nullptr},
        {"..\\..\\up.txt", "up.txt", "up.txt"},  // the first "\..\" step takes what precedes it
        {"..\\up.txt", "..\\up.txt", nullptr},
        {"ok/..", "ok/..", ""},  // the target folder itself
        {"./dot/./y.txt", "./dot/./y.txt", "dot/y.txt"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CleanEntryName(c.name), c.cleaned);
        const std::optional<EntryPath> path = ResolveEntryName(c.name);
        ASSERT_EQ(path.has_value(), c.resolved != nullptr);
        if (path) {
            std::string joined;
            for (const std::string& part : path->parts) {
                joined += (joined.empty() ? "" : "/") + part;
            }
            EXPECT_EQ(joined, c.resolved);
        }
    }
    EXPECT_TRUE(ResolveEntryName("folder\\")->is_folder);
}

TEST(EntryNameTest, StoredNamesBecomeUtf8) {
    EXPECT_EQ(EntryNameText("\xE5\x9B\xBA\xE4\xBB\xB6.bin", false), "\xE5\x9B\xBA\xE4\xBB\xB6.bin");
    EXPECT_EQ(EntryNameText("\x81.txt", false), "\xC3\xBC.txt") << "code page 437: u with diaeresis";
    EXPECT_EQ(EntryNameText("\x81.txt", true), "\x81.txt") << "marked UTF-8: taken as it is";
}

TEST_F(UnpackTest, EveryEntryLandsInsideTheTarget) {
    const std::vector<ZipEntry> entries = {
        {"plain.txt", "1"},       {"sub\\win\\file.txt", "2"}, {"C:\\Windows\\evil.txt", "3"},
        {"/etc/abs.txt", "4"},    {"../up.txt", "5"},          {"a/../../up2.txt", "6"},
        {"..\\..\\up3.txt", "7"}, {"x/../inside.txt", "8"},    {"empty-folder/", ""},
    };
    ASSERT_TRUE(Unpack(Archive(entries), target));
    EXPECT_EQ(Tree(dir.path()),
              (std::set<std::string>{"archive.zip", "target/", "target/plain.txt", "target/sub/",
                                     "target/sub/win/", "target/sub/win/file.txt", "target/Windows/",
                                     "target/Windows/evil.txt", "target/etc/", "target/etc/abs.txt",
                                     "target/inside.txt", "target/up3.txt", "target/empty-folder/"}));
    EXPECT_EQ(mousedeck::test::ReadFile(target / "Windows" / "evil.txt"), "3");
    EXPECT_EQ(mousedeck::test::ReadFile(target / "inside.txt"), "8");
}

TEST_F(UnpackTest, LinksAreNeverCreatedOrFollowed) {
    const fs::path outside = dir / "outside";
    mousedeck::test::WriteFile(outside / "keep.txt", "precious");
    fs::create_directories(target);
    fs::create_directory_symlink(outside, target / "via-folder");
    fs::create_symlink(outside / "keep.txt", target / "via-file.txt");
    const std::vector<ZipEntry> entries = {
        {"link", "/etc/passwd", test::kMadeOnUnix, test::UnixAttributes(S_IFLNK | 0777)},
        {"via-folder/new.txt", "escaped"},
        {"via-file.txt", "replaced"},
    };
    ASSERT_TRUE(Unpack(Archive(entries), target));
    EXPECT_FALSE(fs::exists(fs::symlink_status(target / "link"))) << "no link entry is created";
    EXPECT_FALSE(fs::exists(outside / "new.txt")) << "a link on the way is not followed";
    EXPECT_FALSE(fs::is_symlink(target / "via-file.txt")) << "a link in the file's place is replaced";
    EXPECT_EQ(mousedeck::test::ReadFile(target / "via-file.txt"), "replaced");
    EXPECT_EQ(mousedeck::test::ReadFile(outside / "keep.txt"), "precious");
}

TEST_F(UnpackTest, ALinkedTargetFolderIsNotWrittenThrough) {
    fs::create_directories(dir / "real");
    fs::create_directory_symlink(dir / "real", target);
    ASSERT_TRUE(Unpack(Archive({{"file.txt", "x"}}), target)) << "the archive itself opened";
    EXPECT_TRUE(fs::is_empty(dir / "real"));
}

TEST_F(UnpackTest, PermissionsAndTimes) {
    const std::vector<ZipEntry> entries = {
        {"installer.run", "#!/bin/sh\n", test::kMadeOnUnix, test::UnixAttributes(S_IFREG | 04755)},
        {"readonly.txt", "r", 0, 0x01},  // DOS read-only attribute
        {"normal.txt", "n", 0, 0x20},    // DOS archive attribute
        {"private.bin", "p", test::kMadeOnUnix, test::UnixAttributes(S_IFREG | 0000)},
    };
    ::umask(022);
    ASSERT_TRUE(Unpack(Archive(entries), target));
    const auto mode = [&](const char* name) {
        struct stat info {};
        EXPECT_EQ(::stat((target / name).c_str(), &info), 0);
        return info.st_mode & 07777;
    };
    EXPECT_EQ(mode("installer.run"), 0755u) << "permission bits kept, set-user-id dropped";
    EXPECT_EQ(mode("readonly.txt"), 0444u);
    EXPECT_EQ(mode("normal.txt"), 0644u);
    EXPECT_EQ(mode("private.bin"), 0400u) << "the program can still read what it unpacked";

    // The stored local time 2021-06-15 10:30:20.
    std::tm local{};
    local.tm_year = 121;
    local.tm_mon = 5;
    local.tm_mday = 15;
    local.tm_hour = 10;
    local.tm_min = 30;
    local.tm_sec = 20;
    local.tm_isdst = -1;
    struct stat info {};
    ASSERT_EQ(::stat((target / "normal.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mtime, std::mktime(&local));
}

TEST_F(UnpackTest, DamagedEntryLeavesNoFile) {
    const std::string payload = "INSTALLER-PAYLOAD-0123456789";
    const fs::path archive = Archive(
        {{"first.txt", "fine"}, {"setup.run", payload, 0, 0, /*stored=*/true}, {"last.txt", "fine too"}});
    std::string bytes = mousedeck::test::ReadFile(archive);
    const std::size_t at = bytes.find(payload);
    ASSERT_NE(at, std::string::npos);
    bytes[at + 5] ^= 0x01;  // one flipped bit: the CRC-32 no longer matches
    mousedeck::test::WriteFile(archive, bytes);

    ASSERT_TRUE(Unpack(archive, target));
    EXPECT_EQ(Tree(target), (std::set<std::string>{"first.txt", "last.txt"}));
}

TEST_F(UnpackTest, ArchivesThatCannotBeOpened) {
    mousedeck::test::WriteFile(dir / "not-a-zip.zip", "PK but not really");
    EXPECT_FALSE(Unpack(dir / "not-a-zip.zip", target));
    EXPECT_FALSE(Unpack(dir / "missing.zip", target));
    EXPECT_FALSE(fs::exists(target / "not-a-zip.zip"));
}

}  // namespace
}  // namespace mousedeck::update
