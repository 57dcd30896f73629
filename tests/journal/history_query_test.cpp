// The journal's history search: the range a prefix stands for, and the
// search and the view of programmed carriers on a PostgreSQL server.
#include "journal/carrier_id_journal.h"
#include "journal/search_ranges.h"
#include "support/postgres_database.h"

#include <gtest/gtest.h>

namespace teb {
namespace {

TEST(SearchRanges, EveryTextThatStartsWithThePrefixLiesBelowItsEnd)
{
    EXPECT_EQ(prefixEnd("0012"), "0013");
    EXPECT_EQ(prefixEnd("A%"), "A&");
    EXPECT_EQ(prefixEnd("A\x7F"), "A\xC2\x80");         // the next code point, in UTF-8
    EXPECT_EQ(prefixEnd("\xC3\xA9"), "\xC3\xAA");       // é -> ê
    EXPECT_EQ(prefixEnd("A\xF4\x8F\xBF\xBF"), "B");      // the last code point cannot be raised
    EXPECT_EQ(prefixEnd("\xED\x9F\xBF"), "\xEE\x80\x80"); // past the surrogates
    EXPECT_EQ(prefixEnd("\xF4\x8F\xBF\xBF"), std::nullopt);
}

TEST(HistoryServer, PostgresSearchesByPrefixAndShowsTheProgrammedCarriers)
{
    test::PostgresDatabase server;
    TEB_NEED_POSTGRES(server);
    auto journal = CarrierIdJournal::openServer(server.connection(), "bench");
    for (const char *id : {"A%1", "AB1", "A_1", "a1"}) {
        JournalEntry entry;
        entry.carrierId = id;
        entry.uid = std::string("E0") + id;
        entry.setName = "job";
        entry.source = "csv file";
        journal->finish(journal->reserve(entry).id, CycleState::Programmed);
    }
    // Bytes, not the server's locale: "a1" does not start with "A".
    EXPECT_EQ(journal->historyCount("A", 100), 3u);
    const HistoryPage first = journal->historyPage("A", {}, 2);
    ASSERT_EQ(first.entries.size(), 2u);
    EXPECT_EQ(first.entries[0].carrierId, "A_1");
    ASSERT_TRUE(first.next);
    const HistoryPage second = journal->historyPage("A", *first.next, 2);
    ASSERT_EQ(second.entries.size(), 1u);
    EXPECT_EQ(second.entries[0].carrierId, "A%1");
    EXPECT_EQ(journal->history("A%").size(), 1u);
    EXPECT_TRUE(server.run("DO $$ BEGIN IF (SELECT COUNT(*) FROM programmed_carriers WHERE carrier_id LIKE 'A%'"
                           " AND schema_version = 4 AND set_name = 'job' AND reserved_at <> '') <> 3 THEN"
                           " RAISE EXCEPTION 'view'; END IF; END $$"));
}

} // namespace
} // namespace teb
