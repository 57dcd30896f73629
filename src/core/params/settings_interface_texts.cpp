#include "params/settings_interface_texts.h"

#include "reader/interface_settings.h"

namespace teb {
namespace {

bool holds(std::string_view text, std::string_view word) { return text.find(word) != std::string_view::npos; }

} // namespace

std::int32_t readStopBitsSetting(std::string_view text)
{
    if (holds(text, "2"))
        return stopbits::Two;
    if (holds(text, "1.5"))
        return stopbits::OneAndHalf;
    return stopbits::One;
}

// The first of these words found in the text wins.
std::int32_t readParitySetting(std::string_view text)
{
    if (holds(text, "Even"))
        return parity::Even;
    if (holds(text, "Mark"))
        return parity::Mark;
    if (holds(text, "Odd"))
        return parity::Odd;
    if (holds(text, "Space"))
        return parity::Space;
    return parity::None;
}

std::int32_t readFlowControlSetting(std::string_view text)
{
    if (holds(text, "Xon / Xoff"))
        return flowcontrol::XonXoff;
    if (holds(text, "Hardware"))
        return flowcontrol::Hardware;
    return flowcontrol::None;
}

} // namespace teb
