#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "sim/command_handler.h"
#include "sim_test_support.h"

namespace mousedeck::sim::test {
namespace {

using Bytes = std::vector<uint8_t>;

struct Page {
    uint8_t page_byte;
    Bytes stream_bytes;
    uint8_t status;   // expected reply byte 1
    int length = -1;  // length byte; -1: the number of stream bytes
};

struct MacroCase {
    const char* name;
    std::vector<Page> pages;
    std::map<uint8_t, Bytes> macros;  // what the mouse holds afterwards
};

// Seven events for key 4: 29 stream bytes, two pages.
Bytes SevenEvents() {
    Bytes stream = {0x04};
    for (uint8_t i = 0; i < 7; ++i) {
        stream.insert(stream.end(),
                      {static_cast<uint8_t>(i % 2 ? 0xB0 : 0x30), 0x01, 0x00, static_cast<uint8_t>(4 + i)});
    }
    return stream;
}

Bytes Slice(const Bytes& b, std::size_t from, std::size_t to) {
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from), b.begin() + static_cast<std::ptrdiff_t>(to));
}

TEST(SimMacroTest, PagesAreAssembledPerKeyAndBadTransfersAreRefused) {
    const Bytes seven = SevenEvents();
    const Bytes press_release = {0x03, 0x30, 0x32, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04};
    const std::vector<MacroCase> cases = {
        {"one frame", {{0x01, press_release, kStatusOk}}, {{3, Slice(press_release, 1, 9)}}},
        {"two pages",
         {{0x02, Slice(seven, 0, 27), kStatusOk}, {0x12, Slice(seven, 27, 29), kStatusOk}},
         {{4, Slice(seven, 1, 29)}}},
        {"second page alone", {{0x12, Slice(seven, 27, 29), kStatusBadPayload}}, {}},
        {"page 0 restarts",
         {{0x02, Bytes(27, 0x00), kStatusOk},
          {0x02, Slice(seven, 0, 27), kStatusOk},
          {0x12, Slice(seven, 27, 29), kStatusOk}},
         {{4, Slice(seven, 1, 29)}}},
        {"page count changes",
         {{0x02, Slice(seven, 0, 27), kStatusOk}, {0x13, Slice(seven, 27, 29), kStatusBadPayload}},
         {}},
        {"page skipped",
         {{0x03, Slice(seven, 0, 27), kStatusOk}, {0x23, Slice(seven, 27, 29), kStatusBadPayload}},
         {}},
        {"page count 0", {{0x00, press_release, kStatusBadPayload}}, {}},
        {"event cut short", {{0x01, Slice(press_release, 0, 7), kStatusBadPayload}}, {}},
        {"no such key", {{0x01, {0x15, 0x30, 0x01, 0x00, 0x04}, kStatusBadPayload}}, {}},
        {"length byte beyond the frame", {{0x01, press_release, kStatusBadPayload, 28}}, {}},
        {"key code only", {{0x01, {0x02}, kStatusOk}}, {{2, {}}}},
        {"two keys",
         {{0x01, press_release, kStatusOk}, {0x01, {0x05, 0x10, 0x0A, 0x00, 0x01}, kStatusOk}},
         {{3, Slice(press_release, 1, 9)}, {5, {0x10, 0x0A, 0x00, 0x01}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SimFixture sim;
        for (const auto& page : c.pages) {
            const Bytes reply =
                Exchange(*sim.wired, FrameOf(0x08, page.stream_bytes, page.page_byte, page.length));
            ASSERT_EQ(reply.size(), 64u);
            EXPECT_EQ(reply[1], page.status);
        }
        EXPECT_EQ(sim.mouse.State().macros, c.macros);
    }
}

TEST(SimMacroTest, NewMacroForAKeyReplacesItsOldOne) {
    SimFixture sim;
    ASSERT_EQ(StatusOf(Exchange(*sim.wired, Frame(0x08, {0x03, 0x30, 0x01, 0x00, 0x04}))), kStatusOk);
    ASSERT_EQ(StatusOf(Exchange(*sim.wired, Frame(0x08, {0x03, 0x10, 0x01, 0x00, 0x01}))), kStatusOk);
    EXPECT_EQ(sim.mouse.State().macros, (std::map<uint8_t, Bytes>{{3, {0x10, 0x01, 0x00, 0x01}}}));
}

}  // namespace
}  // namespace mousedeck::sim::test
