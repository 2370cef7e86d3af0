#include <cstdio>

#include "ctl_fixture.h"

namespace mousedeck::ctl::test {
namespace {

using nlohmann::json;

std::string ReleaseText(uint16_t release) {
    char text[16];
    std::snprintf(text, sizeof text, "%X.%02X", release >> 8, release & 0xFF);
    return text;
}

TEST_F(CtlTest, DevicesListsEveryProductAndTheConnectionsOfTheOneInUse) {
    const sim::SimProduct w1 = ShippedProduct(kW1);
    const json doc = SimJson({"devices"});
    ASSERT_EQ(doc["devices"].size(), 2u);

    const json& in_use = doc["devices"][0];
    EXPECT_EQ(in_use["device_type"], kW1);
    EXPECT_EQ(in_use["name"], w1.name);
    EXPECT_TRUE(in_use["in_use"]);
    ASSERT_EQ(in_use["connections"].size(), 2u);
    const json& cable = in_use["connections"][0];
    const json& receiver = in_use["connections"][1];
    EXPECT_EQ(cable["mode"], "cable");
    EXPECT_EQ(cable["vendor_id"], "1209");
    EXPECT_EQ(cable["product_id"], "0001");
    EXPECT_TRUE(cable["online"]);
    EXPECT_EQ(cable["release"], ReleaseText(w1.firmware));
    EXPECT_EQ(receiver["mode"], "receiver");
    EXPECT_EQ(receiver["release"], ReleaseText(w1.receiver_firmware));
    EXPECT_EQ(in_use["firmware"], ReleaseText(w1.firmware));
    EXPECT_EQ(in_use["battery_percent"], w1.battery[1]);

    const json& other = doc["devices"][1];
    EXPECT_EQ(other["device_type"], kC2);
    EXPECT_FALSE(other["present"]);
    EXPECT_FALSE(other["connections"][0]["present"]);
}

TEST_F(CtlTest, ShowPrintsWhatTheMouseHoldsRatherThanTheProductDefaults) {
    sim::SimProduct product = ShippedProduct(kW1);
    product.factory.report_rate = 0x08;  // 125 Hz; the description says 1000
    product.factory.stage_count = 4;
    product.factory.stage_index = 0;
    product.factory.debounce_ms = 11;
    product.factory.light_effect = 3;  // steady
    SetMouse(sim::MouseState::Factory(product));

    const json doc = SimJson({"show"});
    EXPECT_EQ(doc["device"]["connection"], "cable");
    EXPECT_EQ(doc["profile"]["number"], 1);
    EXPECT_EQ(doc["report_rate"]["hz"], 125);
    EXPECT_EQ(doc["dpi"]["count"], 4);
    EXPECT_EQ(doc["dpi"]["active"], 1);
    EXPECT_EQ(doc["dpi"]["stages"][1]["dpi"], product.factory.stage_dpi[1]);
    EXPECT_EQ(doc["debounce_ms"], 11);
    EXPECT_EQ(doc["lighting"]["effect"], "steady");
    ASSERT_EQ(doc["buttons"].size(), 6u);
    EXPECT_EQ(doc["buttons"][0]["words"], "mouse left");
    EXPECT_TRUE(doc["buttons"][0]["default"]);
}

TEST_F(CtlTest, ShowSpeaksTheInterfaceLanguage) {
    environment["LC_ALL"] = "zh_CN.UTF-8";
    for (const int text : {51, 701, 533}) {
        ASSERT_NE(LanguageText(2052, text), LanguageText(1033, text)) << text;
    }
    const CtlRun run = Sim({"show"});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    for (const int text : {51, 701, 533}) {
        EXPECT_NE(run.out.find(LanguageText(2052, text)), std::string::npos) << text << "\n" << run.out;
    }
}

TEST_F(CtlTest, NoSupportedDeviceEndsEveryDeviceCommandWithExitThree) {
    ASSERT_EQ(Sim({"sim", "cable", "unplug"}).exit_code, 0);
    ASSERT_EQ(Sim({"sim", "receiver", "unplug"}).exit_code, 0);
    const std::string no_mouse = LanguageText(1033, 50);
    const std::vector<Words> commands = {
        {"show"},           {"set", "debounce", "5"},      {"button", "list"}, {"profile", "list"},
        {"reset", "--yes"}, {"lighting", "effect", "off"},
    };
    for (const Words& command : commands) {
        SCOPED_TRACE(command.front());
        const CtlRun run = Sim(command);
        EXPECT_EQ(run.exit_code, 3) << run.out << run.err;
        EXPECT_NE(run.err.find(no_mouse), std::string::npos) << run.err;
    }
    // The catalogue is still listed, every connection absent.
    const json doc = SimJson({"devices"}, 3);
    ASSERT_EQ(doc["devices"].size(), 2u);
    EXPECT_FALSE(doc["devices"][0]["present"]);
    EXPECT_EQ(doc["result"], "no_device");
    EXPECT_TRUE(TakeWrites().empty());  // nothing was there to write to
}

TEST_F(CtlTest, WiredProductWithoutLightingShowsNone) {
    const json doc = SimJson({"show"}, 0, kC2);
    EXPECT_EQ(doc["device"]["device_type"], kC2);
    EXPECT_TRUE(doc["lighting"].is_null());
    EXPECT_FALSE(doc.contains("sensor"));  // the product does not offer the options
    EXPECT_TRUE(doc.contains("lift_off_mm"));
}

}  // namespace
}  // namespace mousedeck::ctl::test
