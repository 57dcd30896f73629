// A lost adapter: the port that hung up is closed and the operator told; the
// same device, once it is back, is opened again without a restart.
#include "windows/main/cqv58_dlg.h"

#include "reader/reader_transaction.h"

namespace teb {

namespace {

std::string portLostText(const std::string &portName)
{
    return portName + " was lost: the adapter was unplugged or the line hung up.\r\n"
                      "The station opens it again as soon as the same device is back.";
}

} // namespace

// Run by the 500 ms tick.
void CQV58Dlg::watchPort()
{
    if (portOpen && m_readerPort.lineLost())
        closeLostPort();
    else if (!portOpen && m_lostPort)
        reopenReturnedPort();
}

void CQV58Dlg::closeLostPort()
{
    m_lostPort = m_readerPort.openedPort();
    m_readerPort.Close(portHandle); // the descriptor is gone whatever close reports
    portHandle = kNoPort;
    portOpen = false;
    putOnTerminal(terminalText, "(" + interfaceSettings.portName + " lost)\r\n");
    showTerminalText();
    showMessage(portLostText(interfaceSettings.portName), kPortErrorCaption, MessageIcon::Stop);
}

// Through the path that finds the same device (its /dev/serial/by-id name
// where it has one); the settings keep the port name the operator chose.
void CQV58Dlg::reopenReturnedPort()
{
    const std::optional<std::filesystem::path> path = returnedPort(*m_lostPort);
    if (!path)
        return;
    InterfaceSettings settings = interfaceSettings;
    settings.portName = path->string();
    portHandle = m_readerPort.Open(settings);
    portOpen = isUsablePort(portHandle);
    if (!portOpen)
        return; // not ready yet (udev still setting it up): the next tick tries again
    m_lostPort.reset();
    putOnTerminal(terminalText, "(" + interfaceSettings.portName + " opened again)\r\n");
    showTerminalText();
}

} // namespace teb
