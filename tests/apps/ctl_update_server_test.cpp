// The update and firmware commands against a real HTTP server on loopback:
// the product data is a copy whose web addresses name the test's server.
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "ctl_fixture.h"
#include "loopback_server.h"
#include "zip_maker.h"

namespace mousedeck::ctl::test {
namespace {

using nlohmann::json;
using update::test::LoopbackServer;
using update::test::ZipEntry;

constexpr const char* kShippedAddress = "http://127.0.0.1:18765";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// The zip archive `entries` make, as bytes.
std::string ZipBytes(const mousedeck::test::TempDir& folder, const std::vector<ZipEntry>& entries) {
    const std::filesystem::path file = folder / "made.zip";
    EXPECT_TRUE(update::test::WriteZip(file, entries));
    std::string bytes = mousedeck::test::ReadFile(file);
    std::filesystem::remove(file);
    return bytes;
}

// An image of `size` bytes that names release `tag` (MDVER=<hex>) at its start.
std::string TaggedImage(const std::string& tag, std::size_t size) {
    std::string image = "MDVER=" + tag;
    for (std::size_t k = image.size(); k < size; ++k) {
        image.push_back(static_cast<char>(k * 5 + 1));
    }
    return image;
}

class CtlUpdateServerTest : public CtlTest {
protected:
    CtlUpdateServerTest() : server(std::make_unique<LoopbackServer>()) {
        const std::filesystem::path shipped = mousedeck::test::ExecutableFolder();
        const std::filesystem::path data = home / "data";
        std::filesystem::create_directories(data);
        std::filesystem::copy(shipped / "language", data / "language", std::filesystem::copy_options::recursive);
        std::filesystem::copy(shipped / "device", data / "device", std::filesystem::copy_options::recursive);
        std::filesystem::copy_file(shipped / "config.xml", data / "config.xml");
        for (const auto& entry : std::filesystem::recursive_directory_iterator(data)) {
            if (entry.path().extension() == ".xml") {
                const std::string text = mousedeck::test::ReadFile(entry.path());
                mousedeck::test::WriteFile(entry.path(), Replaced(text, kShippedAddress, server->Url()));
            }
        }
        environment["MOUSEDECK_DATA_DIR"] = data.string();
    }

    // The shipped application version is 1.2.0; the simulated W1 has
    // firmware release 0x0105.
    void ServeAppVersion(const std::string& text) { server->Serve("/app/version", text); }
    void ServeFirmwareVersion(const std::string& text) {
        server->Serve("/firmware/demo_w1/mouse/version", text);
    }

    std::string RequestedPaths() const {
        std::string paths;
        for (const auto& seen : server->Requests()) {
            paths += seen.path + "\n";
        }
        return paths;
    }

