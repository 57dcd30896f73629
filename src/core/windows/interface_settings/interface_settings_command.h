#pragma once

#include "reader/interface_settings.h"
#include "windows/interface_settings/ci2_dlg.h"
#include "reader/reader_port.h"

#include <chrono>
#include <optional>
#include <string>

namespace teb {

// What "Interface" / "Settings" needs from the main window. The main window
// model implements it; its fields are handed out by reference.
class InterfaceSettingsHost {
public:
    enum class MessageIcon { Information, Warning, Stop, Question };

    static constexpr int kCycleTimerId = 3;
    static constexpr std::chrono::milliseconds kCycleTimerInterval{10};
    static constexpr int kDeferredTimerId = 5;
    static constexpr std::chrono::milliseconds kDeferredTimerInterval{500};

    virtual ~InterfaceSettingsHost() = default;

    virtual void takeFromControls() = 0;
    virtual void showInControls() = 0;
    virtual void stopTimer(int timerId) = 0;
    virtual void startTimer(int timerId, std::chrono::milliseconds interval) = 0;

    virtual InterfaceSettings &interfaceSettings() = 0;
    virtual PortHandle &portHandle() = 0;
    virtual bool &portOpen() = 0;
    // Close and Open of the main window's ReaderPort.
    virtual bool closePort(PortHandle handle) = 0;
    virtual PortHandle openPort(const InterfaceSettings &settings) = 0;
    // Why the last openPort failed, where the port can tell.
    virtual std::optional<OpenFailure> openFailure() const = 0;

    // A message box with an OK button.
    virtual void showMessage(const std::string &caption, MessageIcon icon, const std::string &text) = 0;
    // Runs the dialog modally on a window of its own (CI2Dlg::run on a view).
    virtual CI2DlgView::Result runDialog(CI2Dlg &dialog) = 0;
};

// The handler of "Interface" / "Settings": closes the port, lets the operator
// edit the six settings (ports listed from `portList`) and opens the port
// again with the values then current, after "OK" and "Cancel" alike. A port
// that does not open is reported with the reason why.
void runInterfaceSettings(InterfaceSettingsHost &host, const CI2Dlg::PortListSource &portList);

} // namespace teb
