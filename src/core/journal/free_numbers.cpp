#include "journal/free_numbers.h"

#include <algorithm>
#include <limits>

namespace teb::journal_store {
namespace {

constexpr long long kBlock = journal_schema::kNumberBlock;

// How many numbers of [low, high) entries hold (counted once each: a manual
// write that shares an ID holds its number too).
long long heldNumbersIn(soci::session &sql, int idLength, long long low, long long high)
{
    long long held = 0;
    sql << "SELECT COUNT(DISTINCT numeric_id) FROM cycles WHERE id_length = :length AND numeric_id >= :low"
           " AND numeric_id < :high AND state <> 'failed'",
        soci::use(idLength), soci::use(low), soci::use(high), soci::into(held);
    return held;
}

// Ranges that are full double in size, then the range with the gap is halved
// down to it: a run of n held numbers costs about 2 log n counts over the
// index, each reading up to n entries.
long long searchByCounting(soci::session &sql, int idLength, long long from)
{
    constexpr long long kLargest = std::numeric_limits<long long>::max();
    long long low = from;
    long long size = 1;
    for (;;) {
        size = std::min(size, kLargest - low);
        if (size == 0)
            return low;
        if (heldNumbersIn(sql, idLength, low, low + size) < size)
            break;
        low += size;
        size *= 2;
    }
    while (size > 1) {
        const long long half = size / 2;
        if (heldNumbersIn(sql, idLength, low, low + half) == half) {
            low += half;
            size -= half;
        } else {
            size = half;
        }
    }
    return low;
}

bool blockIsFull(soci::session &sql, int idLength, long long block)
{
    long long held = 0;
    sql << "SELECT held FROM held_blocks WHERE id_length = :length AND block = :block", soci::use(idLength),
        soci::use(block), soci::into(held);
    return sql.got_data() && held == kBlock;
}

// The first block after `block` with a free number: the next one, or the one
// after the end of the run of full blocks that starts there.
long long nextBlockWithRoom(soci::session &sql, int idLength, long long block)
{
    const long long next = block + 1;
    if (!blockIsFull(sql, idLength, next))
        return next;
    long long runEnd = next;
    const long long full = kBlock;
    sql << "SELECT MIN(h.block) FROM held_blocks h WHERE h.id_length = :length AND h.block >= :block"
           " AND h.held = :full AND NOT EXISTS (SELECT 1 FROM held_blocks n WHERE n.id_length = h.id_length"
           " AND n.block = h.block + 1 AND n.held = h.held)",
        soci::use(idLength), soci::use(next), soci::use(full), soci::into(runEnd);
    return runEnd + 1;
}

long long searchByBlocks(soci::session &sql, int idLength, long long from)
{
    constexpr long long kLastBlock = std::numeric_limits<long long>::max() / kBlock - 1;
    long long value = from;
    for (;;) {
        const long long block = value / kBlock;
        if (block >= kLastBlock)
            return searchByCounting(sql, idLength, value);
        const long long blockEnd = (block + 1) * kBlock;
        if (heldNumbersIn(sql, idLength, value, blockEnd) < blockEnd - value)
            return searchByCounting(sql, idLength, value); // the gap is in this block
        value = nextBlockWithRoom(sql, idLength, block) * kBlock;
    }
}

} // namespace

long long firstNumberNoEntryHolds(soci::session &sql, journal_schema::Dialect dialect, int idLength, long long from)
{
    if (dialect == journal_schema::Dialect::Sqlite && from >= 0)
        return searchByBlocks(sql, idLength, from);
    return searchByCounting(sql, idLength, from);
}

} // namespace teb::journal_store
