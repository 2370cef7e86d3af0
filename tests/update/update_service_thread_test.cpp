#include "update/update_service.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <thread>

#include "recording_observer.h"
#include "sim_rig.h"
#include "support/temp_home.h"

namespace mousedeck::update::test {
namespace {

// The controller's side of the service: one worker thread running the
// registered routine of each pushed code in order, and the stop guard.
class FakeController {
public:
    FakeController() : worker_([this] { Work(); }) {}
    ~FakeController() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        worker_.join();
    }

    UpdateHooks Hooks(hid::DeviceManager& devices) {
        return UpdateHooks{
            .register_routine =
                [this](int code, std::function<void()> routine) {
                    std::lock_guard lock(mutex_);
                    routines_[code] = std::move(routine);
                    return true;
                },
            .push_task =
                [this](int code) {
                    std::lock_guard lock(mutex_);
                    queue_.push_back(code);
                    changed_.notify_all();
                    return true;
                },
            .set_stop_guard =
                [this](std::function<void()> guard) {
                    std::lock_guard lock(mutex_);
                    stop_guard_ = std::move(guard);
                },
            .devices = devices,
            .firmware_address = [] { return std::string(); },
            .mouse_version = [] { return std::string("105"); },
            .update_address = [] { return std::string(); },
            .running_version = [] { return std::string("1.2.0"); },
        };
    }

    // What Stop runs first.
    void RunStopGuard() {
        std::function<void()> guard;
        {
            std::lock_guard lock(mutex_);
            guard = stop_guard_;
        }
        ASSERT_TRUE(guard);
        guard();
    }

    bool WaitUntilIdle(std::chrono::milliseconds limit) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, limit, [this] { return queue_.empty() && !busy_; });
    }

private:
    void Work() {
        std::unique_lock lock(mutex_);
        while (true) {
            changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (stopping_) {
                return;
            }
            const int code = queue_.front();
            queue_.pop_front();
            std::function<void()> routine = routines_[code];
            busy_ = true;
            lock.unlock();
            if (routine) {
                routine();
            }
            lock.lock();
            busy_ = false;
            changed_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<int, std::function<void()>> routines_;
    std::deque<int> queue_;
    std::function<void()> stop_guard_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread worker_;
};

std::vector<uint8_t> TaggedImage(const std::string& tag, std::size_t size) {
    if (size == 0) {
        return {};
    }
    const std::string head = "MDVER=" + tag;
    std::vector<uint8_t> image(head.begin(), head.end());
    for (std::size_t k = image.size(); k < size; ++k) {
        image.push_back(static_cast<uint8_t>(k * 11 + 7));
    }
    return image;
}

class UpdateServiceTest : public ::testing::Test {
protected:
    UpdateServiceTest()
        : service(controller.Hooks(*rig.manager),
                  UpdateSettings{.observer = observer,
                                 .text = [](int number) { return "text " + std::to_string(number); },
                                 .data_folder = data.path(),
                                 .timing = Timing()}) {}

    static UpgradeTiming Timing() {
        UpgradeTiming timing;
        timing.dialog_close_pause = std::chrono::milliseconds(0);
        return timing;
    }

    SimRig rig;
    RecordingObserver observer;
    mousedeck::test::TempDir data;
    FakeController controller;
    UpdateService service;
};

TEST_F(UpdateServiceTest, ALocalImageGoesThroughTheFlashPathIntoTheMouse) {
    struct Case {
        std::size_t size;
        std::string tag;
        UpgradeResult result;
    };
    const std::vector<Case> cases = {
        {48 * 3, "0207", UpgradeResult::kFlashed},
        {48 * 3 + 1, "0301", UpgradeResult::kFlashed},
        {0, "", UpgradeResult::kImageRefused},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        const uint16_t before = rig.mouse.State().firmware;
        ASSERT_TRUE(service.QueueLocalImage(TaggedImage(c.tag, c.size)));
        ASSERT_TRUE(controller.WaitUntilIdle(std::chrono::seconds(20)));
        EXPECT_EQ(service.LastUpgrade(), c.result);
        const uint16_t expected = c.result == UpgradeResult::kFlashed
                                      ? static_cast<uint16_t>(std::stoi(c.tag, nullptr, 16))
                                      : before;
        EXPECT_EQ(rig.mouse.State().firmware, expected);
    }
}

TEST_F(UpdateServiceTest, TheStopGuardWaitsForARunningFlashAndSaysWhy) {
    // Large enough that the flash is still running when the guard runs.
    ASSERT_TRUE(service.QueueLocalImage(TaggedImage("0409", 48 * 600)));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!service.Guard().Running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ASSERT_TRUE(service.Guard().Running());
    controller.RunStopGuard();
    // The guard returned only once the whole image was in the mouse; the
    // routine may still be closing its dialog and recording the result.
    EXPECT_FALSE(service.Guard().Running());
    EXPECT_EQ(rig.mouse.State().firmware, 0x0409);
    ASSERT_TRUE(controller.WaitUntilIdle(std::chrono::seconds(20)));
    EXPECT_EQ(service.LastUpgrade(), UpgradeResult::kFlashed);
    const auto events = observer.Events();
    EXPECT_NE(std::find(events.begin(), events.end(), "ExitWaitsForFlash()"), events.end());
}

}  // namespace
}  // namespace mousedeck::update::test
