#pragma once

#include "windows/main/cqv58_dlg_view.h"
#include "windows/main/dialog_host.h"
#include "windows/main/link/link_part.h"
#include "windows/main/manual/manual_group.h"
#include "windows/main/manual_carrier_id_write.h"
#include "windows/main/pages/page_reader.h"
#include "windows/main/pages/pages_part.h"
#include "windows/main/run_state.h"
#include "params/parameter_set.h"
#include "params/station_settings.h"
#include "records/record_entry.h"
#include "transponder/carrier_id_operations.h"

#include <filesystem>
#include <functional>
#include <string>

namespace teb {

// The manual group: read, write and lock the selected pages, read the UID,
// read and write the carrier ID, the transponder family, and the manual log
// of what was read or written.
class ManualPart {
public:
    // The window as the manual group sees it.
    struct Window {
        // Every control's value into the window's state, and back.
        std::function<void()> takeFromControls;
        std::function<void()> showInControls;
        std::function<const ParameterSet &()> currentSet;
        std::function<std::filesystem::path()> workingDirectory;
        // The journal's steps of "write carrier ID": before the write (false:
        // nothing may be written, the operator was told why), the reservation
        // the write makes, and its end once the pages were read back.
        std::function<bool(ManualCarrierIdWrite &)> prepareCarrierId;
        std::function<CarrierIdReservation(ManualCarrierIdWrite &)> reservation;
        std::function<void(const ManualCarrierIdWrite &, const CarrierIdWrite &)> concludeCarrierId;
    };

    ManualPart(CQV58DlgView &view, DialogHost &dialogs, LinkPart &link, PagesPart &pages, PageReader &reader,
               RunState &run, Window window)
        : m_view(view), m_dialogs(dialogs), m_link(link), m_pages(pages), m_reader(reader), m_run(run),
          m_window(std::move(window))
    {
    }

    const ManualGroup &state() const { return m_group; }

    // The part's own controls into its state, and back.
    void takeFromControls();
    void showInControls();

    void takeSettings(const StationSettings &settings);
    void putSettings(StationSettings &settings) const;
    void showSwitchImages();
    void showLogFileName();
    void setShown(bool shown); // the group's controls, in manual mode only

    // A carrier ID an operation found in the pages.
    void carrierIdFound(const std::string &carrierId) { m_group.manualCarrierId = carrierId; }
    // Whether pages are written right after the UID: the set's family, or in
    // manual mode the family chosen here.
    bool writesWithUid() const;

    // --- operator's handlers
    void readUidClicked();
    void readPagesClicked();
    void writePagesClicked();
    void lockPagesClicked();
    void readCarrierIdClicked();
    void writeCarrierIdClicked();
    void carrierIdLeft();     // the carrier-ID box lost the focus: its length is checked
    void carrierIdRangeLeft(); // the offset or length box lost the focus
    void chooseLogFile();     // "Open"
    void tiClicked();
    void orvexClicked();
    void logClicked();

private:
    void appendLog(records::ManualLogKind kind);
    void keepCarrierIdResult();
    CarrierIdEntry carrierIdEntry() const;
    void showFamilySwitches();
    bool logsNow() const;

    CQV58DlgView &m_view;
    DialogHost &m_dialogs;
    LinkPart &m_link;
    PagesPart &m_pages;
    PageReader &m_reader;
    RunState &m_run;
    Window m_window;
    ManualGroup m_group;
};

} // namespace teb
