#include "params/interface_texts.h"

#include "reader/interface_settings.h"

namespace teb {
namespace {

bool holds(std::string_view text, std::string_view word) { return text.find(word) != std::string_view::npos; }

} // namespace

std::int32_t stopBitsCodeFromText(std::string_view text)
{
    if (holds(text, "2"))
        return stopbits::Two;
    if (holds(text, "1.5"))
        return stopbits::OneAndHalf;
    return stopbits::One;
}

std::int32_t parityCodeFromText(std::string_view text)
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

std::int32_t flowControlCodeFromText(std::string_view text)
{
    if (holds(text, "Xon / Xoff"))
        return flowcontrol::XonXoff;
    if (holds(text, "Hardware"))
        return flowcontrol::Hardware;
    return flowcontrol::None;
}

std::string stopBitsText(std::int32_t code)
{
    switch (code) {
    case stopbits::Two: return "2";
    case stopbits::OneAndHalf: return "1.5";
    default: return "1";
    }
}

std::string parityText(std::int32_t code)
{
    switch (code) {
    case parity::Odd: return "Odd";
    case parity::Even: return "Even";
    case parity::Mark: return "Mark";
    case parity::Space: return "Space";
    default: return "None";
    }
}

std::string flowControlText(std::int32_t code)
{
    switch (code) {
    case flowcontrol::XonXoff: return "Xon / Xoff";
    case flowcontrol::Hardware: return "Hardware";
    default: return "No";
    }
}

} // namespace teb
