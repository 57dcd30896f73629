#pragma once

#include "answer_faults.h"

#include <cstdint>
#include <optional>
#include <random>
#include <string>

namespace teb::sim {

struct RandomFaultPlan {
    int perMille = 0; // of the page commands hit; 0: none
    std::uint32_t seed = 1;
};

// Page commands (RD, WD, LD) hit at random, each by one of the faults a
// real line shows most: the answer lost (the command took effect), the
// answer garbled (took effect) or a refusal (no effect). The same seed
// hits the same commands of the same run.
class RandomFaults {
public:
    explicit RandomFaults(const RandomFaultPlan &plan) : m_perMille(plan.perMille), m_random(plan.seed) {}

    std::optional<FaultKind> hit(const std::string &command);

private:
    int m_perMille;
    std::mt19937 m_random;
};

} // namespace teb::sim
