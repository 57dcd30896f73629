#pragma once

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
};

std::optional<FaultKind> faultKindOf(const std::string &name);

struct FaultPlan {
    FaultKind kind = FaultKind::None;
    // Words the command must begin with ("RD", "WD 3"); empty: every command.
    std::string commandFilter;
    // How many matching commands are hit, from the first; 0: all of them.
    int count = 0;
    std::chrono::milliseconds slowDelay{2000};
};

// Decides which commands a fault hits and what it makes of their answers.
class FaultInjector {
public:
    explicit FaultInjector(FaultPlan plan) : m_plan(std::move(plan)) {}

    // Whether the fault hits this command; counts the hit.
    bool hits(const std::string &command);
    std::optional<std::string> apply(const std::optional<std::string> &answer) const;
    // Whether a command the fault hits still takes effect on the transponder:
    // only where its right answer is sent (late or lengthened) or lost on the
    // way back. A refused or lost command changes nothing.
    bool hitCommandTakesEffect() const;
    std::chrono::milliseconds extraDelay() const;

private:
    FaultPlan m_plan;
    int m_hits = 0;
};

// Whether the words of `filter` are the first words of `command`.
bool commandMatches(const std::string &command, const std::string &filter);

// The bytes on the line for one answer: noise, the answer, CR (and LF).
std::string framedAnswer(const std::string &answer, const std::string &noise, bool crLf);

} // namespace teb::sim
