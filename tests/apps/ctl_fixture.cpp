#include "ctl_fixture.h"

#include <fstream>
#include <sstream>

#include "shell/lang_text.h"
#include "sim/catalogue/shipped_products.h"
#include "sim/state_text.h"

extern char** environ;

namespace mousedeck::ctl::test {
namespace {

std::string StatePath(const mousedeck::test::TempDir& home, int device_type) {
    return (home / (".local/state/mousedeck/simulated-mouse." + std::to_string(device_type) + ".state"))
        .string();
}

Bytes ParseHex(const std::string& text) {
    Bytes bytes;
    std::istringstream in(text);
    std::string pair;
    while (in >> pair) {
        bytes.push_back(static_cast<uint8_t>(std::stoul(pair, nullptr, 16)));
    }
    return bytes;
}

}  // namespace

std::string LanguageText(int lcid, int number) {
    const auto file = mousedeck::test::ExecutableFolder() / "language" / (std::to_string(lcid) + ".lan");
    return shell::LanguageTextOf(shell::ParseLanguageFile(mousedeck::test::ReadFile(file)), number);
}

sim::SimProduct ShippedProduct(int device_type) {
    for (const sim::SimProduct& product :
         sim::LoadShippedProducts(mousedeck::test::ExecutableFolder().string())) {
        if (product.device_type == device_type) {
            return product;
        }
    }
    ADD_FAILURE() << "no shipped product of type " << device_type;
    return {};
}

nlohmann::json CtlRun::Json() const {
    nlohmann::json document = nlohmann::json::parse(out, nullptr, false);
    EXPECT_FALSE(document.is_discarded()) << "not one JSON document:\n" << out << err;
    return document.is_discarded() ? nlohmann::json::object() : document;
}

CtlTest::CtlTest() {
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::size_t equals = text.find('=');
        if (equals != std::string::npos) {
            environment[text.substr(0, equals)] = text.substr(equals + 1);
        }
    }
    for (const char* name : {"LANG", "LC_MESSAGES", "MOUSEDECK_SIM_STATE", "MOUSEDECK_DATA_DIR"}) {
        environment.erase(name);
    }
    environment["LC_ALL"] = "C";
    environment["HOME"] = home.path().string();
    environment["XDG_CONFIG_HOME"] = (home / ".config").string();
    environment["XDG_DATA_HOME"] = (home / ".local/share").string();
    environment["XDG_STATE_HOME"] = (home / ".local/state").string();
    environment["MOUSEDECK_SIM_LOG"] = (home / "traffic.log").string();
}

CtlRun CtlTest::Run(const Words& words) {
    const ChildResult result =
        RunChild(mousedeck::test::ExecutableFolder() / "mousedeckctl", words, environment);
    return {result.exit_code, result.out, result.err};
}

CtlRun CtlTest::Sim(const Words& words, int device_type) {
    Words all{device_type == 0 ? "--simulate" : "--simulate=" + std::to_string(device_type)};
    all.insert(all.end(), words.begin(), words.end());
    return Run(all);
}

nlohmann::json CtlTest::SimJson(const Words& words, int expected_exit, int device_type) {
    Words all{"--json"};
    all.insert(all.end(), words.begin(), words.end());
    const CtlRun run = Sim(all, device_type);
    EXPECT_EQ(run.exit_code, expected_exit) << run.out << run.err;
    return run.Json();
}

sim::MouseState CtlTest::Mouse(int device_type) {
    if (!std::filesystem::exists(StatePath(home, device_type))) {
        EXPECT_EQ(Sim({"sim"}, device_type).exit_code, 0);  // meet a new mouse
    }
    const auto state = sim::StateFromText(mousedeck::test::ReadFile(StatePath(home, device_type)));
    EXPECT_TRUE(state.has_value()) << "no state file for device type " << device_type;
    return state.value_or(sim::MouseState{});
}

void CtlTest::SetMouse(const sim::MouseState& state, int device_type) {
    mousedeck::test::WriteFile(StatePath(home, device_type), sim::StateToText(state));
}

sim::Payload CtlTest::PayloadOf(uint8_t set_code, int device_type) {
    return Mouse(device_type).PayloadOf(set_code);
}

std::vector<Bytes> CtlTest::TakeWrites() {
    std::ifstream in(home / "traffic.log");
    std::vector<Bytes> writes;
    std::string line;
    std::size_t n = 0;
    while (std::getline(in, line)) {
        if (n++ >= log_lines_read_ && line.starts_with("> ")) {
            writes.push_back(ParseHex(line.substr(2)));
        }
    }
    log_lines_read_ = n;
    return writes;
}

std::vector<int> CtlTest::TakeCommands() {
    std::vector<int> codes;
    for (const Bytes& write : TakeWrites()) {
        codes.push_back(write.size() > 1 ? write[1] : -1);
    }
    return codes;
}

}  // namespace mousedeck::ctl::test
