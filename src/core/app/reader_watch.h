#pragma once

#include "app/cycle_result.h"
#include "app/station_status.h"
#include "reader/date_time_stamp.h"
#include "reader/reader_transaction.h"

namespace teb {

// The main window's watch on its exchanges with the reader: what the status
// strip reports of the reader, and the first failed exchange of a cycle.
class ReaderWatch final : public TransactionWatch {
public:
    ReaderWatch(const WallClock &clock, ReaderActivity &activity) : m_clock(clock), m_activity(activity) {}

    bool sending(const ReaderCommand &command) override;
    bool waiting() override { return true; }
    void exchanged(const ReaderCommand &command, const ReaderTransaction &transaction) override;

    // The cycle whose first failed exchange is kept; none between cycles.
    void follow(CycleTrack *cycle) { m_cycle = cycle; }

private:
    const WallClock &m_clock;
    ReaderActivity &m_activity;
    std::chrono::system_clock::time_point m_sentAt;
    CycleTrack *m_cycle = nullptr;
};

} // namespace teb