    std::unique_ptr<LoopbackServer> server;
    mousedeck::test::TempDir scratch;
};

TEST_F(CtlUpdateServerTest, UpdateCheckNamesANewerVersionOrSaysThisIsTheLatest) {
    struct Case {
        std::string served;
        bool newer;
        std::string line;
    };
    const std::vector<Case> cases = {
        {"1.3.0", true, "version 1.3.0 is available (this is 1.2.0)"},
        {"1.2.10\n", true, "version 1.2.10 is available"},  // parts compare as numbers
        {"1.2.0", false, "this is the latest version (1.2.0)"},
        {"1.2.0\r\n", false, "this is the latest version (1.2.0)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.served);
        ServeAppVersion(c.served);
        const CtlRun run = Sim({"update", "check"});
        EXPECT_EQ(run.exit_code, 0) << run.err << RequestedPaths();
        EXPECT_NE(run.out.find(c.line), std::string::npos) << run.out;
        const json doc = SimJson({"update", "check"});
        EXPECT_EQ(doc["newer"], c.newer);
    }
}

TEST_F(CtlUpdateServerTest, FirmwareCheckComparesTheMouseReleaseWithTheServer) {
    struct Case {
        std::string served;
        bool newer;
        std::string line;
    };
    const std::vector<Case> cases = {
        {"207", true, "newer firmware 207 available (the mouse has 105)"},
        {"105\n", false, "the mouse has the latest firmware (105)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.served);
        ServeFirmwareVersion(c.served);
        const CtlRun run = Sim({"firmware", "check"});
        EXPECT_EQ(run.exit_code, 0) << run.err << RequestedPaths();
        EXPECT_NE(run.out.find(c.line), std::string::npos) << run.out;
        EXPECT_EQ(SimJson({"firmware", "check"})["newer"], c.newer);
    }
}

TEST_F(CtlUpdateServerTest, FirmwareFlashFromTheServerWritesTheImageAndDevicesShowsIt) {
    ServeFirmwareVersion("207");
    const std::string image = TaggedImage("0207", 48 * 4 + 17);
    server->Serve("/firmware/demo_w1//mouse//firmware-207.zip",
                  ZipBytes(scratch, {{.name = "firmware     -207.bin", .data = image}}));

    const json doc = SimJson({"firmware", "flash", "--yes"});
    EXPECT_EQ(doc["flashed"], true) << RequestedPaths();
    EXPECT_EQ(Mouse().firmware, 0x0207);
    const CtlRun devices = Sim({"devices"});
    ASSERT_EQ(devices.exit_code, 0);
    EXPECT_NE(devices.out.find("mouse firmware 2.07"), std::string::npos) << devices.out;

    // Now the mouse has what the server offers: the archive is not fetched again.
    const CtlRun again = Sim({"firmware", "flash", "--yes"});
    EXPECT_EQ(again.exit_code, 0) << again.err;
    EXPECT_NE(again.out.find("latest firmware (207)"), std::string::npos) << again.out;
    int archive_requests = 0;
    for (const auto& seen : server->Requests()) {
        archive_requests += seen.path.ends_with(".zip") ? 1 : 0;
    }
    EXPECT_EQ(archive_requests, 1) << RequestedPaths();
}

TEST_F(CtlUpdateServerTest, UpdateInstallStartsTheInstallerFromTheArchive) {
    const std::filesystem::path marker = scratch / "installer-ran";
    const std::string script = "#!/bin/sh\necho ran > '" + marker.string() + "'\n";
    ServeAppVersion("1.3.0\n");
    server->Serve("/app///Mouse-Setup-1.3.0.zip",
                  ZipBytes(scratch, {{.name = "Mouse-Setup-1.3.0.run",
                                      .data = script,
                                      .made_by = update::test::kMadeOnUnix,
                                      .external_attributes = update::test::UnixAttributes(0100755)}}));

    const CtlRun run = Sim({"update", "install", "--yes"});
    EXPECT_EQ(run.exit_code, 0) << run.err << RequestedPaths();
    EXPECT_NE(run.out.find("the installer has started"), std::string::npos) << run.out;
    // The installer runs detached: give it a moment to write its marker.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(marker) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(mousedeck::test::ReadFile(marker), "ran\n");
}

TEST_F(CtlUpdateServerTest, UpdateInstallOfTheRunningVersionInstallsNothing) {
    ServeAppVersion("1.2.0");
    const CtlRun run = Sim({"update", "install", "--yes"});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_NE(run.out.find("this is the latest version (1.2.0)"), std::string::npos) << run.out;
    EXPECT_EQ(SimJson({"update", "install", "--yes"})["result"], "up to date");
    for (const auto& seen : server->Requests()) {
        EXPECT_EQ(seen.path.find(".zip"), std::string::npos) << seen.path;
    }
}

// Missing answers end with exit 1 and a message naming what failed, at
// once: nothing waits for a time-out when the server says no or is gone.
TEST_F(CtlUpdateServerTest, MissingAnswersFailQuicklyWithAClearMessage) {
    ServeAppVersion("1.3.0");  // newer, but no archive behind it
    ServeFirmwareVersion("207");
    struct Case {
        bool server_running;
        Words words;
        std::string message;
    };
    const std::vector<Case> cases = {
        {true, {"update", "install", "--yes"}, "the download failed or the archive holds no installer"},
        {true, {"firmware", "flash", "--yes"}, "could not be downloaded or unpacked; nothing was written"},
        {false, {"update", "check"}, "did not answer with a version"},
        {false, {"update", "install", "--yes"}, "did not answer with a version"},
        {false, {"firmware", "check"}, "did not answer with a version"},
        {false, {"firmware", "flash", "--yes"}, "did not answer with a version"},
    };
    const uint16_t before = Mouse().firmware;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words[0] + " " + c.words[1] + (c.server_running ? " (404)" : " (no server)"));
        if (!c.server_running) {
            server.reset();
        }
        const auto start = std::chrono::steady_clock::now();
        const CtlRun run = Sim(c.words);
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(run.exit_code, 1) << run.out;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        // Well below the 5 s connect bound: the refusal itself ended the run.
        EXPECT_LT(took, std::chrono::seconds(4));
    }
    EXPECT_EQ(Mouse().firmware, before);
}

TEST_F(CtlUpdateServerTest, AVersionTextTheServerShouldNotSendIsNoAnswer) {
    const std::vector<std::string> refused = {"", "12345678901", "1.3.0 beta", "<html>"};
    for (const std::string& text : refused) {
        SCOPED_TRACE(text);
        ServeAppVersion(text);
        const CtlRun run = Sim({"update", "check"});
        EXPECT_EQ(run.exit_code, 1) << run.out;
        EXPECT_NE(run.err.find("did not answer with a version"), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace mousedeck::ctl::test
