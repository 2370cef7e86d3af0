#include <gtest/gtest.h>

#include <vector>

#include "raw_sqlite.h"
#include "store_fixture.h"

namespace mousedeck::store::test {
namespace {

MacroRecord Record(int macro_id, int index) {
    return {.macro_id = macro_id,
            .type = 2,
            .record_index = index,
            .value = 0x41 + index,
            .delay_time = 10 * index + 5,
            .desc = "key " + std::to_string(index)};
}

std::vector<int> Indexes(const std::vector<MacroRecord>& records) {
    std::vector<int> indexes;
    for (const MacroRecord& record : records) {
        indexes.push_back(record.record_index);
    }
    return indexes;
}

using MacroTest = StoreTest;

TEST_F(MacroTest, HeadersAddUpdateAndList) {
    const int plain = db_.AddMacro("plain");
    ASSERT_NE(plain, 0);
    EXPECT_EQ(db_.GetMacro(plain), (MacroEntry{plain, "plain", 0, 1, 1, 0}));

    MacroEntry full{0, "full", 3, 7, 2, 250};
    full.macro_id = db_.AddMacroEntry(full);
    ASSERT_NE(full.macro_id, 0);
    EXPECT_EQ(db_.GetMacro(full.macro_id), full);

    MacroEntry changed{full.macro_id, "changed", 1, 2, 0, 30};
    EXPECT_TRUE(db_.UpdateMacro(changed));
    EXPECT_TRUE(db_.RenameMacro(plain, "renamed"));
    EXPECT_EQ(db_.ListMacros(), (std::vector<MacroEntry>{{plain, "renamed", 0, 1, 1, 0}, changed}));
    EXPECT_EQ(db_.GetMacro(99), std::nullopt);
}

TEST_F(MacroTest, RecordsComeBackSortedByIndexWhateverTheInsertOrder) {
    const int macro = db_.AddMacro("m");
    const int other = db_.AddMacro("other");
    const std::vector<MacroRecord> records = {Record(macro, 3), Record(macro, 0), Record(other, 1),
                                              Record(macro, 2), Record(macro, 1)};
    EXPECT_TRUE(db_.AddMacroRecords(records));
    const auto listed = db_.ListMacroRecords(macro);
    EXPECT_EQ(Indexes(listed), (std::vector<int>{0, 1, 2, 3}));
    MacroRecord expected = Record(macro, 2);
    expected.record_id = 4;  // the fourth row inserted
    EXPECT_EQ(listed[2], expected);
    EXPECT_EQ(db_.ListMacroRecords(other).size(), 1u);
}

TEST_F(MacroTest, SingleRecordAddReturnsItsKey) {
    const int macro = db_.AddMacro("m");
    const int key = db_.AddMacroRecord(Record(macro, 0));
    ASSERT_NE(key, 0);
    EXPECT_EQ(db_.ListMacroRecords(macro).at(0).record_id, key);
}

TEST_F(MacroTest, DeleteRemovesTheMacroAndOnlyItsRecords) {
    const int macro = db_.AddMacro("gone");
    const int other = db_.AddMacro("stays");
    ASSERT_TRUE(db_.AddMacroRecords(std::vector<MacroRecord>{Record(macro, 0), Record(other, 0)}));
    EXPECT_TRUE(db_.DeleteMacro(macro));
    EXPECT_EQ(db_.GetMacro(macro), std::nullopt);
    EXPECT_TRUE(db_.ListMacroRecords(macro).empty());
    EXPECT_EQ(db_.ListMacroRecords(other).size(), 1u);
    EXPECT_TRUE(db_.DeleteMacro(12345));  // nothing to delete is not a failure
    EXPECT_TRUE(db_.DeleteMacroRecords(other));
    EXPECT_TRUE(db_.ListMacroRecords(other).empty());
}

TEST_F(MacroTest, RecordsOfADeletedHeaderStayWhenTheHeaderDeleteFails) {
    const int macro = db_.AddMacro("m");
    ASSERT_NE(db_.AddMacroRecord(Record(macro, 0)), 0);
    db_.Close();
    ASSERT_TRUE(RawExec(file(), "DROP TABLE t_macro_data"));
    ASSERT_TRUE(db_.OpenForDevice(folder_.path(), "M1", 101));
    EXPECT_FALSE(db_.DeleteMacro(macro));
    EXPECT_EQ(db_.ListMacroRecords(macro).size(), 1u);
}

TEST_F(MacroTest, BulkAddKeepsTheRowsItCouldWriteAndSaysSo) {
    const int macro = db_.AddMacro("m");
    db_.Close();
    // A trigger that refuses one index makes a single insert fail.
    ASSERT_TRUE(RawExec(file(),
                        "CREATE TRIGGER refuse BEFORE INSERT ON t_macrorecord WHEN NEW.record_index = 1 "
                        "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    ASSERT_TRUE(db_.OpenForDevice(folder_.path(), "M1", 101));
    EXPECT_FALSE(
        db_.AddMacroRecords(std::vector<MacroRecord>{Record(macro, 0), Record(macro, 1), Record(macro, 2)}));
    EXPECT_EQ(Indexes(db_.ListMacroRecords(macro)), (std::vector<int>{0, 2}));
}

}  // namespace
}  // namespace mousedeck::store::test
