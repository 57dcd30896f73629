#include "sim_options.h"

#include "reader/port_names.h"

#include <charconv>
#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>

namespace teb::sim {

namespace {

constexpr int kMaxDelayMs = 600000;
constexpr std::size_t kUidLength = 8;
constexpr int kMaxSeed = 2147483647;

struct OptionError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

int numberIn(const std::string &option, const std::string &text, int lowest, int highest)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < lowest ||
        value > highest)
        throw OptionError(option + " wants a number from " + std::to_string(lowest) + " to " +
                          std::to_string(highest) + ", not \"" + text + "\"");
    return value;
}

int pageIn(const std::string &option, const std::string &text)
{
    const std::optional<int> page = pageNumber(text);
    if (!page)
        throw OptionError(option + " wants a page from 1 to 17, not \"" + text + "\"");
    return *page;
}

std::string hexBytes(const std::string &option, const std::string &text)
{
    if (text.size() % 2 != 0)
        throw OptionError(option + " wants pairs of hexadecimal digits, not \"" + text + "\"");
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        const char *first = text.data() + i;
        const auto [end, error] = std::from_chars(first, first + 2, value, 16);
        if (error != std::errc() || end != first + 2)
            throw OptionError(option + " wants pairs of hexadecimal digits, not \"" + text + "\"");
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

void setPage(SimOptions &options, const std::string &value)
{
    const std::size_t equals = value.find('=');
    if (equals == std::string::npos)
        throw OptionError("--page wants N=<16 hexadecimal digits>, not \"" + value + "\"");
    const int page = pageIn("--page", value.substr(0, equals));
    const auto bytes = pageBytes(value.substr(equals + 1));
    if (!bytes)
        throw OptionError("--page wants 16 hexadecimal digits after \"=\", not \"" +
                          value.substr(equals + 1) + "\"");
    options.reader.transponder->pages[page - 1] = *bytes;
}

void setUid(SimOptions &options, const std::string &value)
{
    if (value.size() != kUidLength)
        throw OptionError("--uid wants exactly 8 characters, not \"" + value + "\"");
    for (const char c : value) {
        if (c < 0x21 || c > 0x7E)
            throw OptionError("--uid wants printable characters without blanks");
    }
    options.reader.transponder->uid = value;
}

using Setter = std::function<void(SimOptions &, const std::string &)>;

const std::map<std::string, Setter> &optionsWithValue()
{
    static const std::map<std::string, Setter> setters{
        {"--dir", [](SimOptions &o, const std::string &v) { o.directory = v; }},
        {"--name",
         [](SimOptions &o, const std::string &v) {
             if (!comPortNumber(v))
                 throw OptionError("--name wants a name COMn, not \"" + v + "\"");
             o.portName = v;
         }},
        {"--family",
         [](SimOptions &o, const std::string &v) {
             if (v != "ti" && v != "orvex")
                 throw OptionError("--family wants ti or orvex, not \"" + v + "\"");
             o.reader.family = v == "ti" ? Family::TiMultipage : Family::OrvexMultipage;
         }},
        {"--uid", setUid},
        {"--tor", [](SimOptions &o, const std::string &v) { o.reader.timeOutNumber = numberIn("--tor", v, -99999, 99999); }},
        {"--delay",
         [](SimOptions &o, const std::string &v) {
             o.answerDelay = std::chrono::milliseconds(numberIn("--delay", v, 0, kMaxDelayMs));
         }},
        {"--page", setPage},
        {"--lock",
         [](SimOptions &o, const std::string &v) { o.reader.transponder->locked[pageIn("--lock", v) - 1] = true; }},
        {"--fault",
         [](SimOptions &o, const std::string &v) {
             const std::optional<FaultKind> kind = faultKindOf(v);
             if (!kind)
                 throw OptionError("unknown fault \"" + v + "\" (see --help)");
             o.fault.kind = *kind;
         }},
        {"--fault-on", [](SimOptions &o, const std::string &v) { o.fault.commandFilter = v; }},
        {"--fault-count",
         [](SimOptions &o, const std::string &v) { o.fault.count = numberIn("--fault-count", v, 0, 1000000); }},
        {"--fault-delay",
         [](SimOptions &o, const std::string &v) {
             o.fault.slowDelay = std::chrono::milliseconds(numberIn("--fault-delay", v, 0, kMaxDelayMs));
         }},
        {"--random-faults",
         [](SimOptions &o, const std::string &v) { o.randomFaults.perMille = numberIn("--random-faults", v, 0, 1000); }},
        {"--seed",
         [](SimOptions &o, const std::string &v) {
             o.randomFaults.seed = static_cast<std::uint32_t>(numberIn("--seed", v, 0, kMaxSeed));
         }},
        {"--swap-after",
         [](SimOptions &o, const std::string &v) {
             if (v.empty() || v.front() == ' ')
                 throw OptionError("--swap-after wants the words a command begins with, for example \"WD 1\"");
             o.swap.commandFilter = v;
         }},
        {"--swap-count",
         [](SimOptions &o, const std::string &v) { o.swap.count = numberIn("--swap-count", v, 0, 1000000); }},
        {"--noise", [](SimOptions &o, const std::string &v) { o.noise = hexBytes("--noise", v); }},
        {"--log", [](SimOptions &o, const std::string &v) { o.logFile = v; }},
        {"--write-log", [](SimOptions &o, const std::string &v) { o.writeLogFile = v; }},
    };
    return setters;
}

void applyFlag(ParsedOptions &parsed, bool &noTag, const std::string &flag)
{
    if (flag == "--help" || flag == "-h")
        parsed.showHelp = true;
    else if (flag == "--crlf")
        parsed.options.crLf = true;
    else if (flag == "--no-tag")
        noTag = true;
    else if (flag == "--exit-with-parent")
        parsed.options.exitWithParent = true;
    else if (flag == "--same-uid")
        parsed.options.sameUid = true;
    else
        throw OptionError("unknown option \"" + flag + "\"");
}

} // namespace

