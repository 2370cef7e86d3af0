#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "devices/catalogue_loader.h"
#include "devices/catalogue_view.h"
#include "devices/device_catalogue.h"
#include "devices/product_paths.h"
#include "shipped_data.h"

namespace mousedeck::test {
namespace {

// The open-source test vendor id and the product ids it lends to us.
constexpr uint32_t kVendorId = 0x1209;
constexpr uint32_t kFirstProductId = 0x0001;
constexpr uint32_t kLastProductId = 0x000F;

constexpr int kWired = 0;
constexpr int kDongle = 1;

class CardRecorder : public devices::CatalogueView {
public:
    void ClearDeviceCards() override { cards.clear(); }
    void AddDeviceCard(const std::string& name, int device_type, const std::string&) override {
        cards.emplace_back(name, device_type);
    }
    void ShowTitleCaption(const std::string& text) override { caption = text; }

    std::vector<std::pair<std::string, int>> cards;
    std::string caption;
};

class ShippedCatalogue : public ::testing::Test {
protected:
    void SetUp() override {
        const devices::TextLookup version_word = [](int number) {
            return number == devices::kVersionTitleText ? std::string("Version") : std::string();
        };
        ASSERT_TRUE(devices::LoadCatalogue(ShippedFolders(), version_word, catalogue_, view_));
    }

