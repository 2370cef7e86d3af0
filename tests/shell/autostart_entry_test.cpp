#include "shell/autostart_entry.h"

#include <gtest/gtest.h>

#include "support/temp_home.h"

namespace mousedeck::shell {
namespace {

namespace fs = std::filesystem;

TEST(AutostartEntryTest, EnableWritesEntryDisableRemovesIt) {
    test::TempDir root;
    const fs::path entry_file = root / "config/autostart/Kestrel.desktop";
    const AutostartEntry entry(entry_file, "/usr/bin/mousedeck", "Kestrel");

    EXPECT_FALSE(entry.IsEnabled());
    EXPECT_TRUE(entry.Disable()) << "nothing to remove is success";
    ASSERT_TRUE(entry.Enable()) << "creates the autostart folder";
    EXPECT_TRUE(entry.IsEnabled());
    EXPECT_EQ(test::ReadFile(entry_file),
              "[Desktop Entry]\nType=Application\nName=Kestrel\nExec=/usr/bin/mousedeck -autorun\n"
              "Terminal=false\nX-GNOME-Autostart-enabled=true\n");
    EXPECT_TRUE(entry.Enable()) << "enabling twice rewrites the entry";
    EXPECT_TRUE(entry.Disable());
    EXPECT_FALSE(entry.IsEnabled());
    EXPECT_FALSE(fs::exists(entry_file));
}

TEST(AutostartEntryTest, ExecArgumentQuoting) {
    struct Case {
        std::string path;
        std::string exec;  // as written in the file
    };
    const Case cases[] = {
        {"/usr/bin/mousedeck", "/usr/bin/mousedeck"},
        {"/opt/Mouse Deck/mousedeck", "\"/opt/Mouse Deck/mousedeck\""},
        // The quoting backslash is itself escaped in the file: \" \$ \`
        {"/opt/a\"b/x", "\"/opt/a\\\\\"b/x\""},
        {"/opt/$HOME/x", "\"/opt/\\\\$HOME/x\""},
        {"/opt/back`tick/x", "\"/opt/back\\\\`tick/x\""},
        {"/opt/back\\slash/x", "\"/opt/back\\\\\\\\slash/x\""},  // four backslashes in the file
        {"/opt/100%/x", "/opt/100%%/x"},
        {"/opt/100% sure/x", "\"/opt/100%% sure/x\""},
        {"/opt/new\nline/x", "\"/opt/new\\nline/x\""},
        {"/opt/it's/x", "\"/opt/it's/x\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DesktopExecArgument(c.path), c.exec) << c.path;
        const AutostartEntry entry("/unused.desktop", c.path, "N");
        EXPECT_NE(entry.EntryText().find("\nExec=" + c.exec + " -autorun\n"), std::string::npos) << c.path;
    }
}

TEST(AutostartEntryTest, DeviceNameCannotAddLinesToTheEntry) {
    const AutostartEntry entry("/unused.desktop", "/usr/bin/mousedeck", "Evil\nExec=/bin/rm");
    const std::string text = entry.EntryText();
    EXPECT_NE(text.find("\nName=Evil\\nExec=/bin/rm\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("\nExec=/bin/rm"), std::string::npos);
}

}  // namespace
}  // namespace mousedeck::shell
