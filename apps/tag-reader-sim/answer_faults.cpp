#include "answer_faults.h"

#include <algorithm>
#include <array>
#include <utility>

namespace teb::sim {

namespace {

constexpr std::size_t kLongAnswerPadding = 300;
constexpr std::size_t kMarkerXLength = 8;
constexpr char kByteBefore = ' ';

constexpr std::array<std::pair<const char *, FaultKind>, 12> kFaultNames{{
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
    {"byte-before", FaultKind::ByteBefore},
    {"cut-answer", FaultKind::CutAnswer},
}};

std::string withMarker09(const std::string &answer)
{
    const std::string marked = "#09" + answer;
    return marked.substr(0, std::max<std::size_t>(answer.size(), 3));
}

std::string cut(const std::string &answer)
{
    return answer.empty() ? answer : answer.substr(0, answer.size() - 1);
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

std::string faultName(FaultKind kind)
{
    for (const auto &[text, named] : kFaultNames) {
        if (named == kind)
            return text;
    }
    return "none";
}

std::optional<std::string> faultyAnswer(FaultKind kind, const std::optional<std::string> &answer)
{
    const std::string normal = answer.value_or("");
    switch (kind) {
    case FaultKind::NoAnswer:
    case FaultKind::AnswerLost: return std::nullopt;
    case FaultKind::WrongAnswer: return "ERR";
    case FaultKind::EmptyAnswer: return "";
    case FaultKind::LongAnswer: return normal + std::string(kLongAnswerPadding, '9');
    case FaultKind::NoRead: return "No Read";
    case FaultKind::Marker09: return withMarker09(normal);
    case FaultKind::MarkerX: return std::string(std::max(normal.size(), kMarkerXLength), 'X');
    case FaultKind::Refusal: return "NAK";
    case FaultKind::ByteBefore: return kByteBefore + normal;
    case FaultKind::CutAnswer: return cut(normal);
    case FaultKind::Slow:
    case FaultKind::None: return answer;
    }
    return answer;
}

bool faultTakesEffect(FaultKind kind)
{
    switch (kind) {
    case FaultKind::AnswerLost:
    case FaultKind::LongAnswer:
    case FaultKind::Slow:
    case FaultKind::ByteBefore:
    case FaultKind::CutAnswer:
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

std::optional<FaultKind> FaultInjector::hit(const std::string &command)
{
    if (m_kind == FaultKind::None || !m_trigger.fires(command))
        return std::nullopt;
    return m_kind;
}

std::chrono::milliseconds FaultInjector::extraDelay(FaultKind kind) const
{
    return kind == FaultKind::Slow ? m_slowDelay : std::chrono::milliseconds(0);
}

std::string framedAnswer(const std::string &answer, const std::string &noise, bool crLf)
{
    return noise + answer + (crLf ? "\r\n" : "\r");
}

} // namespace teb::sim