    devices::DeviceCatalogue catalogue_;
    CardRecorder view_;
};

// Read back exactly as written, "0x" prefixes or not: a typo in an id or an
// element out of order (the reader only searches forward) shows up here.
TEST_F(ShippedCatalogue, ReadsTheProductsAsWritten) {
    struct Mode {
        std::string attr;
        int value;
        uint32_t vid;
        uint32_t pid;
        std::string dev_id;
    };
    const std::vector<Mode> expected = {
        {"demo_w1", kWired, 0x1209, 0x0001, "MDW1"},
        {"demo_w1", kDongle, 0x1209, 0x0002, "MDW1"},
        {"demo_c2", kWired, 0x1209, 0x0003, "MDC2"},
    };
    ASSERT_EQ(catalogue_.Modes().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const devices::CatalogueMode& mode = catalogue_.Modes()[i];
        EXPECT_EQ(std::tie(mode.device_attr, mode.value, mode.vendor_id, mode.product_id, mode.dev_id),
                  std::tie(expected[i].attr, expected[i].value, expected[i].vid, expected[i].pid,
                           expected[i].dev_id))
            << "mode " << i;
    }
    ASSERT_EQ(catalogue_.Mice().size(), 2u);
    EXPECT_EQ(catalogue_.Mice()[0].device_type, 101);
    EXPECT_EQ(catalogue_.Mice()[1].device_type, 102);
    EXPECT_EQ(catalogue_.MatchRules().size(), expected.size());
    EXPECT_EQ(view_.cards.size(), catalogue_.Mice().size());
}

// The first product is the wireless one: a cable mode and a receiver mode.
TEST_F(ShippedCatalogue, FirstProductHasCableAndReceiverModes) {
    ASSERT_FALSE(catalogue_.Mice().empty());
    const std::string& first = catalogue_.Mice().front().device_attr;
    std::set<int> modes;
    for (const devices::CatalogueMode& mode : catalogue_.Modes()) {
        if (mode.device_attr == first) {
            modes.insert(mode.value);
        }
    }
    EXPECT_EQ(modes, (std::set<int>{kWired, kDongle}));
}

TEST_F(ShippedCatalogue, IdentifiersAreInRangeAndUnique) {
    std::set<std::tuple<int, uint32_t, uint32_t>> ids;
    std::set<std::tuple<uint32_t, uint32_t, std::string>> identities;
    for (const devices::CatalogueMode& mode : catalogue_.Modes()) {
        SCOPED_TRACE(mode.name + " mode " + std::to_string(mode.value));
        EXPECT_TRUE(mode.value == kWired || mode.value == kDongle);
        EXPECT_EQ(mode.vendor_id, kVendorId);
        EXPECT_GE(mode.product_id, kFirstProductId);
        EXPECT_LE(mode.product_id, kLastProductId);
        EXPECT_TRUE(ids.emplace(mode.value, mode.vendor_id, mode.product_id).second)
            << "vendor/product id pair used twice in one connection mode";
        // A shorter id would accept any mouse and resolve it to the default type.
        EXPECT_EQ(mode.dev_id.size(), 4u);
        EXPECT_TRUE(std::all_of(mode.dev_id.begin(), mode.dev_id.end(),
                                [](unsigned char c) { return std::isalnum(c) != 0; }));
        // A found mouse is told by these three: a second mode with the same
        // three is never reached.
        EXPECT_TRUE(identities.emplace(mode.vendor_id, mode.product_id, mode.dev_id).second)
            << "two modes share vendor, product and device id";
    }
}

TEST_F(ShippedCatalogue, EveryProductHasADistinctTypeAndADescriptionFile) {
    std::set<int> types;
    std::set<std::string> attrs;
    for (const devices::CatalogueMouse& mouse : catalogue_.Mice()) {
        SCOPED_TRACE(mouse.name);
        EXPECT_FALSE(mouse.name.empty());
        EXPECT_GE(mouse.device_type, 101);
        EXPECT_TRUE(types.insert(mouse.device_type).second) << "device type used twice";
        EXPECT_TRUE(attrs.insert(mouse.device_attr).second) << "device_attr used twice";
        // The attr names a file and a database: keep it a plain file name.
        EXPECT_FALSE(mouse.device_attr.empty());
        EXPECT_TRUE(std::all_of(mouse.device_attr.begin(), mouse.device_attr.end(), [](unsigned char c) {
            return std::islower(c) != 0 || std::isdigit(c) != 0 || c == '_';
        }));
        EXPECT_TRUE(std::filesystem::is_regular_file(
            devices::DescriptionPath(ShippedFolders().application, mouse.device_attr)));
        EXPECT_NE(mouse.image_path.find("/device/"), std::string::npos);
        EXPECT_TRUE(std::any_of(
            catalogue_.Modes().begin(), catalogue_.Modes().end(),
            [&](const devices::CatalogueMode& mode) { return mode.device_attr == mouse.device_attr; }))
            << "product without a connection mode can never be found";
    }
    // The saved type is 101 at every start: the default product must exist.
    EXPECT_TRUE(types.contains(101));
}

// Update checks append "version" to the application address directly and
// "/mouse/version" to the firmware address, so the first must end in "/".
TEST_F(ShippedCatalogue, SoftwareNamesTheProductLineAndLocalAddresses) {
    const devices::SoftwareInfo& software = catalogue_.Software();
    ASSERT_TRUE(software.present);
    EXPECT_EQ(software.caption, "Mousedeck Demo");
    EXPECT_EQ(view_.caption, "Version: v" + software.version);
    const auto dotted = [](const std::string& text) {
        return !text.empty() && std::isdigit(static_cast<unsigned char>(text.front())) &&
               std::isdigit(static_cast<unsigned char>(text.back())) &&
               std::all_of(text.begin(), text.end(),
                           [](unsigned char c) { return std::isdigit(c) != 0 || c == '.'; }) &&
               text.find("..") == std::string::npos;
    };
    EXPECT_TRUE(dotted(software.version)) << software.version;
    for (const std::string* url : {&software.website_url, &software.feedback_url, &software.qa_url,
                                   &software.store_url, &software.upgrade_url}) {
        EXPECT_TRUE(url->starts_with("http://127.0.0.1:")) << *url;
    }
    EXPECT_TRUE(software.upgrade_url.ends_with("/")) << software.upgrade_url;
    EXPECT_FALSE(software.copyright.empty());
}

}  // namespace
}  // namespace mousedeck::test
