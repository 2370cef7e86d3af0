#include <gtest/gtest.h>

#include <vector>

#include "frame_bytes.h"
#include "protocol/macro_stream.h"

namespace mousedeck::protocol::test {
namespace {

// Records in the order given, record_index counting up.
struct Rec {
    int type;
    int value;
};
std::vector<store::MacroRecord> Records(const std::vector<Rec>& list) {
    std::vector<store::MacroRecord> records;
    int index = 0;
    for (const auto& r : list) {
        store::MacroRecord record;
        record.macro_id = 1;
        record.type = r.type;
        record.value = r.value;
        record.record_index = index++;
        records.push_back(record);
    }
    return records;
}

constexpr int kDelay = 1, kPress = 2, kRelease = 3, kButtonDown = 4, kButtonUp = 5;

TEST(MacroStreamTest, EventsDelaysAndModifiers) {
    const struct {
        const char* name;
        std::vector<store::MacroRecord> records;
        Bytes stream;
    } cases[] = {
        {"press, 50 ms, release: the last event keeps delay 1",
         Records({{kPress, 0x41}, {kDelay, 50}, {kRelease, 0x41}}),
         {0x03, 0x30, 0x32, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04}},
        {"a trailing delay is written without a minimum",
         Records({{kPress, 0x41}, {kRelease, 0x41}, {kDelay, 20}}),
         {0x03, 0x30, 0x01, 0x00, 0x04, 0xB0, 0x14, 0x00, 0x04}},
        {"a trailing 0 ms stays 0", Records({{kPress, 0x41}, {kDelay, 0}}), {0x03, 0x30, 0x00, 0x00, 0x04}},
        {"two delays add up; 0 ms between events becomes 1",
         Records({{kPress, 0x41}, {kDelay, 40}, {kDelay, 40}, {kRelease, 0x41}, {kDelay, 0}, {kPress, 0x42}}),
         {0x03, 0x30, 0x50, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04, 0x30, 0x01, 0x00, 0x05}},
        {"delays before the first event count after it",
         Records({{kDelay, 30}, {kPress, 0x41}, {kDelay, 10}, {kRelease, 0x41}}),
         {0x03, 0x30, 0x28, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04}},
        {"modifier keys are modifier events with their bit",
         Records({{kPress, 0xA0}, {kRelease, 0xA0}, {kPress, 0x5B}, {kRelease, 0x5C}, {kPress, 0xA5}}),
         {0x03, 0x20, 0x01, 0x00, 0x02, 0xA0, 0x01, 0x00, 0x02, 0x20, 0x01,
          0x00, 0x08, 0xA0, 0x01, 0x00, 0x80, 0x20, 0x01, 0x00, 0x40}},
        {"mouse buttons carry the mask's low byte",
         Records({{kButtonDown, 1}, {kDelay, 300}, {kButtonUp, 0x110}}),
         {0x03, 0x10, 0x2C, 0x01, 0x01, 0x90, 0x01, 0x00, 0x10}},
        {"a key without usage is usage 0; other kinds are skipped",
         Records({{kPress, 0xA6}, {9, 5}, {0, 5}, {kRelease, 0xA6}}),
         {0x03, 0x30, 0x01, 0x00, 0x00, 0xB0, 0x01, 0x00, 0x00}},
        {"delays beyond 16 bits saturate, negative ones give the minimum",
         Records(
             {{kPress, 0x41}, {kDelay, 70000}, {kRelease, 0x41}, {kDelay, -5}, {kPress, 0x41}, {kDelay, -9}}),
         {0x03, 0x30, 0xFF, 0xFF, 0x04, 0xB0, 0x01, 0x00, 0x04, 0x30, 0x00, 0x00, 0x04}},
        {"a macro of delays only is the key code alone", Records({{kDelay, 100}, {kDelay, 5}}), {0x03}},
        {"no records", {}, {0x03}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BuildMacroStream(3, c.records), c.stream) << c.name;
    }
}

TEST(MacroStreamTest, RecordIndexOrdersTheRecords) {
    auto records = Records({{kPress, 0x41}, {kDelay, 50}, {kRelease, 0x41}});
    std::swap(records[0], records[2]);
    EXPECT_EQ(BuildMacroStream(3, records), (Bytes{0x03, 0x30, 0x32, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04}));
}

TEST(MacroFramesTest, OneFrameUpToSixEvents) {
    const Bytes stream = {0x03, 0x30, 0x32, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04};
    const auto frames = BuildMacroDataFrames(stream);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(Written(frames[0]), Request(0x08, 0x01, 9, stream, 33));

    Bytes six(25, 0x11);
    ASSERT_EQ(BuildMacroDataFrames(six).size(), 1u);
    EXPECT_EQ(BuildMacroDataFrames(Bytes(27, 1)).size(), 1u);
}

// Alternating presses and releases of A.
std::vector<store::MacroRecord> Events(int count) {
    std::vector<Rec> list;
    for (int i = 0; i < count; ++i) {
        list.push_back({i % 2 == 0 ? kPress : kRelease, 0x41});
    }
    return Records(list);
}

TEST(MacroFramesTest, SevenEventsTakeTwoPages) {
    const Bytes stream = BuildMacroStream(2, Events(7));
    ASSERT_EQ(stream.size(), 29u);
    const auto frames = BuildMacroDataFrames(stream);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(Written(frames[0]), Request(0x08, 0x02, 27, Bytes(stream.begin(), stream.begin() + 27), 33));
    EXPECT_EQ(Written(frames[1]), Request(0x08, 0x12, 2, Bytes(stream.begin() + 27, stream.end()), 33));
}

// The page byte counts at most 15 pages: 405 stream bytes, 101 events.
TEST(MacroFramesTest, AtMostOneHundredAndOneEvents) {
    const auto fits = Events(101);
    EXPECT_TRUE(MacroFits(fits));
    const Bytes stream = BuildMacroStream(2, fits);
    ASSERT_EQ(stream.size(), 405u);
    const auto frames = BuildMacroDataFrames(stream);
    ASSERT_EQ(frames.size(), 15u);
    Bytes joined;
    for (std::size_t page = 0; page < frames.size(); ++page) {
        EXPECT_EQ(frames[page].frame[3], (page << 4) | 0x0F) << page;
        EXPECT_EQ(frames[page].frame[4], 27) << page;
        joined.insert(joined.end(), frames[page].frame.bytes.begin() + 5,
                      frames[page].frame.bytes.begin() + 32);
    }
    EXPECT_EQ(joined, stream);

    // Delays do not count against the limit; events do.
    auto with_delays = Events(101);
    with_delays.push_back({.macro_id = 1, .type = kDelay, .record_index = 200, .value = 10});
    EXPECT_TRUE(MacroFits(with_delays));
    const auto too_long = Events(102);
    EXPECT_FALSE(MacroFits(too_long));
    EXPECT_TRUE(BuildMacroDataFrames(BuildMacroStream(2, too_long)).empty());
    EXPECT_TRUE(BuildMacroDataFrames(Bytes(406, 0)).empty());
    EXPECT_TRUE(BuildMacroDataFrames(Bytes{}).empty());
}

}  // namespace
}  // namespace mousedeck::protocol::test
