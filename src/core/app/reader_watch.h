#pragma once

#include "app/station_status.h"
#include "reader/date_time_stamp.h"
#include "reader/reader_transaction.h"

namespace teb {

// The main window's watch on its exchanges with the reader: what the status
// strip reports of the reader.
class ReaderWatch final : public TransactionWatch {
public:
    ReaderWatch(const WallClock &clock, ReaderActivity &activity) : m_clock(clock), m_activity(activity) {}

    bool sending(const ReaderCommand &command) override;
    bool waiting() override { return true; }
    void exchanged(const ReaderCommand &command, const ReaderTransaction &transaction) override;

private:
    const WallClock &m_clock;
    ReaderActivity &m_activity;
    std::chrono::system_clock::time_point m_sentAt;
};

} // namespace teb
