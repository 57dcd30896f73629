#pragma once

#include "windows/pages_editor/auto_2_view.h"

#include <QDialog>

#include <map>

namespace teb::gui {

// "Config Pages 3-17": the byte cells and switches of pages 3 to 17. It draws
// what its model auto_2 puts in and forwards every report to it.
class QtAuto2 : public QDialog, public auto_2View {
    Q_OBJECT
public:
    explicit QtAuto2(QWidget *parent = nullptr);

    void setText(PagesControl id, const std::string &text) override;
    std::string text(PagesControl id) const override;
    void setEnabled(PagesControl id, bool enabled) override;
    void setSwitchImage(PagesControl id, bool on) override;
    void setFocus(PagesControl id) override;
    void selectAll(PagesControl id) override;
    MessageAnswer showMessage(const MessageRequest &request) override;
    DialogResult runModal(auto_2 &dialog) override;
    void endDialog(DialogResult result) override;

    // Attaches the model without running the dialog modally (window tests,
    // screenshots); runModal does it itself.
    void attach(auto_2 &dialog) { m_model = &dialog; }
    QWidget *control(PagesControl id) const;

public slots:
    void reject() override;  // Escape and the close box: "Abbrechen"

private:
    void build();
    QWidget *formatRow();
    QWidget *pageGrid();
    QWidget *buttonRow();
    void add(PagesControl id, QWidget *widget);

    auto_2 *m_model = nullptr;
    std::map<PagesControl, QWidget *> m_controls;
};

} // namespace teb::gui
