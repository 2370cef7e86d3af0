#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app_fixture.h"
#include "hid/task_code.h"
#include "store/config_defaults.h"

namespace mousedeck::shell::app::test {
namespace {

namespace key = store::config_key;

struct StageCase {
    uint8_t stage_byte;              // byte 1 of the 0xC2 report: index << 4 | count
    std::string count;               // dpi_count afterwards
    std::string index;               // dpi_index afterwards
    RecordingUserView::Lines shown;  // the DPI calls it makes
};

class DpiNotificationTest : public AppFixture, public ::testing::WithParamInterface<StageCase> {
protected:
    void SetUp() override {
        StartConnected(kW1);
        // The screen shows six stages with stage 0 active.
        ASSERT_TRUE(Actions().SetDpiStageCount(6));
        ASSERT_TRUE(Actions().SetDpiActiveStage(0));
        Idle();
        TakeWrites(kW1);
        view.Clear();
    }

    // Sends the report over the cable and waits until the worker took it.
    void Notify(uint8_t stage_byte) {
        const std::array<uint8_t, 2> report{0xC2, stage_byte};
        ASSERT_TRUE(Mouse(kW1).InjectInputReport(0, report));
        char trace[64];
        std::snprintf(trace, sizeof trace, "Trace mouse notify data: C2 %02X 00 00 00 00", stage_byte);
        ASSERT_TRUE(view.WaitForLine(trace, ++notified_[stage_byte]));
        Idle();
    }
    RecordingUserView::Lines DpiCalls() { return view.WithPrefix("Dpi"); }

private:
    std::array<int, 256> notified_{};
};

TEST_P(DpiNotificationTest, StoresAndShowsOnceAndSendsNothing) {
    const StageCase& c = GetParam();
    Notify(c.stage_byte);
    EXPECT_EQ(Key(key::kDpiCount), c.count);
    EXPECT_EQ(Key(key::kDpiIndex), c.index);
    EXPECT_EQ(DpiCalls(), c.shown);

    Notify(c.stage_byte);
    EXPECT_EQ(DpiCalls(), c.shown) << "the same report again changes nothing";
    EXPECT_TRUE(TakeWrites(kW1).empty());
}

// The read-back stored the description's stage values: 400, 800, 1600, 3200,
// 6400, 26000.
INSTANTIATE_TEST_SUITE_P(
    StageBytes, DpiNotificationTest,
    ::testing::Values(StageCase{0x23, "3", "2", {"DpiCount 3", "DpiStage 2 1600", "DpiPopup 1600"}},
                      StageCase{0x05, "5", "0", {"DpiCount 5"}},
                      StageCase{0x16, "6", "1", {"DpiStage 1 800", "DpiPopup 800"}},
                      StageCase{0x56, "6", "5", {"DpiStage 5 26000", "DpiPopup 26000"}},
                      // Stage bytes no page can show are ignored.
                      StageCase{0x00, "6", "0", {}}, StageCase{0x0F, "6", "0", {}},
                      StageCase{0x07, "6", "0", {}}, StageCase{0x33, "6", "0", {}},
                      StageCase{0x66, "6", "0", {}}));

// The shipped data with a second wireless product (type 103, receiver
// 1209:0006) that shares W1's description.
struct TwoReceiversFolder {
    TwoReceiversFolder() {
        const auto shipped = mousedeck::test::ExecutableFolder();
        std::filesystem::copy(shipped / "device", folder.path() / "device");
        std::filesystem::copy(shipped / "language", folder.path() / "language");
        std::string config = mousedeck::test::ReadFile(shipped / "config.xml");
        const std::string third =
            R"(<mouse name="Second wireless" device_type="103" device_attr="demo_w1" image="demo_w1.png">)"
            R"(<mode value="1" desc="receiver" vid="1209" pid="0006" dev_id="MDW3" hid_interface="MI_02"/>)"
            "</mouse>\n";
        config.insert(config.find("</device>"), third);
        mousedeck::test::WriteFile(folder.path() / "config.xml", config);
    }
    mousedeck::test::TempDir folder;
};

class TwoReceiversTest : private TwoReceiversFolder, public AppFixture {
protected:
    TwoReceiversTest() : AppFixture(folder.path()) {}
};

// While the current product's mouse is off behind its receiver, every
// receiver is listened to; a stage change of another product's mouse must
// not land in the current product's profile.
TEST_F(TwoReceiversTest, AnotherProductsDpiReportIsNotStored) {
    constexpr int kThird = 103;
    Plug(kW1, false, true);
    Plug(kC2, false, false);
    Mouse(kW1).SetMousePower(false);
    Start();
    ASSERT_TRUE(WaitForTask(hid::kTaskFindAndRead, TaskOutcome::kNotAcknowledged));
    Idle();
    ASSERT_EQ(controller->CurrentDeviceType(), kW1);
    const std::string index = Key(key::kDpiIndex);
    view.Clear();

    const auto stage = Mouse(kThird).PressDpiButton();
    ASSERT_TRUE(stage.has_value());
    ASSERT_TRUE(view.WaitFor([](const RecordingUserView::Lines& calls) {
        return std::ranges::any_of(
            calls, [](const auto& line) { return line.starts_with("Trace mouse notify data: C2"); });
    }));
    Idle();
    EXPECT_EQ(Key(key::kDpiIndex), index);
    EXPECT_EQ(view.CountPrefix("DpiStage "), 0);
    EXPECT_EQ(view.CountPrefix("Trace DPI notification of device type 103"), 1);
}

}  // namespace
}  // namespace mousedeck::shell::app::test
