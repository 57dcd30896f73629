#pragma once

#include "common/result.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// One transponder cycle as the journal keeps it. A carrier ID is written down
// as reserved before the first page write leaves the port, and ends as
// programmed, failed (nothing reached the tag: the ID may be offered again)
// or uncertain (a write or lock may have reached the tag and the tag has not
// been read back since). An uncertain cycle is finished from its transponder
// when it comes back: programmed, or spoiled when a page of it is locked with
// other data (its ID stays held for good). Every state but failed holds the ID.
namespace teb {

enum class CycleState { Reserved, Programmed, Failed, Uncertain, Spoiled };

std::string_view stateName(CycleState state);
std::optional<CycleState> stateNamed(std::string_view name);

// Where the data of a cycle came from, as the set file names the sources.
namespace journal_source {
inline constexpr std::string_view kDecimalCounter = "Decimal counter";
inline constexpr std::string_view kCsvFile = "csv file";
inline constexpr std::string_view kCsvFileComplete = "csv file complete";
inline constexpr std::string_view kFixData = "fix data";
inline constexpr std::string_view kManual = "manual";
} // namespace journal_source

struct JournalEntry {
    std::int64_t id = 0;
    std::string carrierId;  // the bytes placed, one character per byte; empty for fixed data
    std::string setName;
    std::string source;
    std::string position;   // counter value, CSV line number or fixed-data count
    std::string csvFile;    // CSV sources: the file, the row as read and its delimiter
    std::string csvRow;
    std::string csvDelimiter;
    bool csvMarked = false; // the row's "X" is made
    std::string counterPageValue; // written into the counter page; empty when none
    std::string counterStart;     // the counter page value its run started from
    std::int64_t job = 0;         // fixed data: the job the count belongs to
    std::string pagesHex;         // the 17 pages as sent, 16 HEX digits each, "," between; empty: not written
    std::string pagesLocked;      // 17 flags "1"/"0": the page was to be locked
    std::string uid;
    CycleState state = CycleState::Reserved;
    std::string reservedAt; // "YYYY-MM-DD hh:mm:ss", local time
    std::string finishedAt;
    std::string station;

    // The carrier ID as an operator reads it: printable bytes as they are,
    // any other ID as its HEX digits.
    std::string shownCarrierId() const;
};

// The journal could not be read or written; what() names the file and the reason.
class JournalError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A journal call as a Result: the JournalError it throws becomes its failure.
template <typename Call>
auto journalResult(Call &&call)
{
    return resultOf<JournalError>(std::forward<Call>(call));
}

// Another entry holds the carrier ID (another transponder, another station).
class CarrierIdTaken : public JournalError {
public:
    using JournalError::JournalError;
};

// Another entry holds the bytes of pages 1 and 2, perhaps as another carrier
// ID: a HEX row beside an ASCII one, or another carrier-ID window.
class PagesTaken : public CarrierIdTaken {
public:
    using CarrierIdTaken::CarrierIdTaken;
};

// The key a carrier ID is unique by: its bytes as upper-case HEX digits.
std::string carrierKey(std::string_view carrierId);

// The key pages 1 and 2 are unique by, taken from `pagesHex` (its first two
// fields): their 32 HEX digits. A cycle that writes only one of the two keys
// on that page and 16 "-" for the other, whose bytes it leaves as the tag
// had them: two such cycles writing the same page collide, one writing both
// pages does not collide with them. Empty when neither page is written.
std::optional<std::string> pagesKey(std::string_view pagesHex);

} // namespace teb
