// The journal window's "Check transponder": the transponder on the antenna
// decides how its unfinished cycle ends, whatever set is current, and the
// journal window says what it came to.
#include "windows/main/job/job_part.h"

#include "automatic/cycle_messages.h"

namespace teb {
namespace {

std::string transponderName(const std::string &uid) { return "Transponder " + uid; }

} // namespace

TransponderCheck JobPart::checkTransponder()
{
    if (!m_link.portOpen())
        return {"The port is not open; nothing was sent.", true};
    const std::optional<std::string> uid = m_window.readUid();
    if (!uid)
        return {"No transponder could be read on the antenna; nothing was written.", true};
    TransponderHistory history;
    try {
        history = m_state.journal->historyOf(*uid);
    } catch (const JournalError &error) {
        return {error.what(), true};
    }
    if (!history.unfinished) {
        const auto &known = history.programmed ? history.programmed : history.spoiled;
        return {transponderName(*uid) + " has no unfinished cycle" +
                    (known ? " (" + entryName(*known) + ", " + std::string(stateName(known->state)) + ")." : "."),
                false};
    }
    CycleTrack track;
    const CycleOutcome outcome = m_window.finishCycle(*history.unfinished, track);
    const std::string what = transponderName(*uid) + ", " + entryName(*history.unfinished) + ": ";
    if (outcome.passed)
        return {what + "its cycle is finished, programmed.", false};
    return {what + (outcome.failure.empty() ? failureReason(track, m_link.portOpen())
                                            : outcome.failure) + ".",
            true};
}

} // namespace teb
