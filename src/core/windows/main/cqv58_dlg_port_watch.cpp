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
    if (m_link.portOpen && m_readerPort.lineLost())
        closeLostPort();
    else if (!m_link.portOpen && m_link.lostPort)
        reopenReturnedPort();
}

void CQV58Dlg::closeLostPort()
{
    m_link.lostPort = m_readerPort.openedPort();
    m_readerPort.Close(m_link.portHandle); // the descriptor is gone whatever close reports
    m_link.portHandle = kNoPort;
    m_link.portOpen = false;
    m_terminal.putOnTop("(" + m_link.interfaceSettings.portName + " lost)\r\n");
    showMessage(portLostText(m_link.interfaceSettings.portName), kPortErrorCaption, MessageIcon::Stop);
}

// Through the path that finds the same device (its /dev/serial/by-id name
// where it has one); the settings keep the port name the operator chose.
void CQV58Dlg::reopenReturnedPort()
{
    const std::optional<std::filesystem::path> path = returnedPort(*m_link.lostPort);
    if (!path)
        return;
    InterfaceSettings settings = m_link.interfaceSettings;
    settings.portName = path->string();
    m_link.portHandle = m_readerPort.Open(settings);
    m_link.portOpen = isUsablePort(m_link.portHandle);
    if (!m_link.portOpen)
        return; // not ready yet (udev still setting it up): the next tick tries again
    m_link.lostPort.reset();
    m_terminal.putOnTop("(" + m_link.interfaceSettings.portName + " opened again)\r\n");
}

} // namespace teb
