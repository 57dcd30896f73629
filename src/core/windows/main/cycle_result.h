#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What one automatic cycle came to, told so that an operator a metre away
// reads it: PASS or FAIL, what went onto the tag, and on FAIL why, in words.
namespace teb {

// The first exchange with the reader in a cycle that did not succeed.
struct FailedExchange {
    std::string command;    // as sent, without its CR ("WD 3 30313233...")
    bool sent = false;
    bool heldBack = false;  // the operation was stopped before it went out
    std::string answer;     // the kept answer; empty when none came
};

// What the window saw of one cycle while it ran.
struct CycleTrack {
    std::optional<std::string> uid;   // the transponder's UID, once read
    bool programmed = false;          // read back and confirmed: PASS
    std::string cycleFailure;         // the reason where the cycle knows it best
    bool dataRefused = false;         // the data source ended the cycle
    bool stopped = false;             // the operator stopped it
    std::vector<std::string> notices; // the cycle's messages, in order
    std::optional<FailedExchange> failure;
};

struct CycleResult {
    bool passed = false;
    std::string carrierId; // what went onto the tag, as an operator reads it
    std::string uid;
    std::string reason;    // on FAIL
};

// Why a cycle failed: a stop, a closed port, the cycle's own reason, the
// first exchange that failed, then the first message of the cycle (before
// the exchange when the data source ended it).
std::string failureReason(const CycleTrack &track, bool portOpen);

// "carrier ID 00001000 · UID E0040150"; parts that are unknown are left out.
std::string resultIdentity(const CycleResult &result);

// "3 of 20 programmed"; "3 programmed" for a job without a quantity.
std::string progressText(std::uint64_t programmed, std::uint64_t quantity);

} // namespace teb
