#include "reader/interface_settings_texts.h"

#include "reader/interface_settings.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>

namespace teb {
namespace {

// Index in the list is the code; a code outside the list shows entry 0.
std::string textOfCode(const std::vector<std::string> &entries, std::int32_t code)
{
    if (code < 0 || static_cast<std::size_t>(code) >= entries.size())
        return entries.front();
    return entries[static_cast<std::size_t>(code)];
}

std::int32_t codeOfText(const std::vector<std::string> &entries, std::string_view text)
{
    const auto found = std::find(entries.begin(), entries.end(), text);
    if (found == entries.end())
        return 0;
    return static_cast<std::int32_t>(found - entries.begin());
}

// The code of the first entry (in the order given) that the text holds; 0 when none.
std::int32_t firstCodeHeld(const std::vector<std::string> &entries, std::string_view text,
                           std::initializer_list<std::int32_t> codesInSearchOrder)
{
    for (const std::int32_t code : codesInSearchOrder) {
        if (text.find(entries[static_cast<std::size_t>(code)]) != std::string_view::npos)
            return code;
    }
    return 0;
}

} // namespace

const std::vector<std::string> &baudRateEntries()
{
    static const std::vector<std::string> entries{"110",   "300",   "600",   "1200",   "2400",
                                                  "4800",  "9600",  "14400", "19200",  "38400",
                                                  "56000", "57600", "115200", "128000", "256000"};
    return entries;
}

const std::vector<std::string> &dataBitsEntries()
{
    static const std::vector<std::string> entries{"4", "5", "6", "7", "8"};
    return entries;
}

// The entries of the three code lists stand at the index of their code.
const std::vector<std::string> &parityEntries()
{
    static const std::vector<std::string> entries{"None", "Odd", "Even", "Mark", "Space"};
    return entries;
}

const std::vector<std::string> &stopBitsEntries()
{
    static const std::vector<std::string> entries{"1", "1.5", "2"};
    return entries;
}

const std::vector<std::string> &flowControlEntries()
{
    static const std::vector<std::string> entries{"No", "Xon / Xoff", "Hardware"};
    return entries;
}

std::string parityText(std::int32_t parityCode) { return textOfCode(parityEntries(), parityCode); }
std::string stopBitsText(std::int32_t stopBitsCode) { return textOfCode(stopBitsEntries(), stopBitsCode); }
std::string flowControlText(std::int32_t flowControlCode)
{
    return textOfCode(flowControlEntries(), flowControlCode);
}

std::int32_t parityCodeFromText(std::string_view text) { return codeOfText(parityEntries(), text); }
std::int32_t stopBitsCodeFromText(std::string_view text) { return codeOfText(stopBitsEntries(), text); }
std::int32_t flowControlCodeFromText(std::string_view text)
{
    return codeOfText(flowControlEntries(), text);
}

std::int32_t readStopBitsSetting(std::string_view text)
{
    return firstCodeHeld(stopBitsEntries(), text, {stopbits::Two, stopbits::OneAndHalf});
}

std::int32_t readParitySetting(std::string_view text)
{
    return firstCodeHeld(parityEntries(), text, {parity::Even, parity::Mark, parity::Odd, parity::Space});
}

std::int32_t readFlowControlSetting(std::string_view text)
{
    return firstCodeHeld(flowControlEntries(), text, {flowcontrol::XonXoff, flowcontrol::Hardware});
}

} // namespace teb
