#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "devices/catalogue_loader.h"
#include "devices/colour_text.h"
#include "devices/description_loader.h"
#include "devices/device_defaults.h"
#include "devices/product_paths.h"
#include "devices/recording_catalogue_view.h"
#include "shell/lenient_number.h"
#include "support/temp_home.h"

// The product data shipped in data/, as the build copies it beside the tests,
// loaded through the real readers.
namespace mousedeck::devices {
namespace {

using shell::ParseLenientInt;

class ShippedDataTest : public ::testing::Test {
protected:
    ProductFolders folders{test::ExecutableFolder().string(), "skin"};
    RecordingCatalogueView view;
    DeviceCatalogue catalogue;

    void SetUp() override {
        ASSERT_TRUE(LoadCatalogue(folders, {}, catalogue, view))
            << "config.xml beside " << folders.application;
        ASSERT_FALSE(catalogue.Mice().empty());
    }
};

TEST_F(ShippedDataTest, CatalogueIdentifiesEveryProductUniquely) {
    EXPECT_FALSE(catalogue.Software().caption.empty());
    EXPECT_FALSE(catalogue.Software().version.empty());

    std::set<int> types;
    std::set<std::string> attrs;
    for (const CatalogueMouse& mouse : catalogue.Mice()) {
        SCOPED_TRACE(mouse.name);
        EXPECT_FALSE(mouse.name.empty());
        EXPECT_TRUE(types.insert(mouse.device_type).second) << "duplicate device type " << mouse.device_type;
        EXPECT_FALSE(mouse.device_attr.empty());
        EXPECT_TRUE(attrs.insert(mouse.device_attr).second) << "duplicate attr " << mouse.device_attr;
    }
    std::set<std::tuple<uint32_t, uint32_t, std::string>> identities;
    for (const CatalogueMode& mode : catalogue.Modes()) {
        SCOPED_TRACE(mode.name + " mode " + std::to_string(mode.value));
        EXPECT_TRUE(mode.value == 0 || mode.value == 1);
        EXPECT_GT(mode.vendor_id, 0u);
        EXPECT_LE(mode.vendor_id, 0xFFFFu);
        EXPECT_GT(mode.product_id, 0u);
        EXPECT_LE(mode.product_id, 0xFFFFu);
        EXPECT_EQ(mode.dev_id.size(), 4u);
        EXPECT_TRUE(identities.insert({mode.vendor_id, mode.product_id, mode.dev_id}).second)
            << "two modes share vendor, product and device id";
    }
    EXPECT_EQ(catalogue.MatchRules().size(), catalogue.Modes().size());
}

TEST_F(ShippedDataTest, EveryProductHasAReadableDescriptionWithSaneDefaults) {
    static const std::set<int> kReportRateCodes = {1, 2, 4, 8, 0x10, 0x20, 0x40};
    for (const CatalogueMouse& mouse : catalogue.Mice()) {
        SCOPED_TRACE(mouse.device_attr);
        DeviceDescription description;
        const DescriptionLoad load =
            LoadDeviceDescription(catalogue, mouse.device_type, folders, description, view);
        ASSERT_TRUE(load.read);
        EXPECT_FALSE(description.mouse_picture.empty());
        ASSERT_FALSE(description.buttons.empty());
        std::set<int> keys;
        for (const DescriptionButton& button : description.buttons) {
            EXPECT_TRUE(keys.insert(button.key_value).second) << "duplicate key_value " << button.key_value;
            EXPECT_GT(button.name, 0);
        }

        const auto defaults = LoadDeviceDefaults(DescriptionPath(folders.application, mouse.device_attr));
        ASSERT_TRUE(defaults.has_value());
        ASSERT_TRUE(defaults->dpi.has_value());
        const int count = ParseLenientInt(defaults->dpi->dpi_count);
        EXPECT_GE(count, 1);
        EXPECT_LE(count, 6);
        const int active = ParseLenientInt(defaults->dpi->default_dpi);
        EXPECT_GE(active, 0);
        EXPECT_LT(active, count);
        for (const auto& stage : defaults->dpi->stages) {
            ASSERT_TRUE(stage.has_value());
            EXPECT_GT(ParseLenientInt(stage->value), 0);
            EXPECT_EQ(stage->color.size(), 7u) << stage->color;
            EXPECT_EQ(stage->color[0], '#');
        }
        ASSERT_TRUE(defaults->report_rate.has_value());
        EXPECT_EQ(kReportRateCodes.count(ParseLenientInt(*defaults->report_rate)), 1u)
            << *defaults->report_rate;
        ASSERT_TRUE(defaults->lod.has_value());
        EXPECT_TRUE(*defaults->lod == "1" || *defaults->lod == "2");
        EXPECT_TRUE(defaults->sleep_light.has_value());
        EXPECT_TRUE(defaults->move_wakeup.has_value());
        EXPECT_TRUE(defaults->move_closelight.has_value());
    }
}

}  // namespace
}  // namespace mousedeck::devices
