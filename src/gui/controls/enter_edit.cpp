#include "controls/enter_edit.h"

#include <QKeyEvent>

namespace teb::gui {

CEnterEdit::CEnterEdit(int classNumber, int fieldId, QWidget *parent)
    : QLineEdit(parent), m_classNumber(classNumber), m_fieldId(fieldId)
{
}

// Tab never reaches the focus chain: the field keeps it.
bool CEnterEdit::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            if (reportsTab() && key->key() == Qt::Key_Tab)
                emit tabbed(m_fieldId);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CEnterEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit completed(m_fieldId);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        event->accept(); // the field takes every key: Escape does not end the window
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CEnterEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    emit focusLeft(m_fieldId);
    if (m_classNumber == kCompleteOnFocusLossClass)
        emit completed(m_fieldId);
}

void CEnterEdit::setTextColor(const QColor &colour, bool redraw) { setColour(QPalette::Text, colour, redraw); }
void CEnterEdit::setBackgroundColor(const QColor &colour, bool redraw) { setColour(QPalette::Base, colour, redraw); }

void CEnterEdit::setBold(bool bold, bool redraw)
{
    QFont weighted = font();
    weighted.setBold(bold);
    setFont(weighted);
    if (redraw && isVisible())
        update();
}

QColor CEnterEdit::textColor() const { return palette().color(QPalette::Text); }
QColor CEnterEdit::backgroundColor() const { return palette().color(QPalette::Base); }

// A disabled field keeps the colours it was given, as the window asks for
// grey boxes explicitly.
void CEnterEdit::setColour(QPalette::ColorRole role, const QColor &colour, bool redraw)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Active, role, colour);
    colours.setColor(QPalette::Inactive, role, colour);
    colours.setColor(QPalette::Disabled, role, colour);
    setPalette(colours);
    if (redraw && isVisible())
        update();
}

} // namespace teb::gui
