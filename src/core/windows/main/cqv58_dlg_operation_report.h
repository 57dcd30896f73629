#pragma once

#include "transponder/page_operation_context.h"

#include <functional>

namespace teb {

class DialogHost;
class CQV58DlgView;

// How the page and carrier ID operations reach the main window: result
// colours as box backgrounds, focus moves, what was found so far shown and
// the window repainted at once, messages with the station's caption.
class CQV58DlgOperationReport : public OperationReport {
public:
    using ShowFound = std::function<void(const PageOutcome &)>;

    CQV58DlgOperationReport(CQV58DlgView &view, DialogHost &dialogs, ShowFound showFound)
        : m_view(view), m_dialogs(dialogs), m_showFound(std::move(showFound))
    {
    }

    void colourPage(int page, ResultColour colour) override;
    void colourUid(ResultColour colour) override;
    void colourCarrierId(ResultColour colour) override;
    void focusPage(int page) override;
    void focusUid() override;
    void focusCarrierId() override;
    void show(const PageOutcome &soFar) override;
    void notify(const std::string &text, NoticeIcon icon) override;

private:
    CQV58DlgView &m_view;
    DialogHost &m_dialogs;
    ShowFound m_showFound;
};

} // namespace teb
