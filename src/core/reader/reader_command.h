#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace teb {

// How an answer is judged once it is cut to its kept part.
enum class AnswerRule {
    TimeBase,  // "TOR": the leading number sets the time base
    Uid,       // "RUID": exactly 8 characters, no failure marker
    PageData,  // "RD n": exactly 16 hexadecimal digits before the line end
    Ack,       // "WD n", "LD n": the kept text is "ACK"
};

// One reader command: the bytes sent, how long its answer is awaited (in
// units of the time base), the line it leaves on the terminal view and how
// its answer is cut and judged.
struct ReaderCommand {
    static constexpr std::size_t kWholeLine = std::string::npos;

    std::string text;            // the bytes sent, ending in CR
    std::int32_t waitFactor = 0; // the answer is awaited waitFactor x T milliseconds
    std::string echoLine;        // put on the terminal view when sent; empty: none
    std::size_t keptLength = kWholeLine; // a page answer: the length it must have
    AnswerRule rule = AnswerRule::TimeBase;
};

// The command set; pages are 1..17, written in decimal.
ReaderCommand torCommand();
ReaderCommand readUidCommand();
ReaderCommand readPageCommand(int page);
ReaderCommand writePageCommand(int page, std::string_view hexDigits); // 16 upper-case digits
ReaderCommand lockPageCommand(int page);

// The part of an answer (as received, with its CR LF) that the command keeps;
// a page answer keeps all of its line.
std::string keptAnswer(const ReaderCommand &command, std::string_view answer);

// Whether the kept part of an answer is a success. A "TOR" answer succeeds
// when it carries a usable time number.
bool answerSucceeded(const ReaderCommand &command, std::string_view kept);

} // namespace teb
