#pragma once

#include "windows/main/station_status.h"
#include "reader/interface_settings.h"
#include "reader/port_identity.h"
#include "reader/reader_port.h"
#include "reader/time_base.h"

#include <cstdint>
#include <optional>

namespace teb {

// The main window's link to its reader: the port and its settings, the time
// base the reader last reported, what it last did, and a port that hung up.
struct LinkState {
    InterfaceSettings interfaceSettings; // portName, baudRate, dataBits and the three codes
    bool portOpen = false;
    PortHandle portHandle = kNoPort;
    std::int32_t timeBase = kStartTimeBase;
    ReaderActivity readerActivity; // what the status strip tells of the reader
    std::optional<PortIdentity> lostPort; // the device of a port that hung up, until it is back
};

} // namespace teb
