#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "shell/app/task_runner.h"

namespace mousedeck::shell::app::test {
namespace {

using std::chrono::milliseconds;

// A routine that holds the worker until released.
class Gate {
public:
    void Wait() {
        std::unique_lock lock(mutex_);
        entered_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
    }
    void WaitEntered() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return entered_; });
    }
    void Open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool entered_ = false;
    bool open_ = false;
};

class TaskRunnerTest : public ::testing::Test {
protected:
    void Record(int code) {
        runner.SetRoutine(code, [this, code] {
            std::lock_guard lock(mutex);
            ran.push_back(code);
        });
    }
    std::vector<int> Ran() {
        std::lock_guard lock(mutex);
        return ran;
    }

    TaskRunner runner{nullptr};
    std::mutex mutex;
    std::vector<int> ran;
};

TEST_F(TaskRunnerTest, RunsEveryCodeInOrderWithoutMerging) {
    Record(9);
    Record(11);
    ASSERT_TRUE(runner.Start());
    std::vector<int> expected;
    for (int i = 0; i < 10; ++i) {
        const int code = i % 3 == 2 ? 11 : 9;
        ASSERT_TRUE(runner.Push(code));
        expected.push_back(code);
    }
    ASSERT_TRUE(runner.WaitUntilIdle(milliseconds(5000)));
    EXPECT_EQ(Ran(), expected);
}

TEST_F(TaskRunnerTest, IdleOnlyWhenTheQueueIsEmptyAndNoRoutineRuns) {
    Gate gate;
    runner.SetRoutine(5, [&] { gate.Wait(); });
    Record(6);
    ASSERT_TRUE(runner.Start());
    EXPECT_TRUE(runner.WaitUntilIdle(milliseconds(0))) << "nothing queued yet";

    runner.Push(5);
    runner.Push(6);
    gate.WaitEntered();
    EXPECT_FALSE(runner.WaitUntilIdle(milliseconds(50))) << "a routine runs";
    EXPECT_EQ(runner.QueuedCount(), 1u);
    gate.Open();
    EXPECT_TRUE(runner.WaitUntilIdle(milliseconds(5000)));
    EXPECT_EQ(Ran(), std::vector<int>{6});
}

TEST_F(TaskRunnerTest, CodesWithoutRoutineAreConsumedAndRoutinesCanComeLater) {
    ASSERT_TRUE(runner.Start());
    ASSERT_TRUE(runner.Push(23));
    EXPECT_TRUE(runner.WaitUntilIdle(milliseconds(5000)));

    Record(23);  // registered while the worker runs, as the update layer does
    ASSERT_TRUE(runner.Push(23));
    EXPECT_TRUE(runner.WaitUntilIdle(milliseconds(5000)));
    EXPECT_EQ(Ran(), std::vector<int>{23});

    for (int code : {0, -1, TaskRunner::kHighestTaskCode + 1}) {
        EXPECT_FALSE(runner.Push(code)) << code;
        EXPECT_FALSE(runner.SetRoutine(code, [] {})) << code;
    }
    EXPECT_TRUE(runner.WaitUntilIdle(milliseconds(0)));
}

TEST_F(TaskRunnerTest, RunNowRunsARoutineInsideAnother) {
    Record(24);
    runner.SetRoutine(1, [this] {
        EXPECT_TRUE(runner.RunNow(24));
        EXPECT_FALSE(runner.RunNow(26)) << "no routine";
    });
    ASSERT_TRUE(runner.Start());
    runner.Push(1);
    ASSERT_TRUE(runner.WaitUntilIdle(milliseconds(5000)));
    EXPECT_EQ(Ran(), std::vector<int>{24});
}

TEST_F(TaskRunnerTest, StopLetsTheRoutineFinishDropsTheRestAndRefusesNewCodes) {
    Gate gate;
    std::atomic<bool> finished{false};
    runner.SetRoutine(5, [&] {
        gate.Wait();
        finished = true;
    });
    Record(9);
    ASSERT_TRUE(runner.Start());
    runner.Push(5);
    runner.Push(9);
    gate.WaitEntered();

    // Stop joins the worker, so the routine must be able to end meanwhile.
    std::thread opener([&] {
        std::this_thread::sleep_for(milliseconds(100));
        gate.Open();
    });
    EXPECT_FALSE(runner.Stop(milliseconds(20))) << "the routine outlasted the wait";
    opener.join();
    EXPECT_TRUE(finished) << "Stop returned only after the routine";
    EXPECT_FALSE(runner.Push(9));
    EXPECT_TRUE(runner.Stop()) << "stopped already";
    EXPECT_TRUE(Ran().empty()) << "the queued code was dropped";
    EXPECT_TRUE(runner.WaitUntilIdle(milliseconds(0)));
}

TEST_F(TaskRunnerTest, PushesFromManyThreadsAllRun) {
    std::atomic<int> count{0};
    runner.SetRoutine(9, [&] { ++count; });
    ASSERT_TRUE(runner.Start());
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([this] {
            for (int i = 0; i < 50; ++i) {
                runner.Push(9);
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    ASSERT_TRUE(runner.WaitUntilIdle(milliseconds(10000)));
    EXPECT_EQ(count.load(), 200);
}

}  // namespace
}  // namespace mousedeck::shell::app::test
