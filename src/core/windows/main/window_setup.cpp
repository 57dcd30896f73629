#include "windows/main/window_setup.h"

namespace teb {

// The controls as the window is built: fixed texts and the buttons that start
// disabled. The data-source commands and the default and cancel buttons have
// no widget, so there is nothing to hide.
void setUpControls(CQV58DlgView &view)
{
    for (std::size_t i = 0; i < controlCount(); ++i) {
        const ControlInfo &info = controlInfo(controlAt(i));
        if (!info.caption.empty() && controlAccepts(info.kind, ControlOperation::Text))
            view.setText(info.id, std::string(info.caption));
    }
    view.setEnabled(Control::ContOnButton, false);
    view.setEnabled(Control::StopButton, false); // until an operation waits for the reader
    view.setVisible(Control::TraceView, false);
    view.setEnabled(Control::OpenButton, false);
}

void colourControls(CQV58DlgView &view)
{
    for (std::size_t i = 0; i < controlCount(); ++i) {
        const ControlInfo &info = controlInfo(controlAt(i));
        if (info.kind != ControlKind::Label || info.id == Control::LogFileLabel)
            continue;
        view.setTextColour(info.id, colour::White);
        view.setBackground(info.id, colour::Black);
    }
    for (int page = 1; page <= kPageCount; ++page)
        view.setBackground(pageBox(page), colour::White);
    for (const Control box : {Control::ManualCarrierIdOffsetBox, Control::ManualCarrierIdLengthBox,
                              Control::ManualCarrierIdBox, Control::NextBox, Control::MaxBox, Control::UidBox})
        view.setBackground(box, colour::White);
}

} // namespace teb
