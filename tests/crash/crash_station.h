#pragma once

#include "power_cut.h"

#include "support/forked_station.h"

namespace teb::test {

// Where a station process loses power: at one of its syncs in the folder
// (syncNumber from 1), or never by itself (0: the test cuts it at a time).
struct CutPlan {
    int syncNumber = 0;
    power_cut::CutMoment moment = power_cut::CutMoment::BeforeSync;
};

// A forked station whose syncs in `folder` go through the power-cut model,
// its shadow in `shadow`, losing power where the plan says.
class CrashStation : public ForkedStation {
public:
    CrashStation(const std::filesystem::path &folder, const std::filesystem::path &shadow, pid_t reader,
                 CutPlan plan, int cycles)
        : ForkedStation(folder, reader, cycles, Transponders::NewAfterEachCycle, [&] {
              power_cut::watch(folder, shadow);
              power_cut::cutAtSync(plan.syncNumber, plan.moment);
          })
    {
    }

    // The power goes: the process ends where it is.
    void cut() { kill(); }
};

} // namespace teb::test
