#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "devices/catalogue_view.h"
#include "devices/colour_text.h"
#include "devices/description_loader.h"
#include "devices/device_defaults.h"
#include "devices/product_paths.h"
#include "shell/lenient_number.h"
#include "shipped_data.h"

namespace mousedeck::test {
namespace {

using devices::DescriptionButton;
using devices::DeviceDescription;

class ShownParts : public devices::CatalogueView {
public:
    void ShowMousePicture(const std::string&) override { ++picture; }
    void ShowLightingTab(bool) override { ++lighting_tab; }
    void ShowPageOptions(const devices::PageOptions&) override { ++options; }
    void ShowButtons(const std::vector<DescriptionButton>&) override { ++buttons; }

    int picture = 0;
    int lighting_tab = 0;
    int options = 0;
    int buttons = 0;
};

// The opposite of a fresh description in every field the file sets, so a
// field the file fails to set (element missing or out of order) differs.
DeviceDescription Flipped() {
    DeviceDescription description;
    description.mouse_picture = "stale.png";
    description.lighting = false;
    description.options = {false, false, false, false};
    description.buttons = {DescriptionButton{.name = 1, .key_value = 99}};
    description.light_effects.fill(true);
    return description;
}

class ShippedDescriptions : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue_ = LoadShippedCatalogue();
        ASSERT_FALSE(catalogue_.Mice().empty());
    }

    // Reads the product's description into `description`.
    devices::DescriptionLoad Load(int device_type, DeviceDescription& description, ShownParts& shown) const {
        return devices::LoadDeviceDescription(catalogue_, device_type, ShippedFolders(), description, shown);
    }

    devices::DeviceCatalogue catalogue_;
};

TEST_F(ShippedDescriptions, EveryElementIsFoundInReadingOrder) {
    for (const devices::CatalogueMouse& mouse : catalogue_.Mice()) {
        SCOPED_TRACE(mouse.device_attr);
        DeviceDescription fresh;
        DeviceDescription flipped = Flipped();
        ShownParts shown;
        ShownParts ignored;
        ASSERT_TRUE(Load(mouse.device_type, fresh, shown).read);
        ASSERT_TRUE(Load(mouse.device_type, flipped, ignored).read);
        EXPECT_EQ((std::array{shown.picture, shown.lighting_tab, shown.options, shown.buttons}),
                  (std::array{1, 1, 1, 1}));
        EXPECT_EQ(fresh.mouse_picture, flipped.mouse_picture);
        EXPECT_EQ(fresh.lighting, flipped.lighting);
        EXPECT_EQ(fresh.options, flipped.options);
        EXPECT_EQ(fresh.buttons, flipped.buttons);
        EXPECT_EQ(fresh.light_effects, flipped.light_effects) << "light_info or a light_n is not read";
        EXPECT_TRUE(fresh.firmware_url.starts_with("http://127.0.0.1:")) << fresh.firmware_url;
        // The firmware check appends "/mouse/version" itself.
        EXPECT_FALSE(fresh.firmware_url.ends_with("/"));
        EXPECT_TRUE(fresh.mouse_picture.ends_with(".png")) << fresh.mouse_picture;

        const auto defaults = devices::LoadDeviceDefaults(
            devices::DescriptionPath(ShippedFolders().application, mouse.device_attr));
        ASSERT_TRUE(defaults.has_value());
        ASSERT_TRUE(defaults->dpi.has_value());
        for (std::size_t stage = 0; stage < defaults->dpi->stages.size(); ++stage) {
            EXPECT_TRUE(defaults->dpi->stages[stage].has_value()) << "dpi_" << stage + 1;
        }
        EXPECT_TRUE(defaults->report_rate && defaults->sleep_light && defaults->move_wakeup &&
                    defaults->move_closelight && defaults->lod)
            << "a mouse_info default after dpi_info is missing or out of order";
    }
}

