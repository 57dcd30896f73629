#pragma once

// Only the journal itself includes this (it brings SOCI's headers along).

#include "journal/history_page.h"
#include "journal/journal_schema.h"

#include <soci/soci.h>

#include <cstdint>
#include <string_view>

// The history window's questions. Without a search text the journal is read
// newest first; with one, each way the text can match (the carrier ID as
// shown, its HEX key, the UID) is read in the order of its index, largest
// value first and newest first within a value, and an entry is listed under
// the first way it matches. Every page and every count reads its index from
// where it starts and stops after the rows it needs.
namespace teb::journal_store {

HistoryPage historyPage(soci::session &sql, journal_schema::Dialect dialect, std::string_view search,
                        const HistoryCursor &from, std::size_t rows);

// How many entries the search finds, counted no further than `cap`.
std::uint64_t historyCount(soci::session &sql, journal_schema::Dialect dialect, std::string_view search,
                           std::uint64_t cap);

} // namespace teb::journal_store
