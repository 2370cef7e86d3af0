#include "hid/hidraw_handle.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <chrono>
#include <thread>

#include "hid/hidapi_backend.h"
#include "support/temp_home.h"

namespace mousedeck::hid {
namespace {

using namespace std::chrono_literals;

// A FIFO opened for reading and writing stands in for a hidraw node: what is
// written comes back on read. It has no report descriptor, so writes are
// not padded.
class HidrawHandleTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0); }

    mousedeck::test::TempDir dir;
    std::string fifo = (dir / "hidraw0").string();
};

TEST_F(HidrawHandleTest, WritesReadsAndTimesOut) {
    auto handle = HidrawHandle::Open(fifo);
    ASSERT_TRUE(handle);
    const std::array<uint8_t, 3> report = {0x00, 0x10, 0x00};
    EXPECT_EQ(handle->Write(report), 3);
    std::array<uint8_t, 65> buffer{};
    EXPECT_EQ(handle->Read(buffer, 100), 3);
    EXPECT_EQ(buffer[1], 0x10);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(handle->Read(buffer, 30), 0) << "nothing to read";
    EXPECT_GE(std::chrono::steady_clock::now() - start, 25ms);
    EXPECT_EQ(handle->Write(std::span<const uint8_t>()), -1) << "an empty write has no report id";
}

TEST_F(HidrawHandleTest, CancelWakesABlockedReadAndEveryLaterOne) {
    auto handle = HidrawHandle::Open(fifo);
    ASSERT_TRUE(handle);
    ASSERT_TRUE(handle->CanCancelReads());
    std::array<uint8_t, 65> buffer{};
    int result = -2;
    std::thread reader([&] { result = handle->Read(buffer, -1); });
    std::this_thread::sleep_for(20ms);
    handle->CancelReads();
    reader.join();
    EXPECT_EQ(result, 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(handle->Read(buffer, -1), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 50ms);
}

TEST(HidapiBackendTest, MissingNodesDoNotOpen) {
    HidapiBackend backend;
    EXPECT_EQ(backend.Open(""), nullptr);
    EXPECT_EQ(backend.Open("/nonexistent/hidraw99"), nullptr);
    for (const HidDeviceInfo& info : backend.Enumerate(0, 0)) {
        EXPECT_FALSE(info.path.empty());  // whatever this machine has
    }
}

}  // namespace
}  // namespace mousedeck::hid
