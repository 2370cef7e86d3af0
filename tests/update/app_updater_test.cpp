#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "loopback_server.h"
#include "recording_observer.h"
#include "support/temp_home.h"
#include "update/app_updater.h"
#include "update/flash_guard.h"
#include "zip_maker.h"

namespace mousedeck::update {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::NumberedText;

HttpOptions QuickHttp() {
    HttpOptions options;
    options.connect_timeout = 2s;
    options.stall_timeout = 300ms;
    return options;
}

bool WaitForFile(const fs::path& file, std::chrono::milliseconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!fs::exists(file)) {
        if (std::chrono::steady_clock::now() > until) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

class AppUpdaterTest : public ::testing::Test {
protected:
    AppUpdaterTest() { updater.Configure(server.Url("/app/"), "1.0.1"); }

    // The installer archive as the update server offers it; the address is
    // "<url>//<archive>", so the path has three slashes here.
    void ServeInstaller(const std::vector<test::ZipEntry>& entries) {
        const fs::path scratch = data / "scratch.zip";
        ASSERT_TRUE(test::WriteZip(scratch, entries));
        server.Serve("/app///Mouse-Setup-1.0.2.zip", mousedeck::test::ReadFile(scratch));
        fs::remove(scratch);
    }
    // A check that finds 1.0.2.
    void FindNewVersion() {
        server.Serve("/app/version", "1.0.2\n");
        updater.Check();
        ASSERT_EQ(updater.LatestVersion(), "1.0.2");
        observer.Clear();
    }
    fs::path TempFolder() const { return data.path() / "temp"; }

    test::LoopbackServer server;
    mousedeck::test::TempDir data;
    test::RecordingObserver observer;
    FlashGuard guard;
    std::vector<fs::path> started;
    ProgramStarter starter = StartDetached;
    AppUpdater updater{observer,    NumberedText,
                       QuickHttp(), UpdateFolder(data.path()),
                       guard,       [this](const fs::path& program) { return starter(program); }};
};

TEST_F(AppUpdaterTest, CheckAnswers) {
    struct Case {
        const char* answer;  // nullptr: no version file (404)
        UpdateState state;
        const char* latest;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"1.0.2",
         UpdateState::kNewer,
         "1.0.2",
         {"AppButton(on)", "AppStatus(T582: v1.0.2)", "OfferApp(1.0.2)"}},
        {"1.0.2\r\n",
         UpdateState::kNewer,
         "1.0.2",
         {"AppButton(on)", "AppStatus(T582: v1.0.2)", "OfferApp(1.0.2)"}},
        {"1.0", UpdateState::kNewer, "1.0", {"AppButton(on)", "AppStatus(T582: v1.0)", "OfferApp(1.0)"}},
        {"1.0.1\n", UpdateState::kUpToDate, "1.0.1", {"AppStatus(T580)", "AppButton(off)"}},
        {"0.9.9", UpdateState::kUpToDate, "0.9.9", {"AppStatus(T580)", "AppButton(off)"}},
        {"10.20.3040",
         UpdateState::kNewer,
         "10.20.3040",
         {"AppButton(on)", "AppStatus(T582: v10.20.3040)", "OfferApp(10.20.3040)"}},
        {"10.20.30400", UpdateState::kUnchecked, "", {}},  // 11 characters
        {"<html>error</html>", UpdateState::kUnchecked, "", {}},
        {nullptr, UpdateState::kUnchecked, "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer ? c.answer : "(404)");
        AppUpdater fresh(observer, NumberedText, QuickHttp(), UpdateFolder(data.path()), guard);
        // The check appends "version" directly: the address ends in its own separator.
        fresh.Configure(server.Url(c.answer ? "/case/" : "/none/"), "1.0.1");
        if (c.answer) {
            server.Serve("/case/version", c.answer);
        }
        observer.Clear();
        fresh.Check();
        EXPECT_EQ(fresh.State(), c.state);
        EXPECT_EQ(fresh.LatestVersion(), c.latest);
        EXPECT_EQ(observer.Events(), c.events);
    }
}

TEST_F(AppUpdaterTest, Prompt) {
    FindNewVersion();
    for (const bool consent : {false, true}) {
        SCOPED_TRACE(consent);
        observer.Clear();
        observer.consent = consent;
        int downloads = 0;
        EXPECT_EQ(updater.Prompt([&] { ++downloads; }), consent);
        EXPECT_EQ(downloads, consent ? 1 : 0);
        std::vector<std::string> expected = {"Ask(T581|T582:v1.0.2, T583)"};
        if (consent) {
            expected.push_back("OpenAppDialog()");
        }
        EXPECT_EQ(observer.Events(), expected);
    }
}

// The installer comes from an archive made on Windows (no execute bit), is
// started detached, and the program is told to end.
TEST_F(AppUpdaterTest, DownloadStartsTheInstaller) {
    FindNewVersion();
    ServeInstaller(
        {{"Mouse-Setup-1.0.2.run", "#!/bin/sh\necho started > \"$(dirname \"$0\")/installer-ran\"\n"}});
    EXPECT_EQ(updater.Download(), AppDownloadOutcome::kInstallerStarted);
    EXPECT_TRUE(WaitForFile(TempFolder() / "installer-ran", 5s)) << "the installer really ran";
    EXPECT_FALSE(fs::exists(TempFolder() / "Mouse-Setup-1.0.2.zip"))
        << "the archive is deleted once unpacked";
    EXPECT_EQ(observer.Events(),
              (std::vector<std::string>{"AppProgress(0|T590: 0%)", "AppProgress(2|T590: 2%)",
                                        "AppProgress(8|T590: 8%)", "AppProgress(10|T590: 10%)",
                                        "AppProgress(100|T590: 100%)", "EndForInstaller()"}));
}

TEST_F(AppUpdaterTest, DownloadWithoutInstaller) {
    starter = [this](const fs::path& program) {
        started.push_back(program);
        return true;
    };
    const struct {
        const char* name;
        std::vector<test::ZipEntry> archive;  // empty: none on the server (404)
        std::vector<std::string> progress;
    } cases[] = {
        {"no archive", {}, {"AppProgress(0|T590: 0%)", "AppProgress(2|T590: 2%)"}},
        {"another file",
         {{"Mouse-Setup-1.0.1.run", "old"}},
         {"AppProgress(0|T590: 0%)", "AppProgress(2|T590: 2%)", "AppProgress(8|T590: 8%)",
          "AppProgress(10|T590: 10%)", "AppProgress(100|T590: 100%)"}},
    };
    FindNewVersion();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.archive.empty()) {
            ServeInstaller(c.archive);
        }
        observer.Clear();
        EXPECT_EQ(updater.Download(), AppDownloadOutcome::kNoInstaller);
        EXPECT_EQ(observer.Events(), c.progress) << "the dialog stays at its last step";
    }
    EXPECT_TRUE(started.empty());

