#pragma once

#include "windows/config/cauto_dlg_view.h"

#include <QDialog>
#include <QTimer>

#include <array>
#include <map>

class QComboBox;

namespace teb::gui {

class MemoryMapWidget;

// "Config", the parameter set editor. It draws what its model CAutoDlg puts
// in and forwards every click, Enter, Tab, list choice and timer tick to it.
class QtCAutoDlg : public QDialog, public CAutoDlgView {
    Q_OBJECT
public:
    explicit QtCAutoDlg(QWidget *parent = nullptr);

    void setText(ConfigControl id, const std::string &text) override;
    std::string text(ConfigControl id) const override;
    void setListEntries(ConfigControl id, const std::vector<std::string> &entries) override;
    void setEnabled(ConfigControl id, bool enabled) override;
    void setBackground(ConfigControl id, Rgb colour) override;
    void setSwitchImage(ConfigControl id, bool on) override;
    void setFocus(ConfigControl id) override;
    void selectAll(ConfigControl id) override;
    void showMemoryMap(const MemoryMap &map) override;
    MessageAnswer showMessage(const MessageRequest &request) override;
    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest &request) override;
    void startOneShotTimer(ConfigTimer timer, std::chrono::milliseconds delay) override;
    void stopTimer(ConfigTimer timer) override;
    DialogResult runPagesEditor(auto_2 &editor) override;
    DialogResult runModal(CAutoDlg &dialog) override;
    void endDialog(DialogResult result) override;

    // Attaches the model without running the dialog modally (window tests,
    // screenshots); runModal does it itself.
    void attach(CAutoDlg &dialog) { m_model = &dialog; }
    QWidget *control(ConfigControl id) const;
    bool isTimerActive(ConfigTimer timer) const;

public slots:
    void reject() override;  // Escape and the close box: "Cancel"

private:
    void add(ConfigControl id, QWidget *widget);
    void connectControl(ConfigControl id, QWidget *widget);
    QComboBox *comboBox(ConfigControl id) const;
    QTimer &timer(ConfigTimer which) { return m_timers[static_cast<std::size_t>(which)]; }

    CAutoDlg *m_model = nullptr;
    std::map<ConfigControl, QWidget *> m_controls;
    MemoryMapWidget *m_memoryMap = nullptr;
    std::array<QTimer, 2> m_timers;

    friend class QtCAutoDlgLayout;
};

} // namespace teb::gui
