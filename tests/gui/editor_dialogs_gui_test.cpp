// The two parameter set editors through their real widgets, offscreen: the
// operator types, presses Enter and Tab and clicks, the models decide.
#include "controls/enter_edit.h"
#include "qt_auto_2.h"
#include "qt_cauto_dlg.h"
#include "windows/config/cauto_dlg.h"
#include "params/parameter_set_file.h"
#include "params/parameter_set_save.h"
#include "support/automatic_job.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace teb::gui {
namespace {

// A decimal counter from 1, four digits long, with its counter on page 5.
ParameterSet decimalCounterSet(const std::string &name, const std::string &quantity)
{
    ParameterSet set = test::automaticJob();
    set.name = name;
    set.quantity = quantity;
    set.carrierIdLength = "4";
    set.counterPage = "5";
    set.alignment = "None";
    set.logEnabled = false;
    for (PageSetting &page : set.pages)
        page.locked = false;
    return set;
}

CEnterEdit *fieldOf(const QtCAutoDlg &dialog, ConfigControl id) { return qobject_cast<CEnterEdit *>(dialog.control(id)); }

// Replaces the field's text as the operator would, then presses a key.
void typeInto(QWidget *field, const QString &text, Qt::Key key)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, key);
}

void click(QWidget *button) { QTest::mouseClick(button, Qt::LeftButton); }

} // namespace

class EditorDialogsTest : public QObject {
    Q_OBJECT

    test::TempDir m_directory;
    std::unique_ptr<CAutoDlg> m_model;
    std::unique_ptr<QtCAutoDlg> m_dialog;

    // "Config" on the sets "Demo" (current) and "second".
    QtCAutoDlg &openConfig()
    {
        for (const auto &[name, quantity] : {std::pair("Demo", "1"), std::pair("second", "300")}) {
            SetList list;
            saveParameterSet(m_directory.path(), decimalCounterSet(name, quantity), list, [] { return true; });
        }
        ConfigEditorInput input;
        input.workingDirectory = m_directory.path();
        input.currentSetName = "Demo";
        input.setList = SetList({"Demo", "second"});
        input.carrierId = "1";
        input.counterValue = "00000042";
        m_model = std::make_unique<CAutoDlg>(input);
        m_dialog = std::make_unique<QtCAutoDlg>();
        m_model->open(*m_dialog);
        m_dialog->attach(*m_model);
        m_dialog->show();
        QApplication::setActiveWindow(m_dialog.get());
        return *m_dialog;
    }

private slots:
    // Enter and Tab move between the fields, Save keeps names beyond Latin-1
    // apart, OK hands the saved set back.
    void configTypedWithEnterAndTabSavesAndHandsBack()
    {
        QtCAutoDlg &dialog = openConfig();
        QCOMPARE(fieldOf(dialog, hexCell(3))->text(), QStringLiteral("31"));

        typeInto(fieldOf(dialog, ConfigControl::CarrierId), QStringLiteral("42"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dialog.control(ConfigControl::CarrierIdOffset));
        typeInto(fieldOf(dialog, ConfigControl::CarrierIdOffset), QStringLiteral("3"), Qt::Key_Return);
        typeInto(fieldOf(dialog, ConfigControl::CarrierIdLength), QStringLiteral("5"), Qt::Key_Return);
        QVERIFY(!dialog.control(ConfigControl::OkButton)->isEnabled());
        // A byte cell: Enter converts into the other row and moves on along its own row.
        typeInto(fieldOf(dialog, asciiCell(12)), QStringLiteral("Z"), Qt::Key_Return);
        QCOMPARE(fieldOf(dialog, hexCell(12))->text(), QStringLiteral("5A"));
        QCOMPARE(QApplication::focusWidget(), dialog.control(asciiCell(13)));

        // A set's name is its file's name: "Ω-Lot" and "Σ-Lot" must not both become "?-Lot".
        auto *names = qobject_cast<QComboBox *>(dialog.control(ConfigControl::NameList));
        for (const QString &name : {QStringLiteral("Ω-Lot"), QStringLiteral("Σ-Lot")}) {
            names->setEditText(name);
            click(dialog.control(ConfigControl::SaveButton));
            QVERIFY(std::filesystem::exists(m_directory.path() / (name.toStdString() + ".ini")));
        }
        QVERIFY(dialog.control(ConfigControl::OkButton)->isEnabled());
        click(dialog.control(ConfigControl::OkButton));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(m_model->result().currentSetName, std::string("Σ-Lot"));
        QCOMPARE(m_model->result().set.carrierId, std::string("42"));
        QVERIFY(loadParameterSet(m_directory.path(), "Σ-Lot") == m_model->result().set);
    }

    // "Edit" opens "Config Pages 3-17" modally: a cell confirmed with Tab
    // moves on from the last byte to the first, the format switch converts
    // the cells, and OK hands the pages back.
    void editOpensThePagesEditorModally()
    {
        QtCAutoDlg &dialog = openConfig();
        bool sawCounter = false;
        QTimer::singleShot(0, [&] {
            auto *pages = qobject_cast<QtAuto2 *>(QApplication::activeModalWidget());
            QVERIFY(pages != nullptr);
            QApplication::setActiveWindow(pages);
            sawCounter = qobject_cast<QLineEdit *>(pages->control(pagesCell(39)))->text() == QStringLiteral("32");
            QVERIFY(!pages->control(pagesEditSwitch(5))->isEnabled());
            auto *cell = qobject_cast<QLineEdit *>(pages->control(pagesCell(135)));
            typeInto(cell, QStringLiteral("7e"), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), pages->control(pagesCell(16)));
            click(pages->control(PagesControl::AsciiFormat));
            QCOMPARE(cell->text(), QStringLiteral("~"));
            click(pages->control(pagesLockSwitch(9)));
            click(pages->control(PagesControl::Ok));
        });
        click(dialog.control(ConfigControl::EditPagesButton));
        QVERIFY(sawCounter);
        QCOMPARE(m_model->set().pages[16].hex[7], std::string("7E"));
        QVERIFY(m_model->set().pages[8].locked);
        QCOMPARE(m_model->set().counterValue, std::string("00000042"));
    }
};

} // namespace teb::gui

QTEST_MAIN(teb::gui::EditorDialogsTest)
#include "editor_dialogs_gui_test.moc"
