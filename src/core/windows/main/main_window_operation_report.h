#pragma once

#include "transponder/page_operation_context.h"

#include <functional>

namespace teb {

class DialogHost;
class MainWindowView;

// How the page and carrier ID operations reach the main window: result
// colours as box backgrounds, focus moves, the fields shown and the window
// repainted at once, messages with the station's caption.
class MainWindowOperationReport : public OperationReport {
public:
    MainWindowOperationReport(MainWindowView &view, DialogHost &dialogs, std::function<void()> showFields)
        : m_view(view), m_dialogs(dialogs), m_showFields(std::move(showFields))
    {
    }

    void colourPage(int page, ResultColour colour) override;
    void colourUid(ResultColour colour) override;
    void colourCarrierId(ResultColour colour) override;
    void focusPage(int page) override;
    void focusUid() override;
    void focusCarrierId() override;
    void showFields() override;
    void notify(const std::string &text, NoticeIcon icon) override;

private:
    MainWindowView &m_view;
    DialogHost &m_dialogs;
    std::function<void()> m_showFields;
};

} // namespace teb
