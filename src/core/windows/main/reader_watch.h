#pragma once

#include "windows/main/cycle_result.h"
#include "windows/main/station_status.h"
#include "windows/main/trace_log.h"
#include "reader/date_time_stamp.h"
#include "reader/reader_transaction.h"

#include <functional>

namespace teb {

// The main window's watch on its exchanges with the reader: whether its
// operation may still send, its events while an answer is awaited, what the
// status strip reports of the reader, and the first failed exchange of a cycle.
class ReaderWatch final : public TransactionWatch {
public:
    // What the window decides while its operation runs.
    struct Operation {
        std::function<bool()> mayStart;     // false once the operation is stopped
        std::function<bool()> whileWaiting; // the window's events; false gives the wait up
        std::function<void()> traced;       // lines went into the trace
    };

    ReaderWatch(const WallClock &clock, ReaderActivity &activity, TraceLog &trace, Operation operation)
        : m_clock(clock), m_activity(activity), m_trace(trace), m_operation(std::move(operation))
    {
    }

    bool sending(const ReaderCommand &command) override;
    bool waiting() override { return m_operation.whileWaiting(); }
    void exchanged(const ReaderCommand &command, const ReaderTransaction &transaction) override;

    // The cycle whose first failed exchange is kept; none between cycles.
    void follow(CycleTrack *cycle) { m_cycle = cycle; }

private:
    const WallClock &m_clock;
    ReaderActivity &m_activity;
    TraceLog &m_trace;
    Operation m_operation;
    std::chrono::system_clock::time_point m_sentAt;
    CycleTrack *m_cycle = nullptr;
};

} // namespace teb
