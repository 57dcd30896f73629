#pragma once

#include "automatic/automatic_cycle.h"

#include <string>

// What a reading of the transponder says about the pages a cycle sent: the
// transponder, not the reader's acknowledgements, decides a cycle.
namespace teb {

struct ReadBackVerdict {
    enum class Kind { Equal, OtherTransponder, UidNotRead, PageNotRead, PageDiffers };
    Kind kind = Kind::Equal;
    int page = 0; // the first page not read or differing
};

// The reading against the UID the cycle is for and the pages it sent.
ReadBackVerdict judgeReading(const TagReading &reading, const std::string &uid, const PageCells &sent,
                             const PageFlagArray &pages);

// The pages of `pages` that the reading shows with other bytes than `sent`.
PageFlagArray pagesDiffering(const TagReading &reading, const PageCells &sent, const PageFlagArray &pages);

// The reason an operator reads on FAIL ("page 3 reads back other data than was written").
std::string readBackFailureText(const ReadBackVerdict &verdict);

} // namespace teb
