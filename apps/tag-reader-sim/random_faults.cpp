#include "random_faults.h"

#include "command_trigger.h"

#include <array>

namespace teb::sim {

namespace {

constexpr int kPerMille = 1000;
constexpr std::array<const char *, 3> kPageCommands{"RD", "WD", "LD"};
// Lost, garbled (two ways) and refused: a garbled answer as often as each of the others.
constexpr std::array<FaultKind, 4> kKinds{FaultKind::AnswerLost, FaultKind::ByteBefore, FaultKind::CutAnswer,
                                          FaultKind::Refusal};
constexpr std::array<int, 4> kWeights{2, 1, 1, 2};

bool isPageCommand(const std::string &command)
{
    for (const char *name : kPageCommands) {
        if (commandMatches(command, name))
            return true;
    }
    return false;
}

} // namespace

std::optional<FaultKind> RandomFaults::hit(const std::string &command)
{
    if (m_perMille <= 0 || !isPageCommand(command))
        return std::nullopt;
    if (std::uniform_int_distribution<int>(0, kPerMille - 1)(m_random) >= m_perMille)
        return std::nullopt;
    std::discrete_distribution<std::size_t> kind(kWeights.begin(), kWeights.end());
    return kKinds[kind(m_random)];
}

} // namespace teb::sim
