#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "hid/device_manager.h"
#include "hid/task_code.h"
#include "hid/task_worker.h"
#include "loopback_server.h"
#include "recording_observer.h"
#include "sim/simulated_hid_backend.h"
#include "support/temp_home.h"
#include "update/app_updater.h"
#include "update/firmware_upgrade.h"
#include "update/flash_guard.h"
#include "update/http_client.h"
#include "update/network_queue.h"

namespace mousedeck::update {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::NumberedText;

// Runs in FIFO order on one thread other than the caller's.
TEST(NetworkQueueTest, RunsJobsInOrderOffTheCaller) {
    NetworkQueue queue;
    std::mutex mutex;
    std::vector<int> order;
    std::thread::id job_thread;
    for (int i = 0; i < 5; ++i) {
        queue.Post([&, i] {
            std::lock_guard lock(mutex);
            order.push_back(i);
            job_thread = std::this_thread::get_id();
        });
    }
    ASSERT_TRUE(queue.WaitUntilIdle(5s));
    std::lock_guard lock(mutex);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_NE(job_thread, std::this_thread::get_id());
}

// Closing the program does not wait out a stalled server: Stop ends the
// transfer through the cancel flag and drops the jobs behind it.
TEST(NetworkQueueTest, StopCancelsAStalledRequest) {
    test::LoopbackServer server;
    server.ServeStall("/silent", "", 0, /*silent=*/true);
    NetworkQueue queue;
    HttpOptions options;
    options.stall_timeout = 30s;
    options.cancel = &queue.CancelFlag();
    std::atomic<bool> started{false};
    std::atomic<int> answered{-1};
    std::atomic<bool> second_ran{false};
    queue.Post([&] {
        started = true;
        answered = static_cast<int>(FetchText(server.Url("/silent"), options).status);
    });
    queue.Post([&] { second_ran = true; });
    while (!started) {
        std::this_thread::sleep_for(1ms);
    }
    std::this_thread::sleep_for(50ms);
    const auto begin = Clock::now();
    queue.Stop();
    EXPECT_LT(Clock::now() - begin, 1s);
    EXPECT_EQ(answered, static_cast<int>(FetchStatus::kFailed));
    EXPECT_FALSE(second_ran);
    queue.Post([&] { second_ran = true; });
    EXPECT_FALSE(second_ran) << "nothing runs after Stop";
}

// The controller's wiring: the worker's routines for tasks 23 and 27 post
// their network part and return, so a device command queued behind them runs
// at once even while the update server stalls.
TEST(NetworkQueueTest, DeviceTasksDoNotWaitForTheServer) {
    test::LoopbackServer server;
    server.ServeStall("/app/version", "", 0, /*silent=*/true);
    server.ServeStall("/fw//mouse//firmware-106.zip", "", 0, /*silent=*/true);
    mousedeck::test::TempDir data;
    test::RecordingObserver observer;
    FlashGuard guard;
    NetworkQueue network;
    HttpOptions http;
    http.stall_timeout = 500ms;
    http.cancel = &network.CancelFlag();
    AppUpdater app(observer, NumberedText, http, UpdateFolder(data.path()), guard);
    app.Configure(server.Url("/app/"), "1.0.1");
    UpgradeTiming timing;
    timing.dialog_close_pause = 1ms;
    FirmwareUpgrade upgrade(observer, NumberedText, http, UpdateFolder(data.path()), guard, timing);

    hid::TaskWorker worker(nullptr);
    std::atomic<int> flash_requests{0};
    Clock::time_point command_ran{};
    std::atomic<bool> command_done{false};
    sim::SimulatedHidBackend no_mouse;  // the flash phase is never reached here
    hid::DeviceManager manager(no_mouse);
    worker.SetRoutine(hid::kTaskCheckAppUpdate, [&] { network.Post([&] { app.Check(); }); });
    worker.SetRoutine(hid::kTaskUpgradeFirmware, [&] {
        upgrade.RunTask(manager, server.Url("/fw"), "106", network, [&] { ++flash_requests; });
    });
    worker.SetRoutine(hid::kTaskSendReportRate, [&] {
        command_ran = Clock::now();
        command_done = true;
    });
    ASSERT_TRUE(worker.Start());
    const auto queued = Clock::now();
    worker.PushTask(hid::kTaskCheckAppUpdate);
    worker.PushTask(hid::kTaskUpgradeFirmware);
    worker.PushTask(hid::kTaskUpgradeFirmware);  // a second consent while downloading adds nothing
    worker.PushTask(hid::kTaskSendReportRate);
    while (!command_done) {
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_LT(command_ran - queued, 400ms) << "the command did not wait for the stalled server";

    ASSERT_TRUE(network.WaitUntilIdle(5s));
    worker.Stop();
    EXPECT_EQ(flash_requests, 0) << "no image came";
    EXPECT_EQ(observer.EventsStartingWith("Step("), (std::vector<std::string>{"Step(5|T590: 5%)"}));
    EXPECT_EQ(observer.EventsStartingWith("CloseFirmwareDialog"),
              (std::vector<std::string>{"CloseFirmwareDialog()"}));
    EXPECT_EQ(app.State(), UpdateState::kUnchecked);
}

TEST(FlashGuardTest, ExitWaitsForTheFlash) {
    FlashGuard guard;
    test::RecordingObserver observer;
    WaitForFlashBeforeExit(guard, observer);
    EXPECT_TRUE(observer.Events().empty()) << "no flash, no wait, no notice";

    std::atomic<bool> holding{false};
    std::atomic<bool> released{false};
    std::thread flash([&] {
        const FlashGuard::Scope flashing(guard);
        holding = true;
        std::this_thread::sleep_for(150ms);
        released = true;
    });
    while (!holding) {
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_FALSE(guard.WaitUntilIdleFor(10ms));
    WaitForFlashBeforeExit(guard, observer);
    EXPECT_TRUE(released);
    EXPECT_EQ(observer.Events(), (std::vector<std::string>{"ExitWaitsForFlash()"}));
    flash.join();
    EXPECT_FALSE(guard.Running());
}

}  // namespace
}  // namespace mousedeck::update
