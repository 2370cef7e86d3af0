#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "loopback_server.h"
#include "recording_observer.h"
#include "sim/boot_loader.h"
#include "sim_rig.h"
#include "support/temp_home.h"
#include "update/firmware_reports.h"
#include "update/firmware_updater.h"
#include "update/firmware_upgrade.h"
#include "update/flash_guard.h"
#include "zip_maker.h"

namespace mousedeck::update {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::NumberedText;

constexpr char kImageName[] = "firmware     -106.bin";  // five spaces

std::vector<uint8_t> Image(std::size_t size) {
    std::vector<uint8_t> image(size);
    for (std::size_t i = 0; i < size; ++i) {
        image[i] = static_cast<uint8_t>(i * 7 + 3);
    }
    return image;
}

std::string Text(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

HttpOptions QuickHttp() {
    HttpOptions options;
    options.connect_timeout = 2s;
    options.stall_timeout = 300ms;
    return options;
}

UpgradeTiming QuickUpgrade() {
    UpgradeTiming timing;
    timing.flash.first_reports_pause = 1ms;
    timing.dialog_close_pause = 1ms;
    return timing;
}

// The mouse, a firmware server and the update routines of one main window.
class FirmwareTest : public ::testing::Test {
protected:
    FirmwareTest()
        : updater(observer, NumberedText, QuickHttp()),
          upgrade(observer, NumberedText, QuickHttp(), UpdateFolder(data.path()), guard, QuickUpgrade()) {
        updater.SetFirmwareAddress(server.Url("/fw"));
        server.Serve("/fw/mouse/version", "106\n");
    }

    // Serves firmware-106.zip holding `entries`.
    void ServeArchive(const std::vector<test::ZipEntry>& entries) {
        const fs::path scratch = data / "scratch.zip";
        ASSERT_TRUE(test::WriteZip(scratch, entries));
        server.Serve("/fw//mouse//firmware-106.zip", mousedeck::test::ReadFile(scratch));
        fs::remove(scratch);
    }
    void ServeImage(const std::vector<uint8_t>& image) { ServeArchive({{kImageName, Text(image)}}); }

    std::vector<std::string> Steps() const { return observer.EventsStartingWith("Step("); }
    fs::path TempFolder() const { return data.path() / "temp"; }

    test::LoopbackServer server;
    mousedeck::test::TempDir data;
    test::SimRig rig;
    test::RecordingObserver observer;
    FlashGuard guard;
    FirmwareUpdater updater;
    FirmwareUpgrade upgrade;
};

TEST_F(FirmwareTest, VersionsThroughTheCable) {
    updater.ShowVersions(*rig.manager);
    EXPECT_EQ(updater.MouseVersion(), "105");
    EXPECT_EQ(observer.Events(),
              (std::vector<std::string>{"MouseCaption(T551)", "ReceiverCaption(T552)", "MouseStatus()",
                                        "ReceiverStatus()", "MouseCaption(T551: v1.05)", "MouseStatus(T580)",
                                        "FirmwareButton(on)", "ReceiverButton(off)"}));
}

// Only the receiver: its own version is shown and the firmware button is
// off, but the check still compares the mouse's version (from command 0x20)
// and the upgrade reaches the boot-loader through the receiver's ids.
TEST_F(FirmwareTest, ThroughTheReceiverOnly) {
    rig.mouse.PlugCable(false);
    rig.Open();
    updater.SetMouseVersion("104");
    updater.ShowVersions(*rig.manager);
    EXPECT_EQ(updater.ReceiverVersion(), "102");
    EXPECT_EQ(updater.MouseVersion(), "104") << "left as the 0x20 read set it";
    EXPECT_EQ(observer.EventsStartingWith("ReceiverCaption("),
              (std::vector<std::string>{"ReceiverCaption(T552)", "ReceiverCaption(T551: v1.02)"}));
    EXPECT_EQ(observer.EventsStartingWith("FirmwareButton("),
              (std::vector<std::string>{"FirmwareButton(off)"}));
    EXPECT_EQ(observer.EventsStartingWith("ReceiverButton("),
              (std::vector<std::string>{"ReceiverButton(on)"}));

    updater.Check();
    EXPECT_EQ(observer.EventsStartingWith("OfferFirmware("),
              (std::vector<std::string>{"OfferFirmware(106)"}));

    const std::vector<uint8_t> image = Image(100);
    ServeImage(image);
    upgrade.Run(*rig.manager, updater.FirmwareAddress(), updater.LatestVersion());
    const auto flashed = rig.mouse.LastFlashedImage();
    ASSERT_TRUE(flashed);
    EXPECT_EQ(std::vector<uint8_t>(flashed->begin(), flashed->begin() + 100), image);
}

TEST_F(FirmwareTest, CheckAnswers) {
    struct Case {
        const char* answer;  // nullptr: no version file on the server
        const char* mouse;
        UpdateState state;
        const char* latest;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"106",
         "105",
         UpdateState::kNewer,
         "106",
         {"MouseStatus(T582: v1.06)", "FirmwareButton(on)", "OfferFirmware(106)"}},
        {"1.06",
         "105",
         UpdateState::kNewer,
         "1.06",  // a different number of parts counts as newer
         {"MouseStatus(T582: v1.06)", "FirmwareButton(on)", "OfferFirmware(1.06)"}},
        {"105\r\n", "105", UpdateState::kUpToDate, "105", {"MouseStatus(T580)", "FirmwareButton(off)"}},
        {"104", "105", UpdateState::kUpToDate, "104", {"MouseStatus(T580)", "FirmwareButton(off)"}},
        {"123456789",
         "105",
         UpdateState::kNewer,
         "123456789",
         {"MouseStatus(T582: v1234567.89)", "FirmwareButton(on)", "OfferFirmware(123456789)"}},
        {"1234567890", "105", UpdateState::kUnchecked, "", {}},  // 10 characters: no version
        {nullptr, "105", UpdateState::kUnchecked, "", {}},       // 404
        {"106", "", UpdateState::kUnchecked, "106", {}},         // the mouse's version unknown
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer ? c.answer : "(404)");
        FirmwareUpdater fresh(observer, NumberedText, QuickHttp());
        fresh.SetFirmwareAddress(server.Url(c.answer ? "/case" : "/none"));
        if (c.answer) {
            server.Serve("/case/mouse/version", c.answer);
        }
        fresh.SetMouseVersion(c.mouse);
        observer.Clear();
        fresh.Check();
        EXPECT_EQ(fresh.State(), c.state);
        EXPECT_EQ(fresh.LatestVersion(), c.latest);
        EXPECT_EQ(observer.Events(), c.events);
    }
}

