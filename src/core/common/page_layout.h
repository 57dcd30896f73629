#pragma once

namespace teb {

// The transponder's memory: 17 pages of 8 bytes.
inline constexpr int kPageCount = 17;
inline constexpr int kBytesPerPage = 8;
inline constexpr int kFixablePageCount = 2;  // only pages 1 and 2 carry "fix byte" flags
// The bytes of pages 1 and 2, where the carrier ID lies.
inline constexpr int kCarrierIdPageBytes = kFixablePageCount * kBytesPerPage;
// Pages 3..17 may carry the decimal counter.
inline constexpr int kFirstCounterPage = kFixablePageCount + 1;

} // namespace teb
