#include <gtest/gtest.h>

#include <vector>

#include "devices/device_catalogue.h"
#include "sim/catalogue/shipped_products.h"
#include "sim/command_handler.h"
#include "sim_test_support.h"
#include "support/temp_home.h"

namespace mousedeck::sim::test {
namespace {

using Bytes = std::vector<uint8_t>;

devices::CatalogueMode Mode(int type, int value, uint32_t vid, uint32_t pid, const char* dev_id) {
    devices::CatalogueMode mode;
    mode.device_type = type;
    mode.value = value;
    mode.vendor_id = vid;
    mode.product_id = pid;
    mode.dev_id = dev_id;
    return mode;
}

devices::CatalogueMouse Mouse(int type, const char* name) {
    devices::CatalogueMouse mouse;
    mouse.device_type = type;
    mouse.name = name;
    return mouse;
}

TEST(SimShippedProductsTest, CatalogueModesBecomeProducts) {
    devices::DeviceCatalogue catalogue;
    catalogue.AddMouse(Mouse(201, "both"));
    catalogue.AddMouse(Mouse(202, "short id"));
    catalogue.AddMouse(Mouse(203, "ids too wide"));
    catalogue.AddMouse(Mouse(201, "same type again"));
    catalogue.AddMode(Mode(201, 0, 0x1209, 0x0010, "ABCD"));
    catalogue.AddMode(Mode(201, 1, 0x1209, 0x0011, "ABCD"));
    catalogue.AddMode(Mode(201, 1, 0x1209, 0x0099, "ABCD"));  // a second receiver mode is not used
    catalogue.AddMode(Mode(202, 0, 0x1209, 0x0012, "XY"));
    catalogue.AddMode(Mode(203, 0, 0x11209, 0x0013, "WIDE"));

    const auto products = ProductsOfCatalogue(catalogue);
    ASSERT_EQ(products.size(), 2u);
    EXPECT_EQ(products[0].name, "both");
    EXPECT_EQ(products[0].device_id, "ABCD");
    ASSERT_EQ(products[0].modes.size(), 2u);
    EXPECT_EQ(products[0].ModeOf(1)->product_id, 0x0011);
    EXPECT_EQ(products[1].device_type, 202);
    EXPECT_EQ(products[1].device_id, "XY00");
}

TEST(SimShippedProductsTest, ShippedDemoMouseAnswersItsDescriptionDefaults) {
    const auto products = LoadShippedProducts(mousedeck::test::ExecutableFolder().string());
    ASSERT_GE(products.size(), 2u);
    const SimProduct& w1 = products[0];
    EXPECT_EQ(w1.device_type, 101);
    EXPECT_EQ(w1.device_id, "MDW1");
    ASSERT_NE(w1.ModeOf(0), nullptr);
    ASSERT_NE(w1.ModeOf(1), nullptr);
    EXPECT_EQ(w1.ModeOf(0)->vendor_id, 0x1209);
    EXPECT_EQ(w1.ModeOf(1)->product_id, 0x0002);

    SimFixture sim(w1);
    ASSERT_NE(sim.wired, nullptr);
    const Bytes identity = Exchange(*sim.wired, ReadFrame(0x10));
    ASSERT_EQ(identity.size(), 64u);
    EXPECT_EQ(Bytes(identity.begin() + 4, identity.begin() + 8), (Bytes{'M', 'D', 'W', '1'}));
    // Stage 2 of 6 active; 400 DPI is code 7 for the generic sensor (v / 50 - 1).
    const Bytes stages = Exchange(*sim.wired, ReadFrame(0x13));
    ASSERT_EQ(stages.size(), 64u);
    EXPECT_EQ(Bytes(stages.begin() + 4, stages.begin() + 9), (Bytes{0x26, 0x07, 0x00, 0x07, 0x00}));
    // Stage 1 colour #FF0000: red, green, blue.
    const Bytes colours = Exchange(*sim.wired, ReadFrame(0x14));
    ASSERT_EQ(colours.size(), 64u);
    EXPECT_EQ(Bytes(colours.begin() + 4, colours.begin() + 7), (Bytes{0xFF, 0x00, 0x00}));
    // Sleep 60 (10 minutes), wake on move, lights off on move.
    const Bytes power = Exchange(*sim.wired, ReadFrame(0x17));
    ASSERT_EQ(power.size(), 64u);
    EXPECT_EQ(Bytes(power.begin() + 4, power.begin() + 7), (Bytes{60, 1, 1}));
}

TEST(SimShippedProductsTest, MissingFolderGivesNothing) {
    mousedeck::test::TempDir dir;
    EXPECT_TRUE(LoadShippedProducts(dir.path().string()).empty());
}

}  // namespace
}  // namespace mousedeck::sim::test