TEST_F(ShippedDescriptions, FirstProductOffersEveryEffectAndAnotherHasNoLighting) {
    bool some_without_lighting = false;
    for (std::size_t i = 0; i < catalogue_.Mice().size(); ++i) {
        SCOPED_TRACE(catalogue_.Mice()[i].device_attr);
        DeviceDescription description;
        ShownParts shown;
        ASSERT_TRUE(Load(catalogue_.Mice()[i].device_type, description, shown).read);
        const bool any_effect = std::find(description.light_effects.begin(), description.light_effects.end(),
                                          true) != description.light_effects.end();
        EXPECT_EQ(any_effect, description.lighting)
            << "effects offered without the lighting page, or the reverse";
        if (i == 0) {
            EXPECT_TRUE(description.lighting);
            EXPECT_EQ(description.light_effects, (std::array<bool, 6>{true, true, true, true, true, true}));
        }
        some_without_lighting = some_without_lighting || !description.lighting;
    }
    EXPECT_TRUE(some_without_lighting);
}

// The text each default function shows on the button page once a binding is
// reset; the description file must name the same text.
int DisplayedText(int family, int value) {
    static const std::map<std::pair<int, int>, int> kTexts = {
        {{1, 1}, 106}, {{1, 2}, 108}, {{1, 3}, 107}, {{1, 4}, 180},  {{1, 5}, 109}, {{1, 6}, 110},
        {{1, 7}, 112}, {{1, 8}, 113}, {{1, 9}, 114}, {{1, 10}, 115}, {{5, 3}, 142}, {{9, 1}, 139},
    };
    const auto found = kTexts.find({family, value});
    return found == kTexts.end() ? 0 : found->second;
}

TEST_F(ShippedDescriptions, ButtonsCarryUsableDefaults) {
    // Button functions travel in one frame that holds the slots of key codes 0 to 8.
    constexpr int kLastSentKey = 8;
    for (const devices::CatalogueMouse& mouse : catalogue_.Mice()) {
        SCOPED_TRACE(mouse.device_attr);
        DeviceDescription description;
        ShownParts shown;
        ASSERT_TRUE(Load(mouse.device_type, description, shown).read);
        ASSERT_FALSE(description.buttons.empty());
        // The page keeps key 0 a left click; the file must agree.
        EXPECT_EQ(description.buttons.front().key_value, 0);
        EXPECT_EQ(std::pair(description.buttons.front().func_type, description.buttons.front().func_value),
                  std::pair(1, 1));
        std::set<int> keys;
        for (const DescriptionButton& button : description.buttons) {
            SCOPED_TRACE("key " + std::to_string(button.key_value));
            EXPECT_TRUE(keys.insert(button.key_value).second) << "key value used twice";
            EXPECT_GE(button.key_value, 0);
            EXPECT_LE(button.key_value, kLastSentKey);
            EXPECT_TRUE(button.direction == 0 || button.direction == 1);
            // A rect without its two "#" reads as x1 = x2 = 0: no label line.
            EXPECT_NE(button.x1, button.x2);
            EXPECT_GT(button.y, 0);
            EXPECT_GT(button.name, 0);
            EXPECT_TRUE(EveryLanguageHasText(button.name)) << "name text " << button.name;
            const int shown_text = DisplayedText(button.func_type, button.func_value);
            EXPECT_NE(shown_text, 0) << "default function " << button.func_type << "/" << button.func_value
                                     << " has no known text";
            EXPECT_EQ(button.description, shown_text);
            EXPECT_TRUE(EveryLanguageHasText(button.description))
                << "description text " << button.description;
        }
    }
}

bool IsPlainNumber(const std::string& text) {
    return !text.empty() && std::to_string(shell::ParseLenientInt(text)) == text;
}

bool IsColourText(const std::string& text) {
    return text.size() == 7 && text.front() == '#' &&
           std::all_of(text.begin() + 1, text.end(), [](unsigned char c) { return std::isxdigit(c) != 0; });
}

