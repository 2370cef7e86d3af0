#include <filesystem>
#include <fstream>
#include <iterator>

#include "ctl_fixture.h"

namespace mousedeck::ctl::test {
namespace {

using nlohmann::json;

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

// The profile file without the value of profileinfo's name.
std::string WithoutProfileName(std::string file) {
    const std::size_t start = file.find("<profileinfo name=\"");
    const std::size_t end = file.find('"', start + 19);
    if (start != std::string::npos && end != std::string::npos) {
        file.erase(start + 19, end - start - 19);
    }
    return file;
}

// An image of `size` bytes that names release `tag` (MDVER=<hex>) at its start.
std::string TaggedImage(const std::string& tag, std::size_t size) {
    std::string image = "MDVER=" + tag;
    for (std::size_t k = image.size(); k < size; ++k) {
        image.push_back(static_cast<char>(k * 7 + 3));
    }
    return image;
}

TEST_F(CtlTest, FirmwareFlashFromAFileWritesTheImageAndDevicesShowsTheNewRelease) {
    // Sizes on and off the 48-byte report boundary, and one below a report.
    const std::vector<std::pair<std::size_t, std::string>> cases = {
        {48 * 5, "0207"}, {48 * 5 + 1, "0301"}, {40, "0410"}};
    for (const auto& [size, tag] : cases) {
        SCOPED_TRACE(size);
        const std::filesystem::path file = home.path() / ("image-" + tag + ".bin");
        WriteAll(file, TaggedImage(tag, size));
        const json doc = SimJson({"firmware", "flash", "--yes", "--file", file.string()});
        EXPECT_EQ(doc["flashed"], true);
        EXPECT_EQ(doc["image_bytes"], size);
        EXPECT_EQ(Mouse().firmware, std::stoi(tag, nullptr, 16));

        const CtlRun devices = Sim({"devices"});
        ASSERT_EQ(devices.exit_code, 0);
        const std::string shown = std::to_string(std::stoi(tag.substr(0, 2))) + "." + tag.substr(2);
        EXPECT_NE(devices.out.find("mouse firmware " + shown), std::string::npos) << devices.out;
    }
}

TEST_F(CtlTest, FirmwareFlashRefusesWhatItCannotWrite) {
    const std::filesystem::path empty = home.path() / "empty.bin";
    WriteAll(empty, "");
    const std::filesystem::path not_an_image = home.path() / "broken.zip";
    WriteAll(not_an_image, std::string("PK\x03\x04", 4) + "no archive");
    const std::vector<std::pair<Words, int>> cases = {
        {{"firmware", "flash", "--file", empty.string()}, 2},                      // no --yes
        {{"firmware", "flash", "--yes", "--file", empty.string()}, 2},             // empty image
        {{"firmware", "flash", "--yes", "--file", not_an_image.string()}, 2},      // damaged archive
        {{"firmware", "flash", "--yes", "--file", (home.path() / "none").string()}, 2},
        {{"firmware", "check", "--file", empty.string()}, 2},
        {{"firmware", "erase"}, 2},
    };
    const uint16_t before = Mouse().firmware;
    for (const auto& [words, code] : cases) {
        SCOPED_TRACE(words.back());
        const CtlRun run = Sim(words);
        EXPECT_EQ(run.exit_code, code);
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_EQ(Mouse().firmware, before);
}

TEST_F(CtlTest, ProfileFilesRoundTripThroughTheProgramAndAnImportWritesEverything) {
    ASSERT_EQ(Sim({"set", "report-rate", "250"}).exit_code, 0);
    const std::filesystem::path first = home.path() / "Fast.xml";
    ASSERT_EQ(SimJson({"profile", "export", first.string()})["result"], "done");
    const std::string exported = ReadAll(first);
    ASSERT_TRUE(exported.starts_with("<?xml")) << exported;

    ASSERT_EQ(Sim({"set", "report-rate", "1000"}).exit_code, 0);
    TakeWrites();
    const json doc = SimJson({"profile", "import", first.string()});
    EXPECT_EQ(doc["result"], "acknowledged");
    const std::vector<int> commands = TakeCommands();
    for (const int code : {0x02, 0x03, 0x04, 0x06, 0x07, 0x09}) {
        EXPECT_NE(std::find(commands.begin(), commands.end(), code), commands.end()) << code;
    }
    EXPECT_EQ(PayloadOf(0x02)[0], 0x04);  // 250 Hz again
    EXPECT_EQ(SimJson({"profile", "list"})["profiles"][0]["name"], "Fast");

    // The imported profile, exported again, is the same file byte for byte
    // apart from the name it now carries.
    const std::filesystem::path second = home.path() / "second.xml";
    ASSERT_EQ(Sim({"profile", "export", second.string()}).exit_code, 0);
    EXPECT_EQ(WithoutProfileName(ReadAll(second)), WithoutProfileName(exported));
    EXPECT_NE(ReadAll(second).find("<profileinfo name=\"Fast\">"), std::string::npos);
}

TEST_F(CtlTest, MacroFilesRoundTripThroughTheProgram) {
    const std::filesystem::path seed = home.path() / "seed.xml";
    WriteAll(seed,
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro>\r\n"
             "<macro_item macro_name=\"Copy &amp; paste 宏\" macro_type=\"1\" play_times=\"2\" delay_type=\"0\" "
             "delay_time=\"10\">\r\n<record_item>\r\n"
             "<item desc=\"Ctrl\" index=\"0\" type=\"1\" value=\"17\" timestamp=\"20\"/>\r\n"
             "<item desc=\"Ctrl\" index=\"1\" type=\"2\" value=\"17\" timestamp=\"30\"/>\r\n"
             "</record_item>\r\n</macro_item>\r\n</macro>\r\n");
    json doc = SimJson({"macro", "import", seed.string()});
    ASSERT_EQ(doc["imported"].size(), 1u);
    const int id = doc["imported"][0];

    doc = SimJson({"macro", "show", std::to_string(id)});
    EXPECT_EQ(doc["name"], "Copy & paste 宏");
    EXPECT_EQ(doc["records"].size(), 2u);

    const std::filesystem::path all = home.path() / "all.xml";
    ASSERT_EQ(Sim({"macro", "export", all.string()}).exit_code, 0);
    EXPECT_EQ(ReadAll(all), ReadAll(seed));

    const std::filesystem::path one = home.path() / "one.xml";
    ASSERT_EQ(Sim({"macro", "export", one.string(), "--macro", std::to_string(id)}).exit_code, 0);
    ASSERT_EQ(SimJson({"macro", "rename", std::to_string(id), "Other"})["result"], "done");
    ASSERT_EQ(Sim({"macro", "delete", std::to_string(id)}).exit_code, 0);
    EXPECT_EQ(SimJson({"macro", "list"})["macros"].size(), 0u);

    doc = SimJson({"macro", "import", one.string(), "--format", "a"});
    ASSERT_EQ(doc["imported"].size(), 1u);
    EXPECT_EQ(SimJson({"macro", "show", std::to_string(int(doc["imported"][0]))})["name"], "Copy & paste 宏");
    EXPECT_EQ(Sim({"macro", "show", std::to_string(id)}).exit_code, 1);  // deleted

    const std::vector<Words> refused = {
        {"macro", "export", all.string(), "--format", "a"},                  // a needs --macro
        {"macro", "export", all.string(), "--format", "b", "--macro", "1"},  // b holds every macro
        {"macro", "import", all.string(), "--format", "c"},
        {"macro", "list", "--format", "a"},
        {"macro", "import", (home.path() / "none.xml").string()},
    };
    for (const Words& words : refused) {
        SCOPED_TRACE(words[1]);
        EXPECT_EQ(Sim(words).exit_code, 2);
    }
}

}  // namespace
}  // namespace mousedeck::ctl::test
