#pragma once

#include <string_view>

// What the data sources and the automatic cycle tell the operator, and with
// which icon. The caption of every box is the program title.
namespace teb {

enum class NoticeLevel { Warning, Stop };

struct Notice {
    std::string_view text;
    NoticeLevel level;
};

namespace notice {

inline constexpr Notice kNoCsvAccess{"No access to csv file.", NoticeLevel::Stop};
inline constexpr Notice kCsvWrongFormat{
    "Next Carrier ID has the wrong format. Check the used csv file.", NoticeLevel::Warning};
inline constexpr Notice kQuantityReached{"Quantity reached.", NoticeLevel::Warning};
inline constexpr Notice kWrongCarrierIdFormat{"Wrong Carrier ID format.", NoticeLevel::Warning};
inline constexpr Notice kUidNotRead{
    "UID can't be read. No or defect transponder on Antenna or wrong transponder type chosen.",
    NoticeLevel::Stop};
inline constexpr Notice kWriteFailed{"Error on writing the pages of the transponder.", NoticeLevel::Stop};
inline constexpr Notice kLockFailed{"Error on locking the pages of the transponder.", NoticeLevel::Stop};

// A cycle that would write no carrier ID, no counter page or no page at all
// would be counted and recorded as a programmed transponder.
inline constexpr Notice kCarrierIdPagesNotSelected{
    "The pages of the Carrier ID are not selected for writing.\r\nNo transponder was programmed.",
    NoticeLevel::Warning};
inline constexpr Notice kCounterPageNotSelected{
    "The counter page is not selected for writing.\r\nNo transponder was programmed.", NoticeLevel::Warning};
inline constexpr Notice kCounterPageOverCarrierId{
    "The counter page lies on the page of the Carrier ID.\r\nNo transponder was programmed.", NoticeLevel::Warning};
inline constexpr Notice kNoPageSelected{
    "No page is selected for writing.\r\nNo transponder was programmed.", NoticeLevel::Warning};

// The decimal counter met value after value whose bytes in pages 1 and 2
// another transponder carries: the carrier ID lies outside those pages, or
// only partly in them.
inline constexpr Notice kCarrierIdPagesHeld{
    "Pages 1 and 2 would get the same bytes as on a transponder programmed before, carrier ID after carrier ID.\r\n"
    "No transponder was programmed. Does the Carrier ID lie in pages 1 and 2?",
    NoticeLevel::Warning};

// The transponder was programmed and recorded, but its row kept no "X". The
// journal holds the row, so it is never offered again; the mark is retried.
inline constexpr Notice kCsvMarkFailed{
    "The programmed row could not be marked as done in the csv file.\r\n"
    "Is the csv file write-protected, or was it changed?\r\n"
    "The journal keeps the row as programmed; the mark is tried again at the next \"One\".",
    NoticeLevel::Stop};

} // namespace notice

// Deferred to the 500 ms tick; always with the stop icon.
inline constexpr std::string_view kRecordFileFailedText =
    "Protocol file can't be opened.\r\nDoes the protocol path exist?\r\nDo you have writing authorisation on the path?";

} // namespace teb