TEST_F(FirmwareTest, ButtonsAndPrompt) {
    int checks = 0;
    updater.PressFirmwareButton([&] { ++checks; });
    EXPECT_EQ(checks, 1);
    updater.SetFirmwareAddress("");
    updater.PressFirmwareButton([&] { ++checks; });
    updater.PressReceiverButton();
    EXPECT_EQ(checks, 1) << "no address, nothing to check";
    EXPECT_EQ(observer.Events(), (std::vector<std::string>{"Notice(T551|T580)", "Notice(T552|T580)"}));

    updater.SetFirmwareAddress(server.Url("/fw"));
    updater.SetMouseVersion("105");
    updater.Check();
    for (const bool consent : {false, true}) {
        SCOPED_TRACE(consent);
        observer.Clear();
        observer.consent = consent;
        int upgrades = 0;
        EXPECT_EQ(updater.Prompt([&] { ++upgrades; }), consent);
        EXPECT_EQ(upgrades, consent ? 1 : 0);
        std::vector<std::string> expected = {"Ask(T551|T582:v1.06, T583)"};
        if (consent) {
            expected.push_back("OpenFirmwareDialog()");
        }
        EXPECT_EQ(observer.Events(), expected);
    }
}

// From the server's version text to the mouse's boot-loader: the simulated
// loader checks every sequence number and CRC and keeps what it received.
TEST_F(FirmwareTest, FlashesTheImageIntoTheBootLoader) {
    struct Case {
        std::size_t size;
        std::vector<int> transfer_steps;
    };
    const Case cases[] = {
        {48 * 3, {40, 70, 100}},
        {48 * 3 + 1, {40, 70, 100}},  // the last, one-byte report shows no step
        {20, {}},                     // one partial report only
        {48 * 50, {}},                // filled in below
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.size);
        if (c.size == 48 * 50) {
            for (int k = 1; k <= 50; ++k) {
                c.transfer_steps.push_back(10 + 90 * k / 50);
            }
        }
        test::SimRig fresh_rig;
        observer.Clear();
        const std::vector<uint8_t> image = Image(c.size);
        ServeImage(image);

        updater.ShowVersions(*fresh_rig.manager);
        updater.Check();
        ASSERT_EQ(updater.State(), UpdateState::kNewer);
        upgrade.Run(*fresh_rig.manager, updater.FirmwareAddress(), updater.LatestVersion());

        EXPECT_EQ(fresh_rig.mouse.BootLoaderStatus(), sim::kBootOk);
        const auto flashed = fresh_rig.mouse.LastFlashedImage();
        ASSERT_TRUE(flashed);
        ASSERT_EQ(flashed->size(), (c.size + 15) / 16 * 16);
        EXPECT_EQ(std::vector<uint8_t>(flashed->begin(), flashed->begin() + static_cast<long>(c.size)),
                  image);
        EXPECT_EQ(std::vector<uint8_t>(flashed->begin() + static_cast<long>(c.size), flashed->end()),
                  std::vector<uint8_t>(flashed->size() - c.size, 0xFF));
        EXPECT_EQ(fresh_rig.mouse.State().firmware, 0x0106) << "the mouse took on its next release";

        std::vector<std::string> steps = {"Step(5|T590: 5%)", "Step(7|T591: 7%)", "Step(10|T591: 10%)"};
        for (const int p : c.transfer_steps) {
            steps.push_back("Step(" + std::to_string(p) + "|T592: " + std::to_string(p) + "%)");
        }
        steps.push_back("Step(100|T593: 100%)");
        EXPECT_EQ(Steps(), steps);
        EXPECT_EQ(observer.Events().back(), "CloseFirmwareDialog()");
        EXPECT_TRUE(fs::is_empty(TempFolder())) << "archive and image are deleted";
    }
}

