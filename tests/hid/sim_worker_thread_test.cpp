#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "hid/task_code.h"
#include "hid/task_worker.h"
#include "sim_fixture.h"

namespace mousedeck::hid::test {
namespace {

using namespace std::chrono_literals;

class SimWorkerTest : public SimFixture {
protected:
    void SetUp() override {
        Open();
        worker = std::make_unique<TaskWorker>(manager.get());
        worker->SetNotificationRoutine([this] {
            std::array<uint8_t, 65> buffer{};
            int type = 0;
            manager->ReadNotification(buffer, type);
            std::lock_guard lock(mutex);
            if (buffer[0] != 0) {
                seen.push_back(buffer[0] << 8 | buffer[1]);
            }
        });
        worker->SetRoutine(kTaskSendReportRate, [this] {
            for (int i = 0; i < 5; ++i) {
                CommandFrame frame;
                frame[1] = 0x02;
                frame[3] = 0x01;
                frame[4] = 1;
                frame[5] = 0x02;
                sent += manager->Send(frame, 65) ? 1 : 0;
            }
        });
        worker->SetPolling(true);
        worker->Start();
    }
    void TearDown() override { worker.reset(); }

    std::vector<int> Seen() {
        std::lock_guard lock(mutex);
        return seen;
    }
    void WaitFor(size_t count) {
        for (int i = 0; i < 2000 && Seen().size() < count; ++i) {
            std::this_thread::sleep_for(1ms);
        }
    }

    std::unique_ptr<TaskWorker> worker;
    std::mutex mutex;
    std::vector<int> seen;
    std::atomic<int> sent{0};
};

TEST_F(SimWorkerTest, DpiButtonPressesReachTheNotificationRoutineAroundCommands) {
    const auto first = mouse.PressDpiButton();
    ASSERT_TRUE(first);
    WaitFor(1);
    worker->PushTask(kTaskSendReportRate);
    const auto second = mouse.PressDpiButton();  // likely while the commands run
    ASSERT_TRUE(second);
    WaitFor(2);
    for (int i = 0; i < 2000 && sent.load() < 5; ++i) {
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_EQ(sent.load(), 5) << "no DPI report was taken for an acknowledgement";
    EXPECT_EQ(Seen(), (std::vector<int>{0xC200 | *first, 0xC200 | *second}));
}

}  // namespace
}  // namespace mousedeck::hid::test
