#include "windows/main/result/result_part.h"

#include "automatic/counter_arithmetic.h"

namespace teb {
namespace {

constexpr Rgb kPassBackground = Rgb::fromComponents(0, 150, 60);
constexpr Rgb kFailBackground = Rgb::fromComponents(200, 20, 20);
constexpr Rgb kReasonText = Rgb::fromComponents(255, 120, 110);
constexpr Rgb kPassedColour = Rgb::fromComponents(80, 220, 120);
constexpr std::string_view kPassedText = "read back as written, confirmed in the journal";

} // namespace

void ResultPart::take(CycleResult result, const JobState &job, bool automaticMode)
{
    if (!result.passed && !job.silentFail)
        m_view.beep();
    m_last = std::move(result);
    show(automaticMode);
    showProgress(job);
}

void ResultPart::clear(bool automaticMode)
{
    m_last.reset();
    show(automaticMode);
}

void ResultPart::show(bool automaticMode)
{
    const bool shown = automaticMode && m_last;
    for (const Control id : {Control::ResultVerdict, Control::ResultIdentity, Control::ResultReason})
        m_view.setVisible(id, shown);
    if (!m_last)
        return;
    const CycleResult &result = *m_last;
    m_view.setText(Control::ResultVerdict, result.passed ? "PASS" : "FAIL");
    m_view.setBackground(Control::ResultVerdict, result.passed ? kPassBackground : kFailBackground);
    m_view.setText(Control::ResultIdentity, resultIdentity(result));
    m_view.setText(Control::ResultReason, result.passed ? std::string(kPassedText) : result.reason);
    m_view.setTextColour(Control::ResultReason, result.passed ? kPassedColour : kReasonText);
}

// Fixed data counts its job; the other sources count every transponder of the set.
void ResultPart::showProgress(const JobState &job)
{
    const ParameterSet &set = job.currentSet;
    const bool fixedData = !set.useCsvFile && !set.csvFileComplete && !set.useDecimalCounter;
    m_view.setText(Control::ProgressLabel,
                   progressText(fixedData ? job.programmedCount : job.programmedInSet, readCounter(set.quantity)));
}

} // namespace teb
