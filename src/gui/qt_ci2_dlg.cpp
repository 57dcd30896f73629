#include "qt_ci2_dlg.h"

#include "qt_text.h"
#include "ui_qt_ci2_dlg.h"

namespace teb::gui {

QtCI2Dlg::QtCI2Dlg(QWidget *parent)
    : QDialog(parent), m_form(std::make_unique<Ui::QtCI2Dlg>())
{
    m_form->setupUi(this);
    setFixedSize(sizeHint());
}

QtCI2Dlg::~QtCI2Dlg() = default;

QComboBox *QtCI2Dlg::comboBox(I2Combo combo) const
{
    switch (combo) {
    case I2Combo::Port: return m_form->portCombo;
    case I2Combo::BaudRate: return m_form->baudRateCombo;
    case I2Combo::DataBits: return m_form->dataBitsCombo;
    case I2Combo::Parity: return m_form->parityCombo;
    case I2Combo::StopBits: return m_form->stopBitsCombo;
    case I2Combo::FlowControl: return m_form->flowControlCombo;
    }
    return nullptr;
}

void QtCI2Dlg::setComboEntries(I2Combo combo, const std::vector<std::string> &entries)
{
    QComboBox *box = comboBox(combo);
    box->clear();
    for (const std::string &entry : entries)
        box->addItem(fromLatin1(entry));
}

void QtCI2Dlg::selectComboEntry(I2Combo combo, std::size_t index)
{
    comboBox(combo)->setCurrentIndex(static_cast<int>(index));
}

void QtCI2Dlg::setComboText(I2Combo combo, const std::string &text)
{
    QComboBox *box = comboBox(combo);
    box->setCurrentIndex(-1);
    box->setEditText(fromLatin1(text));
}

std::string QtCI2Dlg::comboText(I2Combo combo) const { return toLatin1(comboBox(combo)->currentText()); }

CI2DlgView::Result QtCI2Dlg::runModal()
{
    return exec() == QDialog::Accepted ? Result::Ok : Result::Cancel;
}

} // namespace teb::gui
