#include "answer_faults.h"

#include <algorithm>
#include <array>
#include <utility>

namespace teb::sim {

namespace {

constexpr std::size_t kLongAnswerPadding = 300;
constexpr std::size_t kMarkerXLength = 8;

constexpr std::array<std::pair<const char *, FaultKind>, 10> kFaultNames{{
    {"no-answer", FaultKind::NoAnswer},
    {"answer-lost", FaultKind::AnswerLost},
    {"wrong-answer", FaultKind::WrongAnswer},
    {"empty-answer", FaultKind::EmptyAnswer},
    {"long-answer", FaultKind::LongAnswer},
    {"no-read", FaultKind::NoRead},
    {"marker-09", FaultKind::Marker09},
    {"marker-x", FaultKind::MarkerX},
    {"nak", FaultKind::Refusal},
    {"slow", FaultKind::Slow},
}};

std::string withMarker09(const std::string &answer)
{
    const std::string marked = "#09" + answer;
    return marked.substr(0, std::max<std::size_t>(answer.size(), 3));
}

} // namespace

std::optional<FaultKind> faultKindOf(const std::string &name)
{
    for (const auto &[text, kind] : kFaultNames) {
        if (name == text)
            return kind;
    }
    return std::nullopt;
}

bool commandMatches(const std::string &command, const std::string &filter)
{
    if (filter.empty())
        return true;
    if (command.compare(0, filter.size(), filter) != 0)
        return false;
    return command.size() == filter.size() || command[filter.size()] == ' ';
}

bool FaultInjector::hits(const std::string &command)
{
    if (m_plan.kind == FaultKind::None || command.empty() ||
        !commandMatches(command, m_plan.commandFilter))
        return false;
    if (m_plan.count > 0 && m_hits >= m_plan.count)
        return false;
    ++m_hits;
    return true;
}

std::optional<std::string> FaultInjector::apply(const std::optional<std::string> &answer) const
{
    const std::string normal = answer.value_or("");
    switch (m_plan.kind) {
    case FaultKind::NoAnswer:
    case FaultKind::AnswerLost: return std::nullopt;
    case FaultKind::WrongAnswer: return "ERR";
    case FaultKind::EmptyAnswer: return "";
    case FaultKind::LongAnswer: return normal + std::string(kLongAnswerPadding, '9');
    case FaultKind::NoRead: return "No Read";
    case FaultKind::Marker09: return withMarker09(normal);
    case FaultKind::MarkerX: return std::string(std::max(normal.size(), kMarkerXLength), 'X');
    case FaultKind::Refusal: return "NAK";
    case FaultKind::Slow:
    case FaultKind::None: return answer;
    }
    return answer;
}

bool FaultInjector::hitCommandTakesEffect() const
{
    switch (m_plan.kind) {
    case FaultKind::AnswerLost:
    case FaultKind::LongAnswer:
    case FaultKind::Slow:
    case FaultKind::None: return true;
    case FaultKind::NoAnswer:
    case FaultKind::WrongAnswer:
    case FaultKind::EmptyAnswer:
    case FaultKind::NoRead:
    case FaultKind::Marker09:
    case FaultKind::MarkerX:
    case FaultKind::Refusal: return false;
    }
    return false;
}

std::chrono::milliseconds FaultInjector::extraDelay() const
{
    return m_plan.kind == FaultKind::Slow ? m_plan.slowDelay : std::chrono::milliseconds(0);
}

std::string framedAnswer(const std::string &answer, const std::string &noise, bool crLf)
{
    return noise + answer + (crLf ? "\r\n" : "\r");
}

} // namespace teb::sim
