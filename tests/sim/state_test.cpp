#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "sim/command_handler.h"
#include "sim/state_text.h"
#include "sim_test_support.h"
#include "support/temp_home.h"

namespace mousedeck::sim::test {
namespace {

using Bytes = std::vector<uint8_t>;
using mousedeck::test::ReadFile;
using mousedeck::test::TempDir;
using mousedeck::test::WriteFile;

SimOptions WithStateFile(const std::string& path) {
    SimOptions options = QuietOptions();
    options.state_path = path;
    return options;
}

TEST(SimStateTest, SecondMouseOnTheSameFileMeetsWhatTheFirstLeft) {
    TempDir dir;
    const std::string path = (dir / "mouse.state").string();
    MouseState left;
    {
        SimFixture first(DefaultProduct(), WithStateFile(path));
        ASSERT_EQ(StatusOf(Exchange(*first.wired, Frame(0x02, {0x08}))), kStatusOk);
        ASSERT_EQ(StatusOf(Exchange(*first.wired, Frame(0x08, {0x03, 0x30, 0x01, 0x00, 0x04}))), kStatusOk);
        first.mouse.PressDpiButton();
        first.mouse.SetBattery(0x01, 0x33);
        first.mouse.PlugCable(false);
        first.mouse.SetMousePower(false);
        left = first.mouse.State();
    }
    SimulatedMouse second(DefaultProduct(), WithStateFile(path));
    EXPECT_EQ(second.State(), left);
    EXPECT_FALSE(second.State().cable_plugged);
    SimulatedHidBackend backend(second);
    EXPECT_EQ(backend.Enumerate(0, 0).size(), 4u);  // only the receiver
}

TEST(SimStateTest, EnvironmentNamesTheStateFile) {
    TempDir dir;
    const std::string path = (dir / "env.state").string();
    setenv("MOUSEDECK_SIM_STATE", path.c_str(), 1);
    {
        SimulatedMouse mouse;
        mouse.SetBattery(0x00, 0x07);
    }
    unsetenv("MOUSEDECK_SIM_STATE");
    EXPECT_NE(ReadFile(path).find("battery 00 07\n"), std::string::npos);
    SimulatedMouse again(DefaultProduct(), WithStateFile(path));
    EXPECT_EQ(again.State().battery, (std::array<uint8_t, 2>{0x00, 0x07}));
}

TEST(SimStateTest, UnusableFileGivesAFactoryMouseAndIsReplaced) {
    TempDir dir;
    const MouseState factory = MouseState::Factory(DefaultProduct());
    SimProduct other = DefaultProduct();
    other.device_id = "ZZ99";
    MouseState foreign = MouseState::Factory(other);
    foreign.battery = {9, 9};
    const std::vector<std::pair<const char*, std::string>> files = {
        {"empty", ""},
        {"no header", "battery 00 64\n"},
        {"bad byte", StateToText(factory) + "battery 00 6G\n"},
        {"cut payload", StateToText(factory) + "payload 02 01 00\n"},
        {"other product", StateToText(foreign)},
    };
    for (const auto& [name, text] : files) {
        SCOPED_TRACE(name);
        const std::string path = (dir / name).string();
        WriteFile(path, text);
        SimulatedMouse mouse(DefaultProduct(), WithStateFile(path));
        EXPECT_EQ(mouse.State(), factory);
        EXPECT_EQ(ReadFile(path), StateToText(factory));
    }
}

TEST(SimStateTest, TextRoundTripKeepsEveryField) {
    MouseState state = MouseState::Factory(DefaultProduct());
    state.macros[3] = {0x30, 0x01, 0x00, 0x04};
    state.macros[7] = {};
    state.payloads[0x02][26] = 0xAB;
    state.firmware = 0x1234;
    state.receiver_firmware = 0x0007;
    state.cable_plugged = false;
    state.mouse_on = false;
    state.device_id = "M\xC3\xA9X";  // bytes beyond ASCII survive
    const auto back = StateFromText(StateToText(state));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, state);
    EXPECT_TRUE(StateFromText("mousedeck-sim-state 1\nfuture_field 1 2 3\n"));
    EXPECT_FALSE(StateFromText("mousedeck-sim-state 1\ncable 2\n"));
    EXPECT_FALSE(StateFromText("mousedeck-sim-state 1\nfirmware 12345\n"));
}

TEST(SimStateTest, TwoLiveMiceOnOneFileFollowEachOther) {
    TempDir dir;
    const std::string path = (dir / "shared.state").string();
    SimFixture here(DefaultProduct(), WithStateFile(path));
    SimulatedMouse there(DefaultProduct(), WithStateFile(path));
    std::vector<PlugEvent::Kind> events;
    here.mouse.AddPlugListener([&](const PlugEvent& e) { events.push_back(e.kind); });

    there.PlugCable(false);
    EXPECT_EQ(here.backend.Enumerate(0, 0).size(), 4u);
    EXPECT_EQ(events, std::vector<PlugEvent::Kind>(4, PlugEvent::Kind::kRemoval));
    EXPECT_EQ(here.wired->Write(ReadFrame(0x10)), -1);

    auto receiver = here.OpenCommand(1);
    ASSERT_NE(receiver, nullptr);
    ASSERT_EQ(StatusOf(Exchange(*receiver, Frame(0x02, {0x04}))), kStatusOk);
    EXPECT_EQ(there.State().PayloadOf(0x02)[0], 0x04);
}

TEST(SimStateTest, WithoutAStateFileNothingIsWritten) {
    TempDir dir;
    SimFixture sim;
    ASSERT_EQ(StatusOf(Exchange(*sim.wired, Frame(0x02, {0x04}))), kStatusOk);
    EXPECT_TRUE(sim.mouse.StateSaved());
    SimulatedMouse fresh(DefaultProduct(), QuietOptions());
    EXPECT_EQ(fresh.State().PayloadOf(0x02)[0], 0x01);
}

}  // namespace
}  // namespace mousedeck::sim::test
