#pragma once

#include "command_trigger.h"

#include <chrono>
#include <optional>
#include <string>

namespace teb::sim {

enum class FaultKind {
    None,
    NoAnswer,    // the command is lost on the line: nothing done, no answer
    AnswerLost,  // the command is carried out, its answer is lost
    WrongAnswer, // "ERR"
    EmptyAnswer, // a lone CR
    LongAnswer,  // the answer followed by 300 digits, longer than any line the station keeps
    NoRead,      // "No Read"
    Marker09,    // "#09" at the start of the answer
    MarkerX,     // the answer replaced by X characters, at least "XXXXXXXX"
    Refusal,     // "NAK"
    Slow,        // the right answer, after the fault delay
    ByteBefore,  // the command is carried out, a blank arrives before its answer (" ACK")
    CutAnswer,   // the command is carried out, its answer loses its last character ("AC")
};

std::optional<FaultKind> faultKindOf(const std::string &name);
std::string faultName(FaultKind kind);

// What the fault makes of a command's answer (nothing: no answer at all).
std::optional<std::string> faultyAnswer(FaultKind kind, const std::optional<std::string> &answer);
// Whether a command the fault hits still takes effect on the transponder:
// only where its right answer goes out (late, lengthened, garbled) or is lost
// on the way back. A refused or lost command changes nothing.
bool faultTakesEffect(FaultKind kind);

struct FaultPlan {
    FaultKind kind = FaultKind::None;
    // Words the command must begin with ("RD", "WD 3"); empty: every command.
    std::string commandFilter;
    // How many matching commands are hit, from the first; 0: all of them.
    int count = 0;
    std::chrono::milliseconds slowDelay{2000};
};

// Decides which commands the chosen fault hits.
class FaultInjector {
public:
    explicit FaultInjector(const FaultPlan &plan)
        : m_kind(plan.kind), m_trigger(plan.commandFilter, plan.count), m_slowDelay(plan.slowDelay)
    {
    }

    // The fault that hits this command, if any; counts the hit.
    std::optional<FaultKind> hit(const std::string &command);
    std::chrono::milliseconds extraDelay(FaultKind kind) const;

private:
    FaultKind m_kind;
    CommandTrigger m_trigger;
    std::chrono::milliseconds m_slowDelay;
};

// The bytes on the line for one answer: noise, the answer, CR (and LF).
std::string framedAnswer(const std::string &answer, const std::string &noise, bool crLf);

} // namespace teb::sim
