#pragma once

#include <QWidget>

namespace teb::gui {

// The up and down arrows beside a number box. Each press (and each repeat
// while held) is one step.
class SpinArrows : public QWidget {
    Q_OBJECT
public:
    explicit SpinArrows(QWidget *parent = nullptr);

signals:
    void stepped(bool up);
};

} // namespace teb::gui
