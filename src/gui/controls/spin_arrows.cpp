#include "controls/spin_arrows.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace teb::gui {
namespace {

QToolButton *arrowButton(Qt::ArrowType arrow, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return button;
}

} // namespace

SpinArrows::SpinArrows(QWidget *parent) : QWidget(parent)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    QToolButton *up = arrowButton(Qt::UpArrow, this);
    QToolButton *down = arrowButton(Qt::DownArrow, this);
    column->addWidget(up);
    column->addWidget(down);
    connect(up, &QToolButton::clicked, this, [this] { emit stepped(true); });
    connect(down, &QToolButton::clicked, this, [this] { emit stepped(false); });
}

} // namespace teb::gui
