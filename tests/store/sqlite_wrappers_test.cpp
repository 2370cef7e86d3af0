#include <gtest/gtest.h>
#include <sqlite3.h>

#include "store/sqlite_auto_transaction.h"
#include "store/sqlite_db.h"
#include "store/sqlite_statement.h"
#include "support/temp_home.h"

namespace mousedeck::store {
namespace {

constexpr int kCreate = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;

class SQLiteWrapperTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(db_.Open((folder_ / "w.db").string(), kCreate));
        ASSERT_EQ(db_.Exec("CREATE TABLE t(id INTEGER PRIMARY KEY, v TEXT)"), SQLITE_OK);
    }

    int Count() {
        SQLiteStatement count;
        db_.Prepare(count, "SELECT count(*) FROM t");
        count.Step();
        return count.ColumnInt(0);
    }

    mousedeck::test::TempDir folder_;
    SQLiteDB db_;
};

TEST(SQLiteClosedTest, EveryCallAnswersMisuseOrNothing) {
    SQLiteDB db;
    SQLiteStatement statement;
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.Close());
    EXPECT_EQ(db.Prepare(statement, "SELECT 1"), SQLITE_MISUSE);
    EXPECT_EQ(db.Exec("SELECT 1"), SQLITE_MISUSE);
    EXPECT_EQ(db.LastInsertRowId(), -1);
    EXPECT_EQ(db.ApplyJournalMode(JournalMode::kWalNormal), SQLITE_MISUSE);
    EXPECT_EQ(statement.BindInt(1, 5), SQLITE_MISUSE);
    EXPECT_EQ(statement.BindText(1, "x"), SQLITE_MISUSE);
    EXPECT_EQ(statement.Step(), SQLITE_MISUSE);
    EXPECT_EQ(statement.ColumnInt(0), 0);
    EXPECT_EQ(statement.ColumnText(0), "");
    EXPECT_TRUE(statement.done());
}

TEST(SQLiteClosedTest, OpeningAMissingFileWithoutCreateFails) {
    mousedeck::test::TempDir folder;
    SQLiteDB db;
    EXPECT_FALSE(db.Open((folder / "absent.db").string(), SQLITE_OPEN_READWRITE));
    EXPECT_FALSE(db.IsOpen());
}

TEST_F(SQLiteWrapperTest, StatementCanBePreparedAgainAndTracksDone) {
    SQLiteStatement statement;
    ASSERT_EQ(db_.Prepare(statement, "INSERT INTO t(v) VALUES (?)"), SQLITE_OK);
    EXPECT_FALSE(statement.done());
    ASSERT_EQ(statement.BindAll(std::string("a")), SQLITE_OK);
    EXPECT_EQ(statement.Step(), SQLITE_DONE);
    EXPECT_TRUE(statement.done());
    EXPECT_EQ(db_.LastInsertRowId(), 1);

    ASSERT_EQ(db_.Prepare(statement, "SELECT id, v FROM t"), SQLITE_OK);
    ASSERT_EQ(statement.Step(), SQLITE_ROW);
    EXPECT_EQ(statement.ColumnInt(0), 1);
    EXPECT_EQ(statement.ColumnText(1), "a");
}

TEST_F(SQLiteWrapperTest, MissingTableFailsAtPrepareAndLaterCallsAreMisuse) {
    SQLiteStatement statement;
    EXPECT_EQ(db_.Prepare(statement, "SELECT * FROM no_such_table"), SQLITE_ERROR);
    EXPECT_EQ(statement.BindInt(1, 1), SQLITE_MISUSE);
    EXPECT_EQ(statement.Step(), SQLITE_MISUSE);
}

TEST_F(SQLiteWrapperTest, BindAllStopsAtTheFirstFailureAndKeepsTextsAsText) {
    SQLiteStatement statement;
    ASSERT_EQ(db_.Prepare(statement, "SELECT ?, typeof(?), ?"), SQLITE_OK);
    // The fourth parameter does not exist.
    EXPECT_EQ(statement.BindAll(7, std::string(), std::string("a\0b", 3), 9), SQLITE_RANGE);
    ASSERT_EQ(statement.Step(), SQLITE_ROW);
    EXPECT_EQ(statement.ColumnInt(0), 7);
    EXPECT_EQ(statement.ColumnText(1), "text");  // an empty text is not NULL
    EXPECT_EQ(statement.ColumnText(2), std::string("a\0b", 3));
}

TEST_F(SQLiteWrapperTest, TransactionEndsWithTheObjectOrIsRolledBack) {
    {
        SQLiteAutoTransaction transaction(db_);
        EXPECT_TRUE(transaction.is_open());
        EXPECT_FALSE(transaction.Begin());  // already open
        db_.Exec("INSERT INTO t(v) VALUES ('kept')");
    }
    EXPECT_EQ(Count(), 1);
    {
        SQLiteAutoTransaction transaction(db_);
        db_.Exec("INSERT INTO t(v) VALUES ('dropped')");
        EXPECT_TRUE(transaction.Rollback());
        EXPECT_FALSE(transaction.is_open());
    }
    EXPECT_EQ(Count(), 1);
    SQLiteAutoTransaction transaction(db_);
    EXPECT_TRUE(transaction.Commit());
    EXPECT_TRUE(transaction.Begin());
    EXPECT_TRUE(transaction.Commit());
}

TEST(SQLiteJournalTest, ModesSetJournalAndSynchronous) {
    struct Case {
        JournalMode mode;
        const char* journal;
        int synchronous;  // 0 OFF, 1 NORMAL
    };
    const Case cases[] = {
        {JournalMode::kWalNormal, "wal", 1},
        {JournalMode::kUnsafeSyncOff, "delete", 0},
    };
    for (const Case& c : cases) {
        mousedeck::test::TempDir folder;
        SQLiteDB db;
        ASSERT_TRUE(db.Open((folder / "j.db").string(), kCreate));
        EXPECT_EQ(db.ApplyJournalMode(c.mode), SQLITE_OK);
        SQLiteStatement statement;
        db.Prepare(statement, "PRAGMA journal_mode");
        ASSERT_EQ(statement.Step(), SQLITE_ROW);
        EXPECT_EQ(statement.ColumnText(0), c.journal);
        db.Prepare(statement, "PRAGMA synchronous");
        ASSERT_EQ(statement.Step(), SQLITE_ROW);
        EXPECT_EQ(statement.ColumnInt(0), c.synchronous) << c.journal;
    }
}

}  // namespace
}  // namespace mousedeck::store
