#include "reader/terminal_send.h"

namespace teb {

bool terminalSend(ReaderPort &port, PortHandle handle, bool portOpen, const std::string &terminalInput)
{
    if (!portOpen)
        return false;
    return port.WriteText(terminalInput + '\r', handle) == 0;
}

} // namespace teb
