#include "reader/reader_command.h"

#include "common/decimal_text.h"
#include "reader/time_base.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace teb {
namespace {

constexpr char kCr = '\r';
constexpr std::string_view kCrLf = "\r\n";

constexpr std::int32_t kTorWait = 4;
constexpr std::int32_t kUidWait = 9;
constexpr std::int32_t kReadWait = 17;
constexpr std::int32_t kWriteWait = 4;
constexpr std::int32_t kLockWait = 4;

constexpr std::size_t kUidLength = 8;
constexpr std::size_t kPageDigits = 16;
constexpr std::size_t kAckLength = 3;
constexpr std::string_view kAck = "ACK";

// Texts the reader puts into an answer when it could not do the job.
constexpr std::array<std::string_view, 3> kFailureMarkers{"No Read", "#09", "XXXXXXXX"};

bool holdsFailureMarker(std::string_view kept)
{
    return std::any_of(kFailureMarkers.begin(), kFailureMarkers.end(),
                       [kept](std::string_view marker) { return kept.find(marker) != std::string_view::npos; });
}

// A short answer cut with its line end, or a line that starts with a stray
// control character, must not pass for data.
bool holdsControlCharacter(std::string_view kept)
{
    return std::any_of(kept.begin(), kept.end(),
                       [](char c) { return std::iscntrl(static_cast<unsigned char>(c)) != 0; });
}

// A page read becomes page content: 16 characters that are not all
// hexadecimal digits are no data, whatever else they hold.
bool allHexDigits(std::string_view kept)
{
    return std::all_of(kept.begin(), kept.end(),
                       [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

// "RD n", "LD n": the command and its echo line "RD n // Read page n".
ReaderCommand pageCommand(std::string_view verb, int page, std::string_view operation, std::int32_t waitFactor,
                          std::size_t keptLength, AnswerRule rule)
{
    const std::string number = formatDecimal(page);
    const std::string head = std::string(verb) + " " + number;
    const std::string echo = head + " // " + std::string(operation) + " page " + number + std::string(kCrLf);
    return {head + kCr, waitFactor, echo, keptLength, rule};
}

} // namespace

ReaderCommand torCommand() { return {"TOR\r", kTorWait, "", ReaderCommand::kWholeLine, AnswerRule::TimeBase}; }

ReaderCommand readUidCommand()
{
    return {"RUID\r", kUidWait, "RUID // Read UID\r\n", kUidLength, AnswerRule::Uid};
}

ReaderCommand readPageCommand(int page)
{
    return pageCommand("RD", page, "Read", kReadWait, kPageDigits, AnswerRule::PageData);
}

ReaderCommand lockPageCommand(int page)
{
    return pageCommand("LD", page, "Lock", kLockWait, kAckLength, AnswerRule::Ack);
}

ReaderCommand writePageCommand(int page, std::string_view hexDigits)
{
    // The echo line is the command without its CR, directly followed by the comment.
    const std::string head = "WD " + formatDecimal(page) + " " + std::string(hexDigits);
    return {head + kCr, kWriteWait, head + "// Write page " + formatDecimal(page) + std::string(kCrLf), kAckLength,
            AnswerRule::Ack};
}

std::string keptAnswer(const ReaderCommand &command, std::string_view answer)
{
    // A page answer is kept whole: stray bytes before or after its digits must
    // show on the terminal and fail the read, not shift the page's data.
    if (command.rule == AnswerRule::PageData)
        return std::string(answer.substr(0, answer.size() - (answer.ends_with(kCrLf) ? kCrLf.size() : 0)));
    return std::string(answer.substr(0, command.keptLength));
}

bool answerSucceeded(const ReaderCommand &command, std::string_view kept)
{
    switch (command.rule) {
    case AnswerRule::TimeBase:
        return timeBaseFromAnswer(kept, TimeBaseFactor::Other).has_value();
    case AnswerRule::Uid:
        return kept.size() == kUidLength && !holdsFailureMarker(kept) && !holdsControlCharacter(kept);
    case AnswerRule::PageData:
        return kept.size() == command.keptLength && !holdsFailureMarker(kept) && allHexDigits(kept);
    case AnswerRule::Ack:
        return kept == kAck;
    }
    return false;
}

} // namespace teb
