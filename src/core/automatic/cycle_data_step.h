#pragma once

// The parts of one automatic cycle that its steps share, and its data step:
// the next data taken from the set's source, placed into the pages and
// checked. Only the cycle itself includes this.

#include "automatic/automatic_cycle.h"
#include "automatic/written_pages.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace teb::cycle_steps {

enum class Source { Csv, CsvComplete, DecimalCounter, FixedData };
enum class Outcome { Go, BadData, QuantityReached, PagesHeld };

// What the data step decided and what it placed.
struct DataStep {
    Outcome outcome = Outcome::Go;
    std::optional<CellRun> carrierIdRun; // the cells the carrier ID was placed into
    bool counterPagePlaced = false;
    std::uint64_t counterValue = 0;      // the decimal counter's value written
    std::string carrierId;               // the bytes placed as carrier ID; empty for fixed data
    std::string position;                // where in its source the data lies
};

// Which carrier IDs the data step may offer: one whose bytes, and whose
// pages 1 and 2 (carrierPagesHex), no transponder holds. (An interrupted
// cycle is finished with its entry's own pages, never through the data step.)
struct Offer {
    CycleStation &station;
    // false: the decimal counter offers "next" as it stands, and the journal
    // moves on past what is held when it reserves (reserveFirstFree).
    bool asksJournal = true;

    bool allows(const std::string &carrierId, const std::string &pagesHex) const
    {
        return !station.isHeld(carrierId, pagesHex);
    }
    CarrierIdFilter filter(const PageFlagArray &selected) const
    {
        return [this, &selected](const std::string &carrierId, const PageImage &placed) {
            return allows(carrierId, carrierPagesHex(placed, selected));
        };
    }
};

// The cycle under way: what it started from and what it has decided.
struct Cycle {
    const CycleInput &in;
    CycleOutcome out;
    std::optional<std::uint64_t> next; // "next" as the counter counts it by now
};

// "next" moves to a value of the decimal counter.
void moveNext(Cycle &cycle, std::uint64_t value);

Source sourceOf(const ParameterSet &set);
std::string_view sourceName(Source source);

// The data is taken and checked; false (after its message) when the cycle ends here.
bool dataReady(Cycle &cycle, Source source, const Offer &offer, DataStep &step);
// The same without the message: why the cycle would end here.
std::optional<Notice> dataRefusal(Cycle &cycle, Source source, const Offer &offer, DataStep &step);

} // namespace teb::cycle_steps
