#pragma once

#include "windows/main/cqv58_dlg_view.h"
#include "windows/main/cycle_result.h"
#include "windows/main/job/job_state.h"

#include <optional>

namespace teb {

// Automatic mode's result for an operator a metre away: PASS or FAIL in
// large type, what went onto the tag, why a cycle failed, and the job's
// progress.
class ResultPart {
public:
    explicit ResultPart(CQV58DlgView &view) : m_view(view) {}

    const std::optional<CycleResult> &last() const { return m_last; }
    bool passed() const { return m_last && m_last->passed; }

    // The cycle's result; a FAIL beeps unless the job is silent.
    void take(CycleResult result, const JobState &job, bool automaticMode);
    // A new "One": the last transponder's verdict must not stand for this one.
    void clear(bool automaticMode);
    void show(bool automaticMode); // the last result, shown in automatic mode only
    void showProgress(const JobState &job); // "n of N programmed"

private:
    CQV58DlgView &m_view;
    std::optional<CycleResult> m_last; // none before the first cycle
};

} // namespace teb
