#include <gtest/gtest.h>

#include "protocol/macro_stream.h"
#include "protocol_rig.h"
#include "test_bindings.h"

namespace mousedeck::protocol::test {
namespace {

// A macro of `events` alternating presses and releases of A, 50 ms apart.
int AddMacro(store::SettingsDatabase& db, int events, int play_type = 0, int play_times = 5) {
    const int id = db.AddMacroEntry({0, "Custom 1", play_type, play_times, 1, 0});
    std::vector<store::MacroRecord> records;
    for (int i = 0; i < events; ++i) {
        records.push_back({.macro_id = id, .type = i % 2 == 0 ? 2 : 3, .record_index = 2 * i, .value = 0x41});
        records.push_back({.macro_id = id, .type = 1, .record_index = 2 * i + 1, .value = 50});
    }
    EXPECT_TRUE(db.AddMacroRecords(records));
    return id;
}

TEST(ButtonsTransferTest, NoBindingsSendsTheDefaultSlots) {
    ProtocolRig rig;
    EXPECT_EQ(rig.sender.SendButtons(1), SendResult::kSent);
    const Bytes payload = {0x10, 0x01, 0x00, 0x10, 0x02, 0x00, 0x10, 0x04, 0x00, 0x10, 0x08, 0x00, 0x10, 0x10,
                           0x00, 0x40, 0x01, 0x00, 0,    0,    0,    0,    0,    0,    0,    0,    0};
    EXPECT_EQ(rig.TakeWrites(), std::vector<Bytes>{Request(0x09, 0x01, 0x0F, payload, 33)});
}

// The task of a button that was just given a macro: its macro data in two
// pages, then every button's function.
TEST(ButtonsTransferTest, MacroPagesThenButtonFunctions) {
    ProtocolRig rig;
    const int macro = AddMacro(rig.db, 7);
    rig.db.SaveBinding(Binding(3, 4, macro));
    rig.db.SaveBinding(Binding(1, 2, 0x04, 0x03));
    rig.db.SaveBinding(Binding(2, 3, 1));
    rig.db.SaveBinding(Binding(12, 9, 1));

    EXPECT_EQ(rig.sender.SendMacro(1, 3), SendResult::kSent);
    EXPECT_EQ(rig.sender.SendButtons(1), SendResult::kSent);

    const auto writes = rig.TakeWrites();
    ASSERT_EQ(writes.size(), 3u);
    // 1 + 7 * 4 = 29 stream bytes: 27 in page 0x02, 2 in page 0x12.
    EXPECT_EQ(writes[0][3], 0x02);
    EXPECT_EQ(writes[0][4], 27);
    EXPECT_EQ(writes[1][3], 0x12);
    EXPECT_EQ(writes[1][4], 2);
    EXPECT_EQ(Bytes(writes[0].begin() + 5, writes[0].begin() + 14),
              (Bytes{0x03, 0x30, 0x32, 0x00, 0x04, 0xB0, 0x32, 0x00, 0x04}));

    const auto& stored = rig.mouse.State().macros;
    ASSERT_EQ(stored.count(3), 1u);
    Bytes events;
    for (int i = 0; i < 7; ++i) {
        // Every event but the last is followed by 50 ms; the last keeps its
        // trailing 50 ms too, since a delay record ends the macro.
        events.insert(events.end(), {static_cast<uint8_t>(i % 2 == 0 ? 0x30 : 0xB0), 0x32, 0x00, 0x04});
    }
    EXPECT_EQ(stored.at(3), events);

    const Bytes slots = {0x10, 0x01, 0x00, 0x70, 0x03, 0x04, 0x80, 0x83, 0x01, 0x90, 0x23, 0x05, 0x10, 0x10,
                         0x00, 0x40, 0x01, 0x00, 0,    0,    0,    0,    0,    0,    0,    0,    0};
    EXPECT_EQ(writes[2], Request(0x09, 0x01, 0x0F, slots, 33));
    const sim::Payload kept = rig.mouse.State().PayloadOf(0x09);
    EXPECT_EQ(Bytes(kept.begin(), kept.end()), slots);
}

TEST(ButtonsTransferTest, AFailedPageDoesNotStopTheOthers) {
    ProtocolRig rig;
    const int macro = AddMacro(rig.db, 7);
    rig.db.SaveBinding(Binding(3, 4, macro));
    rig.mouse.AddFault({sim::FaultKind::kNoReply, 1});
    EXPECT_EQ(rig.sender.SendMacro(1, 3), SendResult::kFailed);
    // The second page is still written; the mouse refuses it, having lost
    // the first, and that failure is traced as well.
    EXPECT_EQ(rig.TakeWrites(0x08).size(), 2u);
    EXPECT_EQ(rig.trace.messages, (std::vector<std::string>(2, "0x08: 设置按键宏数据失败!")));
    EXPECT_EQ(rig.mouse.State().macros.count(3), 0u);
}

TEST(ButtonsTransferTest, NothingToSendWithoutAMacroForTheKey) {
    ProtocolRig rig;
    const int macro = AddMacro(rig.db, 2);
    rig.db.SaveBinding(Binding(3, 4, macro));
    rig.db.SaveBinding(Binding(4, 4, macro + 50));  // names a macro that is gone
    rig.db.SaveBinding(Binding(2, 1, 1));
    EXPECT_EQ(rig.sender.SendMacro(1, 2), SendResult::kNothingToSend);   // not a macro binding
    EXPECT_EQ(rig.sender.SendMacro(1, 4), SendResult::kNothingToSend);   // macro gone
    EXPECT_EQ(rig.sender.SendMacro(1, 5), SendResult::kNothingToSend);   // no binding
    EXPECT_EQ(rig.sender.SendMacro(1, 21), SendResult::kNothingToSend);  // no such button
    EXPECT_EQ(rig.sender.SendMacro(1, -1), SendResult::kNothingToSend);
    EXPECT_EQ(rig.sender.SendMacro(2, 3), SendResult::kNothingToSend);  // other profile
    EXPECT_TRUE(rig.TakeWrites().empty());
}

// A macro the page byte cannot count is not sent, and its button keeps the
// default function rather than playing whatever the mouse last got.
TEST(ButtonsTransferTest, MoreThan101EventsIsRefusedAndTheButtonKeepsItsDefault) {
    ProtocolRig rig;
    const int fits = AddMacro(rig.db, static_cast<int>(kMaxMacroEvents));
    const int too_long = AddMacro(rig.db, static_cast<int>(kMaxMacroEvents) + 1);
    rig.db.SaveBinding(Binding(3, 4, too_long));
    rig.db.SaveBinding(Binding(4, 4, fits));

    EXPECT_EQ(rig.sender.SendMacro(1, 3), SendResult::kTooLong);
    EXPECT_TRUE(rig.TakeWrites().empty());
    EXPECT_EQ(rig.sender.SendMacro(1, 4), SendResult::kSent);
    const auto pages = rig.TakeWrites(0x08);
    ASSERT_EQ(pages.size(), 15u);
    EXPECT_EQ(pages.back()[3], 0xEF);
    EXPECT_EQ(rig.mouse.State().macros.at(4).size(), kMaxMacroEvents * 4);

    EXPECT_EQ(rig.sender.SendButtons(1), SendResult::kSent);
    const sim::Payload slots = rig.mouse.State().PayloadOf(0x09);
    EXPECT_EQ(Bytes(slots.begin() + 9, slots.begin() + 15), (Bytes{0x10, 0x08, 0x00, 0x90, 0x24, 0x05}));
}

}  // namespace
}  // namespace mousedeck::protocol::test