    AppUpdater unchecked(observer, NumberedText, QuickHttp(), UpdateFolder(data.path()), guard);
    unchecked.Configure(server.Url("/app/"), "1.0.1");
    EXPECT_EQ(unchecked.Download(), AppDownloadOutcome::kNoVersion);
}

// The installer may replace the program: a flash in progress is finished
// first, and the user is told why the program waits.
TEST_F(AppUpdaterTest, InstallerWaitsForARunningFlash) {
    FindNewVersion();
    ServeInstaller({{"Mouse-Setup-1.0.2.run", "#!/bin/sh\n"}});
    std::atomic<bool> flash_over{false};
    bool started_during_flash = true;
    starter = [&](const fs::path&) {
        started_during_flash = !flash_over.load();
        return true;
    };
    std::atomic<bool> holding{false};
    std::thread flash([&] {
        const FlashGuard::Scope flashing(guard);
        holding = true;
        std::this_thread::sleep_for(200ms);
        flash_over = true;
    });
    while (!holding) {
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_EQ(updater.Download(), AppDownloadOutcome::kInstallerStarted);
    flash.join();
    EXPECT_FALSE(started_during_flash);
    EXPECT_EQ(observer.EventsStartingWith("ExitWaitsForFlash"),
              (std::vector<std::string>{"ExitWaitsForFlash()"}));
}

TEST_F(AppUpdaterTest, InstallerThatCannotStart) {
    FindNewVersion();
    // A folder where the installer should be cannot be started.
    fs::create_directories(TempFolder() / "Mouse-Setup-1.0.2.run" / "inside");
    EXPECT_EQ(updater.Download(), AppDownloadOutcome::kNoInstaller);
    fs::remove_all(TempFolder());
    ServeInstaller({{"Mouse-Setup-1.0.2.run",
                     "\x7f"
                     "ELF not really a program"}});
    EXPECT_EQ(updater.Download(), AppDownloadOutcome::kStartFailed);
    EXPECT_TRUE(observer.EventsStartingWith("EndForInstaller").empty());
}

}  // namespace
}  // namespace mousedeck::update
