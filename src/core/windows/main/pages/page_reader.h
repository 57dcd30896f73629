#pragma once

#include "windows/main/cqv58_dlg_operation_report.h"
#include "windows/main/cqv58_dlg_view.h"
#include "windows/main/dialog_host.h"
#include "windows/main/link/link_part.h"
#include "windows/main/pages/pages_part.h"
#include "windows/main/terminal/terminal_part.h"
#include "transponder/page_operations.h"

#include <functional>
#include <string>
#include <string_view>

namespace teb {

// The page and carrier-ID operations on the reader link as the window runs
// them, for the manual group and the automatic cycle alike: what they find
// shows in the page boxes as it comes, and the time base a "TOR" answer set
// is kept for the next operation.
class PageReader {
public:
    using PageFlags = PageDisplay::PageFlags;

    // The window as the operations see it.
    struct Window {
        std::function<void()> showInControls;
        // A carrier ID found in the pages, for the manual group's box.
        std::function<void(const std::string &carrierId)> carrierIdFound;
    };

    PageReader(CQV58DlgView &view, DialogHost &dialogs, LinkPart &link, TerminalPart &terminal,
               TransactionWatch &watch, PagesPart &pages, Window window)
        : m_view(view), m_dialogs(dialogs), m_link(link), m_terminal(terminal), m_watch(watch), m_pages(pages),
          m_window(std::move(window))
    {
    }

    // Runs an operation on the reader link.
    template <typename Operation>
    auto run(Operation operation)
    {
        CQV58DlgOperationReport report(m_view, m_dialogs, [this](const PageOutcome &soFar) {
            take(soFar);
            m_window.showInControls();
        });
        PageOperationContext context{m_link.session(&m_terminal.sink(), &m_watch), m_link.portOpen(), report};
        auto outcome = operation(context);
        m_link.keepTimeBase(context.session);
        return outcome;
    }

    // What an operation found, into the page boxes and the carrier-ID box.
    void take(const PageOutcome &outcome);

    PageOutcome readUid();
    PageOutcome readPages(bool withUid);
    // The selected pages of the image; with an expected UID an Orvex
    // transponder takes the writes only while it is still that one.
    PageOutcome writePages(const PageImage &image, const PageFlags &selection, bool withUid,
                           std::string_view expectedUid = {});
    PageOutcome lockPages(const PageFlags &pages);
    TransponderReading readTransponder(const PageFlags &pages);

private:
    CQV58DlgView &m_view;
    DialogHost &m_dialogs;
    LinkPart &m_link;
    TerminalPart &m_terminal;
    TransactionWatch &m_watch;
    PagesPart &m_pages;
    Window m_window;
};

} // namespace teb