ParsedOptions parseOptions(const std::vector<std::string> &arguments)
{
    ParsedOptions parsed;
    bool noTag = false;
    try {
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            std::string name = arguments[i];
            std::optional<std::string> value;
            if (const std::size_t equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
                value = name.substr(equals + 1);
                name.resize(equals);
            }
            const auto setter = optionsWithValue().find(name);
            if (setter == optionsWithValue().end()) {
                if (value)
                    throw OptionError("option \"" + name + "\" takes no value");
                applyFlag(parsed, noTag, name);
                continue;
            }
            if (!value) {
                if (i + 1 == arguments.size())
                    throw OptionError("option \"" + name + "\" wants a value");
                value = arguments[++i];
            }
            setter->second(parsed.options, *value);
        }
    } catch (const OptionError &error) {
        parsed.error = error.what();
    }
    if (noTag)
        parsed.options.reader.transponder.reset();
    return parsed;
}

std::string helpText()
{
    return R"(Usage: tag-reader-sim [options]

A stand-in for the RFID read/write head of Tag Encoder Bench. It opens a
pseudo-terminal, links the name COMn in a directory to its line (so the
station, started in that directory, finds the reader as COMn) and answers the
reader's commands, each answer ended by CR:

  TOR          the time-out number (see --tor)
  RUID         the transponder's 8-character UID
  RD n         page n (1..17) as 16 upper-case hexadecimal digits
  WD n <hex>   writes 16 hexadecimal digits to page n: ACK, or NAK when the
               page is locked or the data are no 16 hexadecimal digits
  LD n         locks page n: ACK

A page number outside 1..17 is answered NAK, an unknown command ERR, an empty
line not at all. With no transponder on the antenna every transponder command
(RUID, RD, WD, LD) is answered "No Read". When ready it prints one line
"ready COMn -> /dev/pts/N" on standard output. SIGINT or SIGTERM end it and
remove the link. SIGUSR1 puts a new transponder on the antenna, as the
options made the first one (pages, locks, or none), with the next UID (the
UID read as a hexadecimal number, plus one, wrapping within its eight
digits: E0040150, E0040151, ...); SIGUSR2 puts back the
transponder that lay there before, as it was left, and takes the one on the
antenna away (a second SIGUSR2 swaps them again). SIGRTMIN (kill -RTMIN)
puts back the transponders that have come so far one per signal, in the
order they first came (the first, the second, ..., the first again after the
last), each as it was left. SIGRTMIN+1 (kill -RTMIN+1) turns every
injected fault off for good (--fault, --random-faults, --swap-after). The
station may close and reopen the line at any time.

Options (a value follows the option, or is joined with "="):
  --dir DIR          directory for the link (default: the current directory)
  --name COMn        name of the link (default: COM7)
  --family ti|orvex  transponder family (default: ti); an Orvex transponder
                     takes writes only after RUID since the last TOR and
                     since it came onto the antenna
  --uid TEXT         the first transponder's UID, exactly 8 printable
                     characters (default: E0040150)
  --same-uid         every new transponder has the first one's UID
  --tor N            the number that answers TOR (default: 10)
  --delay MS         wait before each answer, in milliseconds (default: 0)
  --page N=HEX       initial content of page N, 16 hexadecimal digits
                     (repeatable; pages not given hold zeros)
  --lock N           page N starts locked (repeatable)
  --no-tag           no transponder on the antenna
  --crlf             end answers with CR LF instead of CR
  --noise HEX        bytes sent before every answer, as hexadecimal pairs
                     (for example 00FF0A)
  --fault KIND       an injected fault, one of:
                       no-answer     the command is lost: nothing done, no answer
                       answer-lost   the command is carried out, its answer lost
                       wrong-answer  ERR
                       empty-answer  a lone CR
                       long-answer   the answer followed by 300 digits
                       no-read       No Read
                       marker-09     #09 at the start of the answer
                       marker-x      XXXXXXXX (X characters over the whole answer)
                       nak           NAK
                       slow          the right answer, after --fault-delay
                       byte-before   a blank before the answer (" ACK")
                       cut-answer    the answer without its last character ("AC")
                     A hit command changes the transponder only for
                     answer-lost, long-answer, slow, byte-before and cut-answer.
  --fault-on WORDS   only commands that begin with these words, for example
                     "RD" or "WD 3" (default: every command)
  --fault-count N    only the first N such commands (default: 0, all of them)
  --fault-delay MS   the delay of the slow fault (default: 2000)
  --random-faults N  besides --fault, each RD, WD and LD command is hit with
                     a chance of N per mille (0..1000) by one of: answer-lost,
                     a garbled answer (byte-before or cut-answer), both taking
                     effect, or nak (no effect); one in three each
  --seed N           the seed of --random-faults (default: 1): the same seed
                     hits the same commands of the same run
  --swap-after WORDS the next transponder (as on SIGUSR1) lies on the antenna
                     right after a command that begins with these words is
                     answered, for example "WD 1"
  --swap-count N     only after the first N such commands (default: 0, all of them)
  --log FILE         appends every received line to FILE, bytes other than
                     printable ASCII written as \xNN, a line
                     "# transponder <UID> ..." whenever a transponder is
                     put on the antenna, "# fault <KIND> on <command>" for
                     every fault injected and "# faults off"
  --write-log FILE   appends "<UID> WD n <hex>" and "<UID> LD n" to FILE for
                     every write and lock that took effect, flushed at once:
                     the last write of each page of a UID is what it holds
  --exit-with-parent ends (as on SIGTERM) when the process that started it
                     ends, so that a test run that breaks off leaves no reader behind
  --help             this text
)";
}

} // namespace teb::sim
