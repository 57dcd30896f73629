#include "windows/main/link/link_part.h"

#include "windows/main/cqv58_dlg_control.h"
#include "windows/main/station_status.h"
#include "windows/main/time_of_day.h"
#include "reader/open_failure.h"
#include "reader/port_names.h"
#include "reader/terminal_send.h"

namespace teb {
namespace {

constexpr Rgb kStripBackground = colour::Black;
constexpr Rgb kGoodText = Rgb::fromComponents(80, 220, 120);
constexpr Rgb kQuietText = Rgb::fromComponents(150, 156, 162);
constexpr Rgb kBadBackground = Rgb::fromComponents(170, 20, 20);

std::string portLostText(const std::string &portName)
{
    return portName + " was lost: the adapter was unplugged or the line hung up.\r\n"
                      "The station opens it again as soon as the same device is back.";
}

} // namespace

LinkPart::LinkPart(CQV58DlgView &view, DialogHost &dialogs, TerminalPart &terminal, Window window)
    : m_view(view), m_dialogs(dialogs), m_terminal(terminal), m_window(std::move(window)),
      m_portListSource([this] { return discoverComPorts(m_workingDirectory); })
{
    // Lines that arrive while no reader operation runs go to the top of the
    // terminal view, through the inbox; the receive thread never blocks on the window.
    m_port.setTerminalSink([this](const std::string &line) {
        if (m_inbox.append(line))
            m_view.post();
    });
}

void LinkPart::sendClicked(const WallClock &clock)
{
    m_window.takeFromControls();
    const bool sent = send(m_terminal.input());
    m_terminal.sent(timeOfDay(clock(), true), portOpen(), sent);
    sayWhenClosed();
}

void LinkPart::terminalEntered(const WallClock &clock)
{
    m_view.selectAll(Control::TerminalInput);
    sendClicked(clock);
}

bool LinkPart::takeReceivedLines(const WallClock &clock)
{
    const ReceivedLines received = m_inbox.takeAll();
    if (received.lines.empty())
        return false;
    std::string newestFirst;
    for (auto line = received.lines.rbegin(); line != received.lines.rend(); ++line)
        newestFirst += *line;
    if (received.dropped > 0)
        newestFirst += droppedLinesNote(received.dropped);
    m_terminal.putOnTop(newestFirst);
    const auto now = clock();
    for (const std::string &line : received.lines)
        m_terminal.received(timeOfDay(now, true), line);
    m_terminal.showTrace();
    m_state.readerActivity.answered(timeOfDay(now));
    return true;
}

ReaderSession LinkPart::session(TerminalSink *terminal, TransactionWatch *watch)
{
    return ReaderSession{m_port, m_state.portHandle, m_state.timeBase, terminal, watch};
}

void LinkPart::open(const std::filesystem::path &workingDirectory)
{
    m_workingDirectory = workingDirectory;
    m_state.timeBase = kStartTimeBase;
    m_port.setWorkingDirectory(workingDirectory);
    m_state.readerActivity.forget();
    m_state.portOpen = false;
    m_state.portHandle = m_port.Open(m_state.interfaceSettings);
    m_state.portOpen = isUsablePort(m_state.portHandle);
    // Without a port chosen (a first start) the status strip says so and where
    // to choose one: a box about a nameless port would only puzzle.
    if (!m_state.portOpen && !m_state.interfaceSettings.portName.empty())
        showOkMessage(m_dialogs, openFailedMessage(m_state.interfaceSettings.portName, m_port.openFailure(), m_portListSource),
                    kPortErrorCaption, MessageIcon::Stop);
}

void LinkPart::close()
{
    if (m_port.Close(m_state.portHandle)) {
        m_state.portHandle = kNoPort;
        m_state.portOpen = false;
    } else {
        showOkMessage(m_dialogs, std::string(kPortCloseFailedText), kPortErrorCaption, MessageIcon::Stop);
    }
}

bool LinkPart::send(const std::string &line)
{
    return terminalSend(m_port, m_state.portHandle, m_state.portOpen, line);
}

// --- a lost adapter: the port that hung up is closed and the operator told;
// the same device, once it is back, is opened again without a restart.

void LinkPart::watch()
{
    if (m_state.portOpen && m_port.lineLost())
        closeLost();
    else if (!m_state.portOpen && m_state.lostPort)
        reopenReturned();
}

void LinkPart::closeLost()
{
    m_state.lostPort = m_port.openedPort();
    m_port.Close(m_state.portHandle); // the descriptor is gone whatever close reports
    m_state.portHandle = kNoPort;
    m_state.portOpen = false;
    m_terminal.putOnTop("(" + m_state.interfaceSettings.portName + " lost)\r\n");
    showOkMessage(m_dialogs, portLostText(m_state.interfaceSettings.portName), kPortErrorCaption, MessageIcon::Stop);
}

// Through the path that finds the same device (its /dev/serial/by-id name
// where it has one); the settings keep the port name the operator chose.
void LinkPart::reopenReturned()
{
    const std::optional<std::filesystem::path> path = returnedPort(*m_state.lostPort);
    if (!path)
        return;
    InterfaceSettings settings = m_state.interfaceSettings;
    settings.portName = path->string();
    m_state.portHandle = m_port.Open(settings);
    m_state.portOpen = isUsablePort(m_state.portHandle);
    if (!m_state.portOpen)
        return; // not ready yet (udev still setting it up): the next tick tries again
    m_state.lostPort.reset();
    m_terminal.putOnTop("(" + m_state.interfaceSettings.portName + " opened again)\r\n");
}

// --- the status strip: port, reader, set and journal, shown after every
// event and whenever lines came from the reader.

void LinkPart::showStatus(const Job &job)
{
    const std::pair<Control, StatusText> strip[] = {
        {Control::StatusPort, portStatus(m_state.interfaceSettings, m_state.portOpen)},
        {Control::StatusReader, readerStatus(m_state.readerActivity, m_state.interfaceSettings, m_state.portOpen)},
        {Control::StatusJob, jobStatus(job.setName, job.journalLocation, job.journalServer)},
    };
    for (std::size_t i = 0; i < std::size(strip); ++i) {
        const auto &[control, status] = strip[i];
        if (m_statusShown[i] == status.text)
            continue; // after every event, also the 10 ms ticks: only what changed is drawn
        m_statusShown[i] = status.text;
        m_view.setText(control, status.text);
        const bool bad = status.tone == StatusText::Tone::Bad;
        m_view.setBackground(control, bad ? kBadBackground : kStripBackground);
        m_view.setTextColour(control, status.tone == StatusText::Tone::Good    ? kGoodText
                                      : status.tone == StatusText::Tone::Quiet ? kQuietText
                                                                               : colour::White);
    }
}

void LinkPart::sayWhenClosed()
{
    if (!m_state.portOpen)
        showOkMessage(m_dialogs, portClosedText(m_state.interfaceSettings.portName), kWindowTitle, MessageIcon::Warning);
}

} // namespace teb
