#include "hid/task_worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "hid/task_code.h"
#include "hid_fixture.h"

namespace mousedeck::hid::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// What the routines did, in order, readable from the test thread.
class Journal {
public:
    void Add(std::string entry) {
        {
            std::lock_guard lock(mutex_);
            entries_.push_back(std::move(entry));
        }
        changed_.notify_all();
    }
    // Waits until `count` entries are in; false after two seconds.
    bool WaitFor(size_t count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 2s, [&] { return entries_.size() >= count; });
    }
    std::vector<std::string> Entries() const {
        std::lock_guard lock(mutex_);
        return entries_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> entries_;
};

// A gate a routine waits at until the test opens it.
class Gate {
public:
    void Open() {
        {
            std::lock_guard lock(mutex_);
            open_ = true;
        }
        changed_.notify_all();
    }
    void Pass() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return open_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
};

TEST(TaskWorkerTest, RunsEveryCodeOnceInOrderWithoutMerging) {
    Journal journal;
    TaskWorker worker(nullptr);
    for (int code : {9, 11, 13}) {
        worker.SetRoutine(code, [&journal, code] { journal.Add(std::to_string(code)); });
    }
    // Queued before and after the start: the order is the order of PushTask.
    std::vector<std::string> expected;
    for (int i = 0; i < 10; ++i) {
        worker.PushTask(9);  // a slider dragged over ten positions
        expected.push_back("9");
    }
    ASSERT_TRUE(worker.Start());
    for (int code : {7, 11, 25, 13, 9}) {  // 7 and 25 have no routine
        worker.PushTask(code);
        if (code != 7 && code != 25) {
            expected.push_back(std::to_string(code));
        }
    }
    ASSERT_TRUE(journal.WaitFor(expected.size()));
    EXPECT_EQ(journal.Entries(), expected);
    EXPECT_EQ(worker.QueuedCount(), 0u);
    EXPECT_TRUE(worker.Stop());
}

TEST(TaskWorkerTest, StopWaitsBoundedForALongRoutineAndRunsNothingAfter) {
    Journal journal;
    Gate gate;
    auto worker = std::make_unique<TaskWorker>(nullptr);
    worker->SetRoutine(kTaskUpgradeFirmware, [&] {
        journal.Add("flash started");
        gate.Pass();
        journal.Add("flash finished");
    });
    worker->SetRoutine(kTaskSendReportRate, [&] { journal.Add("report rate"); });
    worker->PushTask(kTaskUpgradeFirmware);
    worker->PushTask(kTaskSendReportRate);
    worker->Start();
    ASSERT_TRUE(journal.WaitFor(1));

    const auto start = Clock::now();
    EXPECT_FALSE(worker->Stop(150ms)) << "the flash still runs";
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, 140ms);
    EXPECT_LT(waited, 1000ms);

    gate.Open();  // the flash was not interrupted and ends on its own
    worker.reset();
    EXPECT_EQ(journal.Entries(), (std::vector<std::string>{"flash started", "flash finished"}));
}

TEST(TaskWorkerTest, IdleStopIsPrompt) {
    TaskWorker worker(nullptr);
    worker.SetPolling(true);
    worker.Start();
    std::this_thread::sleep_for(10ms);
    const auto start = Clock::now();
    EXPECT_TRUE(worker.Stop());
    EXPECT_LT(Clock::now() - start, 100ms);
}

class WorkerWithMouse : public HidFixture {
protected:
    void SetUp() override {
        mouse = &AddWired();
        Opened();
        worker = std::make_unique<TaskWorker>(manager.get());
        worker->SetNotificationRoutine([this] {
            std::array<uint8_t, 65> buffer{};
            int type = 0;
            if (manager->ReadNotification(buffer, type) && buffer[0] != 0) {
                journal.Add("notify " + std::to_string(buffer[1]));
            }
        });
    }
    void TearDown() override { worker.reset(); }

    FakeDevice* mouse = nullptr;
    Journal journal;
    std::unique_ptr<TaskWorker> worker;
};

TEST_F(WorkerWithMouse, NotificationDuringATaskIsHandledAfterIt) {
    worker->SetRoutine(kTaskSendDpiStages, [this] {
        mouse->SetResponder([](const Bytes& w) { return std::vector<Bytes>{{0xC2, 0x23}, Reply(w[1], 0x00)}; });
        CommandFrame frame;
        frame[1] = 0x03;
        journal.Add(manager->Send(frame, 33) ? "sent" : "send failed");
        journal.Add("task done");
    });
    worker->SetPolling(true);
    worker->Start();
    worker->PushTask(kTaskSendDpiStages);
    ASSERT_TRUE(journal.WaitFor(3));
    EXPECT_EQ(journal.Entries(), (std::vector<std::string>{"sent", "task done", "notify 35"}));
}

TEST_F(WorkerWithMouse, IdleWorkerHandlesEachNotificationWhilePollingIsOn) {
    worker->Start();
    mouse->Deliver({0xC2, 0x01});
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(journal.Entries().empty()) << "polling is off";

    worker->SetPolling(true);
    ASSERT_TRUE(journal.WaitFor(1)) << "a report kept while polling was off is read once it is on";
    mouse->Deliver({0xC2, 0x12});
    mouse->Deliver({0xC2, 0x13});
    mouse->Deliver({0xC2, 0x14});
    ASSERT_TRUE(journal.WaitFor(4));
    EXPECT_EQ(journal.Entries(),
              (std::vector<std::string>{"notify 1", "notify 18", "notify 19", "notify 20"}));
}

TEST_F(WorkerWithMouse, TasksQueuedBehindEachOtherPauseTheNotifications) {
    Gate gate;
    worker->SetRoutine(1, [&] {
        gate.Pass();
        journal.Add("task 1");
    });
    worker->SetRoutine(2, [&] { journal.Add("task 2"); });
    worker->SetPolling(true);
    worker->Start();
    worker->PushTask(1);
    worker->PushTask(2);
    mouse->Deliver({0xC2, 0x05});
    std::this_thread::sleep_for(20ms);
    gate.Open();
    ASSERT_TRUE(journal.WaitFor(3));
    EXPECT_EQ(journal.Entries(), (std::vector<std::string>{"task 1", "task 2", "notify 5"}));
}

TEST_F(WorkerWithMouse, VanishedInterfaceRunsTheLostRoutineOnce) {
    worker->SetInterfaceLostRoutine([this] { journal.Add("lost"); });
    worker->SetRoutine(3, [this] {
        CommandFrame frame;
        frame[1] = 0x02;
        journal.Add(manager->Send(frame, 65) ? "sent" : "send failed");
    });
    worker->Start();
    mouse->Unplug();
    ASSERT_TRUE(journal.WaitFor(1));
    worker->PushTask(3);
    ASSERT_TRUE(journal.WaitFor(2));
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(journal.Entries(), (std::vector<std::string>{"lost", "send failed"}));
    EXPECT_EQ(mouse->WriteCount(), 1u) << "only the identity query at enumeration";
}

}  // namespace
}  // namespace mousedeck::hid::test
