#include "windows/main/station_status.h"

namespace teb {
namespace {

constexpr std::string_view kSeparator = " \xB7 "; // a middle dot in Latin-1

std::string lineSettingsText(const InterfaceSettings &settings)
{
    static constexpr std::string_view kParity = "NOEMS";
    static constexpr std::string_view kStopBits[] = {"1", "1.5", "2"};
    const bool knownParity = settings.parityCode >= 0 && settings.parityCode < static_cast<int>(kParity.size());
    const bool knownStopBits = settings.stopBitsCode >= 0 && settings.stopBitsCode < 3;
    std::string text = std::to_string(settings.baudRate) + " " + std::to_string(settings.dataBits);
    text += knownParity ? kParity[static_cast<std::size_t>(settings.parityCode)] : '?';
    text += knownStopBits ? kStopBits[settings.stopBitsCode] : "?";
    if (settings.flowControlCode == flowcontrol::XonXoff)
        text += " XON/XOFF";
    else if (settings.flowControlCode == flowcontrol::Hardware)
        text += " RTS/CTS";
    return text;
}

} // namespace

void ReaderActivity::answered(std::string time)
{
    m_answeredAt = std::move(time);
    m_silentSince.clear();
}

// The first command unanswered after the last answer tells since when.
void ReaderActivity::silent(std::string time)
{
    if (m_silentSince.empty())
        m_silentSince = std::move(time);
}

void ReaderActivity::forget()
{
    m_answeredAt.clear();
    m_silentSince.clear();
}

StatusText portStatus(const InterfaceSettings &settings, bool open)
{
    if (settings.portName.empty())
        return {"no port chosen", StatusText::Tone::Bad};
    std::string text = settings.portName + " " + lineSettingsText(settings) + std::string(kSeparator);
    return open ? StatusText{text + "open", StatusText::Tone::Plain} : StatusText{text + "closed", StatusText::Tone::Bad};
}

StatusText readerStatus(const ReaderActivity &activity, const InterfaceSettings &settings, bool portOpen)
{
    if (settings.portName.empty())
        return {"choose the reader's port in \"Interface\" / \"Settings\"", StatusText::Tone::Plain};
    if (!portOpen)
        return {"reader not reachable", StatusText::Tone::Quiet};
    if (!activity.silentSince().empty())
        return {"reader not answering since " + activity.silentSince(), StatusText::Tone::Bad};
    if (!activity.answeredAt().empty())
        return {"reader answered at " + activity.answeredAt(), StatusText::Tone::Good};
    return {"reader not heard yet", StatusText::Tone::Quiet};
}

StatusText jobStatus(const std::string &setName, const std::string &journalLocation, const std::string &serverName)
{
    std::string text = setName.empty() ? std::string("no set") : "set " + setName;
    text += kSeparator;
    if (journalLocation.empty())
        return {text + "no journal", StatusText::Tone::Bad};
    if (!serverName.empty())
        return {text + "journal on server " + serverName, StatusText::Tone::Plain};
    // The whole path: two folders may each hold a file of the same name.
    return {text + "journal " + journalLocation, StatusText::Tone::Plain};
}

std::string portClosedText(const std::string &portName)
{
    const std::string port = portName.empty() ? std::string("No port") : "The port " + portName;
    return port + " is not open: nothing was sent to the reader.\r\n"
                  "Choose the reader's port in \"Interface\" / \"Settings\".";
}

} // namespace teb
