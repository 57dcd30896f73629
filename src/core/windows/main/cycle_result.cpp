#include "windows/main/cycle_result.h"

#include <string_view>

namespace teb {
namespace {

constexpr std::string_view kNoRead = "No Read";

std::string firstLine(const std::string &text) { return text.substr(0, text.find('\r')); }

// "WD 3 ..." gives "WD" and "3".
std::pair<std::string, std::string> verbAndPage(const std::string &command)
{
    const std::size_t verbEnd = command.find(' ');
    if (verbEnd == std::string::npos)
        return {command, {}};
    const std::size_t pageEnd = command.find(' ', verbEnd + 1);
    return {command.substr(0, verbEnd), command.substr(verbEnd + 1, pageEnd - verbEnd - 1)};
}

std::string exchangeReason(const FailedExchange &failure)
{
    if (failure.heldBack)
        return "stopped by the operator";
    if (!failure.sent)
        return "the command could not be sent to the reader";
    if (failure.answer.empty())
        return "the reader did not answer";
    if (failure.answer.find(kNoRead) != std::string::npos)
        return "no transponder on the antenna";
    const auto [verb, page] = verbAndPage(failure.command);
    const std::string quoted = "\"" + failure.answer + "\"";
    if (verb == "WD")
        return failure.answer.starts_with("NAK") ? "page " + page + " is locked"
                                                 : "page " + page + " got the answer " + quoted + " and may hold the data";
    if (verb == "LD")
        return "page " + page + " could not be locked: " + quoted;
    if (verb == "RUID")
        return "the UID could not be read: " + quoted;
    return "the reader answered " + quoted + " to " + failure.command;
}

std::string noticeReason(const std::string &notice)
{
    if (notice == "Quantity reached.")
        return "quantity reached";
    return firstLine(notice);
}

} // namespace

std::string failureReason(const CycleTrack &track, bool portOpen)
{
    if (track.stopped)
        return "stopped by the operator";
    if (!portOpen)
        return "the port is closed; nothing was sent";
    if (!track.cycleFailure.empty())
        return track.cycleFailure;
    if (track.dataRefused && !track.notices.empty())
        return noticeReason(track.notices.front());
    if (track.failure)
        return exchangeReason(*track.failure);
    if (!track.notices.empty())
        return noticeReason(track.notices.front());
    return "the transponder was not programmed";
}

std::string resultIdentity(const CycleResult &result)
{
    std::string text;
    if (!result.carrierId.empty())
        text = "carrier ID " + result.carrierId;
    if (!result.uid.empty())
        text += (text.empty() ? "" : " \xB7 ") + std::string("UID ") + result.uid;
    return text;
}

std::string progressText(std::uint64_t programmed, std::uint64_t quantity)
{
    if (quantity == 0)
        return std::to_string(programmed) + " programmed";
    return std::to_string(programmed) + " of " + std::to_string(quantity) + " programmed";
}

} // namespace teb
