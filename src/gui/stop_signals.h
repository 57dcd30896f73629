#pragma once

#include <QObject>

class QSocketNotifier;

namespace teb::gui {

// SIGINT, SIGTERM and SIGHUP (Ctrl+C in the starting terminal, the session
// ending) become stopRequested() on the window's thread instead of killing
// the process, so that the station still takes its way out and writes its
// settings. The handler only writes one byte to a pipe.
class StopSignals : public QObject {
    Q_OBJECT
public:
    explicit StopSignals(QObject *parent = nullptr);
    ~StopSignals() override;

signals:
    void stopRequested();

private:
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace teb::gui
