// The two parameter set editors through their real widgets, offscreen: the
// operator types, presses Enter and Tab and clicks, the models decide.
#include "config_dialog.h"
#include "controls/enter_edit.h"
#include "controls/image_switch.h"
#include "memory_map_widget.h"
#include "pages_editor_dialog.h"
#include "windows/config/cauto_dlg.h"
#include "params/parameter_set_file.h"
#include "params/parameter_set_save.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace teb::gui {
namespace {

const QColor windowGreen(0, 255, 153);

ParameterSet decimalCounterSet(const std::string &name)
{
    ParameterSet set;
    set.name = name;
    set.useDecimalCounter = true;
    set.carrierIdOffset = "0";
    set.carrierIdLength = "4";
    set.memoryPage = "1";
    set.transponderTi = true;
    set.counterPage = "None";
    set.alignment = "None";
    for (PageSetting &page : set.pages)
        page.hex.fill("00");
    return set;
}

void store(const std::filesystem::path &directory, const ParameterSet &set)
{
    SetList list;
    saveParameterSet(directory, set, list, [] { return true; });
}

ConfigEditorInput inputFor(const std::filesystem::path &directory, const std::string &name,
                           const std::vector<std::string> &names)
{
    ConfigEditorInput input;
    input.workingDirectory = directory;
    input.currentSetName = name;
    input.setList = SetList(names);
    input.carrierId = "1";
    input.counterValue = "00000042";
    input.counterPage = "None";
    input.alignment = "None";
    return input;
}

CEnterEdit *fieldOf(const ConfigDialog &dialog, ConfigControl id) { return qobject_cast<CEnterEdit *>(dialog.control(id)); }

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

private slots:
    void carrierIdTypedWithEnterAndTabMovesTheGreenWindowSavesAndHandsBack();
    void choosingAnotherSetLoadsItAfterItsSingleShotTimer();
    void pagesEditorConfirmsACellAndHandsItBackOnOk();
    void editOpensThePagesEditorModally();
    void namesBeyondLatin1GetFilesOfTheirOwn();
    void theMemoryPictureFollowsTheCarrierIdAsItIsTyped();
};