// Defaults are copied into a new profile as written, without range checks,
// so they must already be what the pages and the mouse accept.
TEST_F(ShippedDescriptions, PerformanceDefaultsAreValidSettings) {
    // Bounds the read-back sets before the sensor's own row (50 to 26000).
    constexpr int kLowestDpi = 50;
    constexpr int kHighestDpi = 26000;
    const std::set<int> report_rate_codes = {8, 4, 2, 1, 0x10, 0x20, 0x40};
    const std::set<int> sleep_times = {6, 12, 30, 36, 60, 120, 180};  // the sleep list, units of 10 s
    for (const devices::CatalogueMouse& mouse : catalogue_.Mice()) {
        SCOPED_TRACE(mouse.device_attr);
        const auto defaults = devices::LoadDeviceDefaults(
            devices::DescriptionPath(ShippedFolders().application, mouse.device_attr));
        ASSERT_TRUE(defaults && defaults->dpi && defaults->report_rate && defaults->sleep_light &&
                    defaults->move_wakeup && defaults->move_closelight && defaults->lod);
        const devices::DpiDefaults& dpi = *defaults->dpi;
        ASSERT_TRUE(IsPlainNumber(dpi.dpi_count) && IsPlainNumber(dpi.default_dpi));
        const int count = shell::ParseLenientInt(dpi.dpi_count);
        EXPECT_GE(count, 1);
        EXPECT_LE(count, 6);
        EXPECT_GE(shell::ParseLenientInt(dpi.default_dpi), 0);
        EXPECT_LT(shell::ParseLenientInt(dpi.default_dpi), count) << "active stage beyond the stage count";

        int previous = 0;
        std::set<uint32_t> colours;
        for (std::size_t i = 0; i < dpi.stages.size(); ++i) {
            SCOPED_TRACE("dpi_" + std::to_string(i + 1));
            ASSERT_TRUE(dpi.stages[i].has_value());
            const devices::DpiStageDefault& stage = *dpi.stages[i];
            ASSERT_TRUE(IsPlainNumber(stage.value)) << "'" << stage.value << "'";
            const int value = shell::ParseLenientInt(stage.value);
            EXPECT_GE(value, kLowestDpi);
            EXPECT_LE(value, kHighestDpi);
            // Steps of 50 survive the DPI code and its read-back unchanged.
            EXPECT_EQ(value % 50, 0);
            EXPECT_GT(value, previous) << "stages should rise";
            previous = value;
            EXPECT_TRUE(IsColourText(stage.color)) << "'" << stage.color << "'";
            const uint32_t colour = devices::ParseColourText(stage.color);
            // Black is what the colour dialog answers when cancelled.
            EXPECT_NE(colour, 0u);
            EXPECT_TRUE(colours.insert(colour).second) << "two stages share a colour";
        }

        for (const std::string* text :
             {&*defaults->report_rate, &*defaults->sleep_light, &*defaults->move_wakeup,
              &*defaults->move_closelight, &*defaults->lod}) {
            EXPECT_TRUE(IsPlainNumber(*text)) << "'" << *text << "'";
        }
        EXPECT_TRUE(report_rate_codes.contains(shell::ParseLenientInt(*defaults->report_rate)));
        EXPECT_TRUE(sleep_times.contains(shell::ParseLenientInt(*defaults->sleep_light)));
        const int wakeup = shell::ParseLenientInt(*defaults->move_wakeup);
        const int closelight = shell::ParseLenientInt(*defaults->move_closelight);
        const int lod = shell::ParseLenientInt(*defaults->lod);
        EXPECT_TRUE(wakeup == 0 || wakeup == 1);
        EXPECT_TRUE(closelight == 0 || closelight == 1);
        EXPECT_TRUE(lod == 1 || lod == 2);
    }
}

}  // namespace
}  // namespace mousedeck::test