TEST_F(FirmwareTest, DownloadFailuresEndEarly) {
    struct Case {
        const char* name;
        std::vector<test::ZipEntry> archive;  // empty: none on the server (404)
        std::vector<std::string> steps;
    };
    const Case cases[] = {
        {"no archive", {}, {"Step(5|T590: 5%)"}},
        {"no image in it", {{"readme.txt", "x"}}, {"Step(5|T590: 5%)", "Step(7|T591: 7%)"}},
        {"empty image", {{kImageName, ""}}, {"Step(5|T590: 5%)", "Step(7|T591: 7%)"}},
        {"image too long",
         {{kImageName, std::string(kMaxImageBytes + 1, 'x')}},
         {"Step(5|T590: 5%)", "Step(7|T591: 7%)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::SimRig fresh_rig;
        observer.Clear();
        if (!c.archive.empty()) {
            ServeArchive(c.archive);  // the first case runs before anything is served: 404
        }
        upgrade.Run(*fresh_rig.manager, server.Url("/fw"), "106");
        EXPECT_EQ(Steps(), c.steps);
        EXPECT_EQ(observer.Events().back(), "CloseFirmwareDialog()");
        EXPECT_FALSE(fresh_rig.mouse.LastFlashedImage());
    }
}

TEST_F(FirmwareTest, DeviceFailures) {
    const std::vector<uint8_t> image = Image(48 * 4);
    struct Case {
        const char* name;
        std::function<void(test::SimRig&)> prepare;
        FlashOutcome outcome;
        std::vector<int> transfer_steps;
    };
    const Case cases[] = {
        {"no boot-loader interface",
         [](test::SimRig& r) {
             r.mouse.PlugCable(false);
             r.mouse.PlugReceiver(false);
             r.Open();
         },
         FlashOutcome::kNoBootLoader,
         {}},
        {"begin report refused",
         [](test::SimRig& r) {
             r.mouse.AddFault({sim::FaultKind::kWriteFailure, 0, sim::FaultTarget::kBootLoader});
         },
         FlashOutcome::kBeginFailed,
         {}},
        // Begin, data 0, data 1 go through; the cable is gone from then on.
        {"data report failed",
         [](test::SimRig& r) {
             r.mouse.AddFault({sim::FaultKind::kUnplug, 3, sim::FaultTarget::kBootLoader});
         },
         FlashOutcome::kTransferFailed,
         {32, 55}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::SimRig fresh_rig;
        c.prepare(fresh_rig);
        observer.Clear();
        EXPECT_EQ(upgrade.Flash(*fresh_rig.manager, image), c.outcome);
        std::vector<std::string> steps;
        for (const int p : c.transfer_steps) {
            steps.push_back("Step(" + std::to_string(p) + "|T592: " + std::to_string(p) + "%)");
        }
        steps.push_back("Step(100|T593: 100%)");
        EXPECT_EQ(Steps(), steps);
        EXPECT_FALSE(fresh_rig.mouse.LastFlashedImage());
        EXPECT_EQ(fresh_rig.mouse.State().firmware, 0x0105);
    }
}

TEST_F(FirmwareTest, OversizedImageIsNeverSent) {
    const std::vector<uint8_t> image(kMaxImageBytes + 1, 0x11);
    EXPECT_EQ(upgrade.Flash(*rig.manager, image), FlashOutcome::kImageRefused);
    EXPECT_EQ(rig.mouse.BootLoaderStatus(), sim::kBootOk);
    EXPECT_FALSE(rig.mouse.LastFlashedImage());
}

// The exit path can tell a flash is running: the guard is held for the
// transfer (its steps) and released before the final step.
TEST_F(FirmwareTest, GuardIsHeldWhileFlashing) {
    class GuardWatcher : public test::RecordingObserver {
    public:
        explicit GuardWatcher(const FlashGuard& g) : guard(g) {}
        void ShowFirmwareStep(int percent, const std::string& /*status*/) override {
            Add(std::to_string(percent) + (guard.Running() ? ":held" : ":free"));
        }
        const FlashGuard& guard;
    } watcher(guard);
    FirmwareUpgrade watched(watcher, NumberedText, QuickHttp(), UpdateFolder(data.path()), guard,
                            QuickUpgrade());
    EXPECT_EQ(watched.Flash(*rig.manager, Image(48 * 2)), FlashOutcome::kDone);
    EXPECT_EQ(watcher.Events(), (std::vector<std::string>{"55:held", "100:held", "100:free"}));
    EXPECT_FALSE(guard.Running());
}

}  // namespace
}  // namespace mousedeck::update
