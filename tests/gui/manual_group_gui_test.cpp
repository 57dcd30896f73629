// The manual group's "  write" and "  read" through the real window against
// the simulated reader, on the offscreen platform: the page boxes' colours.
#include "controls/enter_edit.h"
#include "station.h"
#include "support/reader_simulator.h"
#include "support/temp_dir.h"

#include <QAbstractButton>
#include <QTest>

#include <memory>

namespace teb::gui {

class ManualGroupGuiTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDir> m_directory;
    std::unique_ptr<test::ReaderSimulator> m_simulator;
    std::unique_ptr<Station> m_station;

    MainWindow &window() { return m_station->window(); }
    CEnterEdit &pageBoxWidget(int page) { return dynamic_cast<CEnterEdit &>(*window().widget(pageBox(page))); }
    void press(Control button)
    {
        QTest::mouseClick(dynamic_cast<QAbstractButton *>(window().widget(button)), Qt::LeftButton);
    }

private slots:
    void init()
    {
        m_directory = std::make_unique<test::TempDir>();
        // Page 2 of the simulated transponder holds "ABCDEFGH"; page 3 is locked.
        m_simulator = std::make_unique<test::ReaderSimulator>(
            m_directory->path(), std::vector<std::string>{"--tor", "8", "--page", "2=4142434445464748", "--lock", "3"},
            "COM7");
        QVERIFY(m_simulator->ready());
        test::writeFileBytes(*m_directory / "TagEncoderBench.ini",
                             "[Interface]\r\nport=COM7\r\nbaudrate=115200\r\ndatabits=8\r\n");
        m_station = std::make_unique<Station>([this] { return m_directory->path(); });
        m_station->show();
        QVERIFY(m_station->model().portOpen);
    }
    void cleanup()
    {
        m_station.reset();
        m_simulator.reset();
        m_directory.reset();
    }

    void writeTurnsWrittenPagesGreenAndTheRefusedOneRed()
    {
        for (int page = 1; page <= kPageCount; ++page)
            window().setChecked(pageSelectBox(page), page == 1 || page == 3);
        window().setText(pageBox(1), "01 02 03 04 05 06 07 08");
        window().setText(pageBox(3), "01 02 03 04 05 06 07 08");
        press(Control::WriteButton);
        QCOMPARE(pageBoxWidget(1).backgroundColor(), QColor(0, 255, 0));
        QCOMPARE(pageBoxWidget(3).backgroundColor(), QColor(255, 0, 0));
        QCOMPARE(m_station->model().errorCount, 1);
        QCOMPARE(m_simulator->receivedLines(3).back(), std::string("WD 3 0102030405060708"));
    }

    void readShowsThePageGreen()
    {
        for (int page = 1; page <= kPageCount; ++page)
            window().setChecked(pageSelectBox(page), page <= 2);
        press(Control::ReadButton);
        QCOMPARE(pageBoxWidget(2).text(), QStringLiteral("41 42 43 44 45 46 47 48"));
        QCOMPARE(pageBoxWidget(2).backgroundColor(), QColor(0, 255, 0));
        QCOMPARE(pageBoxWidget(1).backgroundColor(), QColor(0, 255, 0));
        QCOMPARE(pageBoxWidget(3).backgroundColor(), QColor(255, 255, 255));
    }
};

} // namespace teb::gui

QTEST_MAIN(teb::gui::ManualGroupGuiTest)
#include "manual_group_gui_test.moc"
