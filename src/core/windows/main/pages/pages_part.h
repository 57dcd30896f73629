#pragma once

#include "windows/main/cqv58_dlg_view.h"
#include "windows/main/dialog_host.h"
#include "windows/main/pages/page_display.h"
#include "params/parameter_set.h"
#include "params/station_settings.h"
#include "records/record_entry.h"

#include <functional>

namespace teb {

// The page boxes: their texts in HEX or ASCII, the selection, the UID box,
// the mode's colours and the focus asked for. In automatic mode the current
// set decides which pages may be edited and what they show.
class PagesPart {
public:
    using PageFlags = PageDisplay::PageFlags;

    // The window as the page boxes see it.
    struct Window {
        std::function<const ParameterSet &()> currentSet;
        // Every control's value into the window's state, and back.
        std::function<void()> takeFromControls;
        std::function<void()> showInControls;
    };

    PagesPart(CQV58DlgView &view, DialogHost &dialogs, Window window)
        : m_view(view), m_dialogs(dialogs), m_window(std::move(window))
    {
    }

    const PageDisplay &state() const { return m_display; }

    // The part's own controls into its state, and back.
    void takeFromControls();
    void showInControls();

    // --- settings
    void takeSettings(const StationSettings &settings);
    void putSettings(StationSettings &settings) const;
    void showSwitchImages();

    // --- operator's handlers
    void showFormat(bool ascii); // "ASCII" / "HEX"
    void pageSelectClicked(int page);
    void selectAllClicked();
    void pageEntered(int page);  // Enter in a page box
    void loadDefaultContent();   // "Default"

    // --- modes
    void setAutomaticMode(bool automatic) { m_display.automaticMode = automatic; }
    void showModeSwitches();
    void showAutomatic(); // the set's pages, greyed where it keeps them
    void showManual();    // every page editable and white
    // The boxes lose the last operation's result colours.
    void clearResultColours();
    // Pages 3 to 17 selected as the set writes them, and its texts shown.
    void showSet();
    void selectCarrierIdPages() { m_display.pageSelected[0] = m_display.pageSelected[1] = true; }
    void setAsciiFormat(bool ascii) { m_display.asciiFormat = ascii; }
    void showFormatSwitches();

    // --- what an operation finds or places
    void showFound(const PageOutcome &outcome) { m_display.showFound(outcome); }
    void showPlaced(const PageImage &pages) { m_display.showPlaced(pages); }
    void setSucceeded(const PageFlags &succeeded) { m_display.pageSucceeded = succeeded; }
    PageImage image(const PageCells &fallback = {}) const { return m_display.image(fallback); }
    // The selected pages that hold a text (only those read or written in the
    // last operation when `onlySucceeded`), as a record or log entry shows them.
    records::RecordEntry recordEntry(bool withUid, bool onlySucceeded) const;

    // --- focus, given at the next half-second tick
    void requestFocus(std::size_t pageIndex) { m_display.pageFocusRequest[pageIndex] = true; }
    void requestFocusOnOne() { m_display.focusOneRequest = true; }
    void requestFocusOnFirstEditablePage();
    void serveFocusRequests();

private:
    void convertPageTexts(bool toAscii);
    void fillKeptTexts();
    void moveFocusThroughPageBoxes();
    void rebuildPageTextsFromSet();
    Rgb pageBoxBackground(int page) const;

    CQV58DlgView &m_view;
    DialogHost &m_dialogs;
    Window m_window;
    PageDisplay m_display;
};

} // namespace teb