void EditorDialogsTest::carrierIdTypedWithEnterAndTabMovesTheGreenWindowSavesAndHandsBack()
{
    test::TempDir directory;
    store(directory.path(), decimalCounterSet("Demo"));
    CAutoDlg model(inputFor(directory.path(), "Demo", {"Demo"}));
    ConfigDialog dialog;
    model.open(dialog);
    dialog.attach(model);
    dialog.show();
    QApplication::setActiveWindow(&dialog);

    QCOMPARE(fieldOf(dialog, hexCell(3))->text(), QStringLiteral("31"));
    QCOMPARE(fieldOf(dialog, hexCell(0))->backgroundColor(), windowGreen);

    typeInto(fieldOf(dialog, ConfigControl::CarrierId), QStringLiteral("42"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dialog.control(ConfigControl::CarrierIdOffset));
    typeInto(fieldOf(dialog, ConfigControl::CarrierIdOffset), QStringLiteral("3"), Qt::Key_Return);
    typeInto(fieldOf(dialog, ConfigControl::CarrierIdLength), QStringLiteral("5"), Qt::Key_Return);
    for (int byte = 0; byte < 16; ++byte) {
        const bool window = byte >= 3 && byte <= 7;
        QCOMPARE(fieldOf(dialog, hexCell(byte))->backgroundColor(), window ? windowGreen : QColor(Qt::white));
        QCOMPARE(fieldOf(dialog, asciiCell(byte))->backgroundColor(), window ? windowGreen : QColor(Qt::white));
    }
    QVERIFY(!dialog.control(ConfigControl::OkButton)->isEnabled());

    click(dialog.control(ConfigControl::FillButton));
    QCOMPARE(fieldOf(dialog, hexCell(6))->text(), QStringLiteral("34"));
    QCOMPARE(fieldOf(dialog, asciiCell(7))->text(), QStringLiteral("2"));

    // A byte cell: Enter converts into the other row and moves on along its own row.
    typeInto(fieldOf(dialog, asciiCell(12)), QStringLiteral("Z"), Qt::Key_Return);
    QCOMPARE(fieldOf(dialog, hexCell(12))->text(), QStringLiteral("5A"));
    QCOMPARE(QApplication::focusWidget(), dialog.control(asciiCell(13)));

    auto *names = qobject_cast<QComboBox *>(dialog.control(ConfigControl::NameList));
    names->setEditText(QStringLiteral("gui-job"));
    click(dialog.control(ConfigControl::SaveButton));
    QVERIFY(dialog.control(ConfigControl::OkButton)->isEnabled());
    QCOMPARE(names->count(), 2);

    click(dialog.control(ConfigControl::OkButton));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const ConfigEditorResult &result = model.result();
    QVERIFY(result.accepted);
    QVERIFY(result.saved);
    QCOMPARE(result.currentSetName, std::string("gui-job"));
    QCOMPARE(result.set.carrierId, std::string("42"));
    QVERIFY(loadParameterSet(directory.path(), "gui-job") == result.set);
}

void EditorDialogsTest::choosingAnotherSetLoadsItAfterItsSingleShotTimer()
{
    test::TempDir directory;
    store(directory.path(), decimalCounterSet("first"));
    ParameterSet second = decimalCounterSet("second");
    second.quantity = "300";
    store(directory.path(), second);
    CAutoDlg model(inputFor(directory.path(), "first", {"first", "second"}));
    ConfigDialog dialog;
    model.open(dialog);
    dialog.attach(model);
    dialog.show();

    auto *names = qobject_cast<QComboBox *>(dialog.control(ConfigControl::NameList));
    names->setCurrentIndex(1);
    emit names->activated(1);
    QVERIFY(dialog.isTimerActive(ConfigTimer::NameChoice));
    QCOMPARE(model.set().name, std::string("first"));
    QTRY_COMPARE(fieldOf(dialog, ConfigControl::Quantity)->text(), QStringLiteral("300"));
    QVERIFY(!dialog.isTimerActive(ConfigTimer::NameChoice));

    click(dialog.control(ConfigControl::CancelButton));
    QVERIFY(!dialog.isVisible());
    QVERIFY(!model.result().accepted);
}

void EditorDialogsTest::pagesEditorConfirmsACellAndHandsItBackOnOk()
{
    PagesEditorData data;
    data.counterPage = "None";
    auto_2 model(data);
    PagesEditorDialog dialog;
    model.open(dialog);
    dialog.attach(model);
    dialog.show();
    QApplication::setActiveWindow(&dialog);

    auto *cell = qobject_cast<QLineEdit *>(dialog.control(pagesCell(135)));
    typeInto(cell, QStringLiteral("7e"), Qt::Key_Tab);
    QCOMPARE(cell->text(), QStringLiteral("7E"));
    QCOMPARE(QApplication::focusWidget(), dialog.control(pagesCell(16)));

    click(dialog.control(PagesControl::AsciiFormat));
    QCOMPARE(cell->text(), QStringLiteral("~"));
    QVERIFY(qobject_cast<ImageSwitch *>(dialog.control(PagesControl::AsciiFormat))->imageOn());

    click(dialog.control(pagesLockSwitch(9)));
    click(dialog.control(PagesControl::Ok));
    QVERIFY(model.accepted());
    QCOMPARE(model.data().pages[16].hex[7], std::string("7E"));
    QVERIFY(model.data().pages[8].locked);
    QVERIFY(model.data().asciiFormat);
}

void EditorDialogsTest::editOpensThePagesEditorModally()
{
    test::TempDir directory;
    ParameterSet set = decimalCounterSet("Demo");
    set.counterPage = "5";
    store(directory.path(), set);
    CAutoDlg model(inputFor(directory.path(), "Demo", {"Demo"}));
    ConfigDialog dialog;
    model.open(dialog);
    dialog.attach(model);
    dialog.show();

    bool sawCounter = false;
    QTimer::singleShot(0, [&] {
        auto *pages = qobject_cast<PagesEditorDialog *>(QApplication::activeModalWidget());
        QVERIFY(pages != nullptr);
        sawCounter = qobject_cast<QLineEdit *>(pages->control(pagesCell(39)))->text() == QStringLiteral("32");
        QVERIFY(!pages->control(pagesEditSwitch(5))->isEnabled());
        typeInto(pages->control(pagesCell(16)), QStringLiteral("41"), Qt::Key_Return);
        click(pages->control(PagesControl::Ok));
    });
    click(dialog.control(ConfigControl::EditPagesButton));
    QVERIFY(sawCounter);
    QCOMPARE(model.set().pages[2].hex[0], std::string("41"));
    QCOMPARE(model.set().counterValue, std::string("00000042"));
}

// A set's name is its file's name: "Ω-Lot" and "Σ-Lot" must not both become "?-Lot".
void EditorDialogsTest::namesBeyondLatin1GetFilesOfTheirOwn()
{
    test::TempDir directory;
    store(directory.path(), decimalCounterSet("Demo"));
    CAutoDlg model(inputFor(directory.path(), "Demo", {"Demo"}));
    ConfigDialog dialog;
    model.open(dialog);
    dialog.attach(model);
    dialog.show();

    auto *names = qobject_cast<QComboBox *>(dialog.control(ConfigControl::NameList));
    for (const QString &name : {QStringLiteral("Ω-Lot"), QStringLiteral("Σ-Lot")}) {
        names->setEditText(name);
        click(dialog.control(ConfigControl::SaveButton));
        const QByteArray utf8 = name.toUtf8();
        QCOMPARE(model.set().name, utf8.toStdString());
        QVERIFY(std::filesystem::exists(directory.path() / (utf8.toStdString() + ".ini")));
    }
    QCOMPARE(names->itemText(1), QStringLiteral("Ω-Lot"));
    QCOMPARE(names->itemText(2), QStringLiteral("Σ-Lot"));
    QCOMPARE(names->currentText(), QStringLiteral("Σ-Lot"));
}

void EditorDialogsTest::theMemoryPictureFollowsTheCarrierIdAsItIsTyped()
{
    test::TempDir directory;
    store(directory.path(), decimalCounterSet("Demo"));  // carrier ID in bytes 0 .. 3
    CAutoDlg model(inputFor(directory.path(), "Demo", {"Demo"}));
    ConfigDialog dialog;
    model.open(dialog);
    dialog.attach(model);
    dialog.show();
    auto *picture = dialog.findChild<MemoryMapWidget *>();
    QVERIFY(picture != nullptr);
    const auto drawn = [picture](int byte) {
        return picture->grab().toImage().pixelColor(picture->cellRect(byte).center().toPoint());
    };
    QCOMPARE(drawn(0), windowGreen);
    QCOMPARE(drawn(9), QColor(Qt::white));

    auto *offset = fieldOf(dialog, ConfigControl::CarrierIdOffset);
    offset->setFocus();
    QTest::keyClick(offset, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(offset, QStringLiteral("9"));  // no Enter yet
    QCOMPARE(drawn(0), QColor(Qt::white));
    QCOMPARE(drawn(9), windowGreen);

    click(dialog.control(ConfigControl::LockPage2Switch));
    QVERIFY(picture->map().locked[1]);
}

} // namespace teb::gui

QTEST_MAIN(teb::gui::EditorDialogsTest)
#include "editor_dialogs_gui_test.moc"
