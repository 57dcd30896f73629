#pragma once

#include <QLineEdit>

namespace teb::gui {

// A one-line field that reports when the operator has finished typing.
// Enter is reported as completed(fieldId) and never inserted, nor passed on
// to the window's default button. The class number (0 for the plain field,
// 1..25) decides the rest:
//   22..25  Tab is reported as tabbed(fieldId); the focus stays;
//   22      losing the focus is reported as completed(fieldId) too.
// Tab in the other classes and Escape in all are swallowed: they neither
// move the focus nor reach the window.
// focusLeft(fieldId) is emitted by every class when the field loses focus.
// Classes 1..25 carry colours and a weight of their own.
class CEnterEdit : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kPlainClass = 0;
    static constexpr int kFirstTabClass = 22;
    static constexpr int kCompleteOnFocusLossClass = 22;
    static constexpr int kLastClass = 25;

    CEnterEdit(int classNumber, int fieldId, QWidget *parent = nullptr);

    int classNumber() const { return m_classNumber; }
    int fieldId() const { return m_fieldId; }
    bool reportsTab() const { return m_classNumber >= kFirstTabClass; }

    void setTextColor(const QColor &colour, bool redraw = true);
    void setBackgroundColor(const QColor &colour, bool redraw = true);
    void setBold(bool bold, bool redraw = true);
    QColor textColor() const;
    QColor backgroundColor() const;

signals:
    void completed(int fieldId);
    void tabbed(int fieldId);
    void focusLeft(int fieldId);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void setColour(QPalette::ColorRole role, const QColor &colour, bool redraw);

    int m_classNumber;
    int m_fieldId;
};

} // namespace teb::gui
