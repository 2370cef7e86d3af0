#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "app_fixture.h"
#include "hid/task_code.h"
#include "store/config_defaults.h"

namespace mousedeck::shell::app::test {
namespace {

namespace key = store::config_key;

struct StageCase {
    uint8_t stage_byte;  // byte 1 of the 0xC2 report: index << 4 | count
    std::string count;   // dpi_count afterwards
    std::string index;   // dpi_index afterwards
    RecordingUserView::Lines shown;  // the DPI calls it makes
};

class DpiNotificationTest : public AppFixture, public ::testing::WithParamInterface<StageCase> {
protected:
    void SetUp() override {
        Plug(kW1, true, false);
        Plug(kC2, false, false);
        Start();
        ASSERT_TRUE(WaitForTask(hid::kTaskFindAndRead, TaskOutcome::kAcknowledged));
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
                      StageCase{0x00, "6", "0", {}}, StageCase{0x0F, "6", "0", {}}, StageCase{0x07, "6", "0", {}},
                      StageCase{0x33, "6", "0", {}}, StageCase{0x66, "6", "0", {}}));

}  // namespace
}  // namespace mousedeck::shell::app::test
