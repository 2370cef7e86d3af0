// Calls the worker thread makes into the shell while the user-interface
// thread uses the same objects.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "shell/app_paths.h"
#include "shell/lang_text.h"
#include "shell/settings_file.h"
#include "support/temp_home.h"

namespace mousedeck::shell {
namespace {

TEST(ShellThreadsTest, LanguageTextsWhileTheLanguageAndItsFileChange) {
    test::TempDir app;
    PathEnvironment environment;
    environment.data_dir = app.path().string();
    environment.home = app.path().string();
    const AppPaths paths("P", environment);
    test::WriteFile(app / "language/1033.lan", "[LAN]\n12=Exit\n");
    test::WriteFile(app / "language/2052.lan", "[LAN]\n12=退出\n");
    LanguageState language;
    const LanguageTexts texts(paths, language, std::chrono::nanoseconds(0));

    std::vector<std::thread> readers;
    for (int t = 0; t < 2; ++t) {
        readers.emplace_back([&texts] {
            for (int i = 0; i < 2000; ++i) {
                const std::string text = texts.LangText(12);
                ASSERT_TRUE(text == "Exit" || text == "退出" || text == "Quit") << text;
            }
        });
    }
    for (int i = 0; i < 200; ++i) {
        language.SetCurrent(i % 2 == 0 ? 1033 : 2052);
        if (i % 50 == 0) {
            test::WriteFile(app / "language/1033.lan.new", "[LAN]\n12=Quit\n");
            std::filesystem::rename(app / "language/1033.lan.new", app / "language/1033.lan");
        }
    }
    for (std::thread& reader : readers) {
        reader.join();
    }
}

TEST(ShellThreadsTest, ConcurrentWritesOfDifferentValuesAllSurvive) {
    test::TempDir root;
    SettingsFile settings(root / "settings.ini");
    settings.ReadRegistryNumber(kLcidValue);
    std::thread worker([&settings] {
        for (int i = 1; i <= 300; ++i) {
            settings.WriteRegistryNumber(kDeviceTypeValue, i);
        }
    });
    for (int i = 1; i <= 300; ++i) {
        settings.WriteRegistryNumber(kExitModeValue, i);
        settings.ReadLanguageSetting();
    }
    worker.join();
    EXPECT_EQ(settings.ReadDeviceType(), 300);
    EXPECT_EQ(settings.ReadRegistryNumber(kExitModeValue), 300);
}

}  // namespace
}  // namespace mousedeck::shell
