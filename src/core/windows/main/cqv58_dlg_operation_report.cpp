#include "windows/main/cqv58_dlg_operation_report.h"

#include "windows/main/cqv58_dlg.h"

namespace teb {
namespace {

Rgb rgbOf(ResultColour colour)
{
    switch (colour) {
    case ResultColour::Green: return colour::Green;
    case ResultColour::Red: return colour::Red;
    case ResultColour::White: break;
    }
    return colour::White;
}

} // namespace

void CQV58DlgOperationReport::colourPage(int page, ResultColour colour)
{
    m_view.setBackground(pageBox(page), rgbOf(colour));
}

void CQV58DlgOperationReport::colourUid(ResultColour colour) { m_view.setBackground(Control::UidBox, rgbOf(colour)); }

void CQV58DlgOperationReport::colourCarrierId(ResultColour colour)
{
    m_view.setBackground(Control::ManualCarrierIdBox, rgbOf(colour));
}

void CQV58DlgOperationReport::focusPage(int page) { m_view.setFocus(pageBox(page)); }
void CQV58DlgOperationReport::focusUid() { m_view.setFocus(Control::UidBox); }
void CQV58DlgOperationReport::focusCarrierId() { m_view.setFocus(Control::ManualCarrierIdBox); }

void CQV58DlgOperationReport::show(const PageOutcome &soFar)
{
    m_showFound(soFar);
    m_view.repaintWindow();
}

void CQV58DlgOperationReport::notify(const std::string &text, NoticeIcon icon)
{
    m_dialogs.showMessage(MessageRequest{text, std::string(kWindowTitle),
                                         icon == NoticeIcon::Warning ? MessageIcon::Warning : MessageIcon::Information,
                                         MessageButtons::Ok});
}

} // namespace teb
