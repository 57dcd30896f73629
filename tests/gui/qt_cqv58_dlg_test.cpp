// The station's windows through their real widgets, on the offscreen platform.
#include "controls/enter_edit.h"
#include "qt_ci2_dlg.h"
#include "qt_text.h"
#include "station.h"
#include "stop_signals.h"
#include "support/automatic_job.h"
#include "support/reader_simulator.h"
#include "support/temp_dir.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

#include <xcb/xcb.h>

namespace teb::gui {
namespace {

// Acts on the next modal dialog over the main window as soon as it shows
// (from inside the dialog's own event loop).
void whenDialogShows(std::function<void(QWidget &)> act)
{
    QTimer::singleShot(10, [act = std::move(act)] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (dialog != nullptr && qobject_cast<QtCQV58Dlg *>(dialog) == nullptr)
            act(*dialog);
        else
            whenDialogShows(act);
    });
}

// A client of the X server, as the window manager is one: finds the
// station's windows and asks one to close.
class XServer {
public:
    explicit XServer(const QByteArray &display) : m_connection(xcb_connect(display.constData(), nullptr)) {}
    ~XServer() { xcb_disconnect(m_connection); }
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;

    bool connected() const { return xcb_connection_has_error(m_connection) == 0; }

    // A viewable top-level window with this title.
    xcb_window_t shownWindow(std::string_view title) const
    {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const auto tree = owned(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, root), nullptr));
        for (int i = 0; tree && i < xcb_query_tree_children_length(tree.get()); ++i) {
            const xcb_window_t child = xcb_query_tree_children(tree.get())[i];
            const auto attributes = owned(
                xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, child), nullptr));
            const auto name = owned(xcb_get_property_reply(
                m_connection, xcb_get_property(m_connection, 0, child, XCB_ATOM_WM_NAME, XCB_ATOM_ANY, 0, 256), nullptr));
            if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE && name &&
                std::string_view(static_cast<const char *>(xcb_get_property_value(name.get())),
                                 static_cast<std::size_t>(xcb_get_property_value_length(name.get()))) == title)
                return child;
        }
        return XCB_WINDOW_NONE;
    }

    // The close box: WM_DELETE_WINDOW, as window managers send it.
    void closeBox(xcb_window_t window) const
    {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = atom("WM_PROTOCOLS");
        event.data.data32[0] = atom("WM_DELETE_WINDOW");
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(m_connection, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&event));
        xcb_flush(m_connection);
    }

private:
    // A reply of the server, freed with the object.
    template <typename T>
    static std::unique_ptr<T, decltype(&std::free)> owned(T *reply)
    {
        return {reply, &std::free};
    }
    xcb_atom_t atom(std::string_view name) const
    {
        const auto reply = owned(xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr));
        return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    }

    xcb_connection_t *m_connection;
};

} // namespace

class MainWindowGuiTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDir> m_directory;
    std::unique_ptr<Station> m_station;

    QtCQV58Dlg &window() { return m_station->window(); }
    template <typename Widget>
    Widget &widget(Control id)
    {
        return dynamic_cast<Widget &>(*window().widget(id));
    }
    // Waits until the model has taken every report the window handed on.
    void settle()
    {
        m_station->inModel([](CQV58Dlg &) {});
    }
    void startIn(const std::string &settings)
    {
        test::writeFileBytes(*m_directory / "TagEncoderBench.ini", settings);
        m_station = std::make_unique<Station>([this] { return m_directory->path(); });
        m_station->show();
    }

private slots:
    void init() { m_directory = std::make_unique<test::TempDir>(); }
    void cleanup()
    {
        m_station.reset();
        m_directory.reset();
    }

    // A fresh start shows no box: the status strip says that no port is chosen;
    // Enter in a page box lays its bytes out and colours it, the switches
    // change what is shown, Enter outside the boxes moves the focus to "One",
    // and Escape there ends the window with "Cancel" (in a page box it stays).
    void aFreshWindowTakesItsKeysAndSwitchesAsTheModelSays()
    {
        startIn("[Data]\r\nFormat=0\r\nP3=41 42 43 44 45 46 47 48\r\n");
        QCOMPARE(window().text(Control::StatusPort), std::string("no port chosen"));
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        window().activateWindow();

        auto &page2 = widget<CEnterEdit>(pageBox(2));
        page2.setFocus();
        QTest::keyClicks(&page2, QStringLiteral("3031323334353637"));
        QTest::keyClick(&page2, Qt::Key_Return);
        settle();
        QCOMPARE(page2.text(), QStringLiteral("30 31 32 33 34 35 36 37"));
        QTest::keyClick(&page2, Qt::Key_Escape);
        settle();
        QVERIFY(window().isVisible());
        const std::string highBytes = "\x80\xA0\xE9\xFF";
        window().setText(pageBox(4), highBytes);
        QCOMPARE(window().text(pageBox(4)), highBytes);

        QTest::mouseClick(&widget<QAbstractButton>(Control::AsciiSwitch), Qt::LeftButton);
        settle();
        QCOMPARE(widget<CEnterEdit>(pageBox(3)).text(), QStringLiteral("A B C D E F G H"));
        QTest::mouseClick(&widget<QAbstractButton>(Control::AutomaticSwitch), Qt::LeftButton);
        settle();
        QVERIFY(!widget<QWidget>(Control::ReadButton).isVisible());
        auto &hexSwitch = widget<QAbstractButton>(Control::HexSwitch);
        hexSwitch.setFocus();
        QTest::keyClick(&hexSwitch, Qt::Key_Return);
        settle();
        QVERIFY(widget<QWidget>(Control::OneButton).hasFocus());
        QTest::keyClick(&widget<QWidget>(Control::OneButton), Qt::Key_Escape);
        settle();
        QVERIFY(!window().isVisible());
        QCOMPARE(window().result(), int(QDialog::Rejected));
    }

    // On the simulated reader: the device list shows its link, "Send" and
    // "Trace" work through the real widgets, and "Interface Settings" opens
    // the port chosen on OK.
    void aWindowOnTheSimulatedReaderListsSendsTracesAndSwitchesPorts()
    {
        test::ReaderSimulator first(m_directory->path(), {}, "COM7");
        test::ReaderSimulator second(m_directory->path(), {}, "COM8");
        QVERIFY(first.ready() && second.ready());
        startIn("[Interface]\r\nport=COM7\r\nbaudrate=115200\r\ndatabits=8\r\n");
        QVERIFY(m_station->inModel([](CQV58Dlg &model) { return model.parts().link.state().portOpen; }));

        QStringList row;
        whenDialogShows([&](QWidget &dialog) {
            auto *devices = dialog.findChild<QTableWidget *>(QStringLiteral("devices"));
            for (int i = 0; devices != nullptr && i < devices->rowCount(); ++i) {
                if (devices->item(i, 0)->text() == QStringLiteral("COM7"))
                    row << devices->item(i, 0)->text() << devices->item(i, 1)->text();
            }
            dynamic_cast<QDialog &>(dialog).reject();
        });
        window().menuAction(MenuItem::InterfaceDeviceManager)->trigger();
        settle();
        QCOMPARE(row, QStringList({QStringLiteral("COM7"), QString::fromStdString(first.devicePath())}));

        window().menuAction(MenuItem::TerminalShow)->trigger();
        settle();
        auto &input = widget<CEnterEdit>(Control::TerminalInput);
        QTest::keyClicks(&input, QStringLiteral("RUID"));
        QTest::mouseClick(&widget<QAbstractButton>(Control::SendButton), Qt::LeftButton);
        QTRY_VERIFY(widget<QPlainTextEdit>(Control::TerminalView).toPlainText().contains(QStringLiteral("E0040150")));
        QCOMPARE(first.receivedLines(1), std::vector<std::string>{"RUID"});
        QTest::mouseClick(&widget<QAbstractButton>(Control::TraceSwitch), Qt::LeftButton);
        settle();
        auto &trace = widget<QPlainTextEdit>(Control::TraceView);
        QVERIFY(trace.isVisible() && !widget<QPlainTextEdit>(Control::TerminalView).isVisible());
        QVERIFY(trace.toPlainText().contains(QStringLiteral("\u2190 E0040150")));

        whenDialogShows([&](QWidget &dialog) {
            auto &settings = dynamic_cast<QtCI2Dlg &>(dialog);
            settings.comboBox(I2Combo::Port)->setEditText(QStringLiteral("COM8"));
            settings.accept();
        });
        window().menuAction(MenuItem::InterfaceSettings)->trigger();
        settle();
        const auto [portOpen, portName] = m_station->inModel(
            [](CQV58Dlg &model) { return std::pair(model.parts().link.state().portOpen, model.parts().link.state().interfaceSettings.portName); });
        QVERIFY(portOpen);
        QCOMPARE(portName, std::string("COM8"));
    }

    // A chosen name must name the same file again: paths do not go through Latin-1.
    void filePathsKeepTheirBytes()
    {
        const std::filesystem::path name = "caf\xC3\xA9.xml";
        QCOMPARE(fromPath(name), QStringLiteral("caf\u00E9.xml"));
        QCOMPARE(toPath(fromPath(name)), name);
    }

    // Ctrl+C in the starting terminal or the session ending: the station
    // still takes its way out and writes the settings file.
    void aStopSignalEndsTheStationWithItsSettingsWritten()
    {
        test::ReaderSimulator reader(m_directory->path(), {}, "COM7");
        QVERIFY(reader.ready());
        test::writeFileBytes(*m_directory / "TagEncoderBench.ini", "[Interface]\r\nport=COM7\r\n");
        QProcess station;
        station.setWorkingDirectory(QString::fromStdString(m_directory->path().string()));
        station.start(QStringLiteral(TEB_STATION), {});
        QVERIFY(station.waitForStarted());
        const auto portHeld = [&] {
            const std::filesystem::path fds = "/proc/" + std::to_string(station.processId()) + "/fd";
            std::error_code error;
            for (const auto &fd : std::filesystem::directory_iterator(fds, error)) {
                if (std::filesystem::read_symlink(fd.path(), error) == reader.devicePath())
                    return true;
            }
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(portHeld(), 20000);
        ::kill(static_cast<pid_t>(station.processId()), SIGTERM);
        QVERIFY(station.waitForFinished(20000));
        QCOMPARE(station.exitStatus(), QProcess::NormalExit);
        QCOMPARE(station.exitCode(), 0);
        QVERIFY(test::readFileBytes(*m_directory / "TagEncoderBench.ini").find("Pruefablaeufe=0\r\n") != std::string::npos);
    }

    // The handler may interrupt code between a failed call and its errno
    // check: it leaves errno as it found it, also when its own write fails
    // (the pipe full, nobody reading it yet).
    void aStopSignalLeavesErrnoAsItWas()
    {
        StopSignals stopSignals;
        int changed = 0;
        for (int i = 0; i < 70000; ++i) {
            errno = ENOTTY;
            ::raise(SIGHUP);
            changed += errno != ENOTTY ? 1 : 0;
        }
        QCOMPARE(changed, 0);
    }

    // Qt's event loop is no place for an exception: one from the model (here a
    // call the view refuses) is logged where the view hands the report on.
    void anErrorInAnEventIsLoggedAndGoesNoFurther()
    {
        struct RefusedCall final : CQV58DlgEvents {
            QtCQV58Dlg *window = nullptr;
            bool initialise() override { return true; }
            void destroy() override {}
            void closeRequest() override {}
            void escape() override {}
            void defaultAction() override {}
            void menuCommand(MenuItem) override {}
            void clicked(Control) override { window->setText(Control::SmallImage, "no text"); }
            void enterPressed(Control) override {}
            void focusLost(Control) override {}
            void spinStep(Control, SpinDirection) override {}
            void tick(int) override {}
            void inboxPosted() override {}
        } events;
        QtCQV58Dlg window;
        events.window = &window;
        window.setEvents(&events);
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("no such operation for SmallImage")));
        dynamic_cast<QAbstractButton &>(*window.widget(Control::ReadButton)).click();
        window.setEvents(nullptr);
    }

    // The close box during "One" at a reader that answers after 100 ms, while
    // the cycle talks to the reader or waits for an answer that never comes:
    // the window takes its events all along (a timer keeps ticking), and the
    // station ends after the running transaction, whose answer is awaited at
    // most a second longer, with the port released and the settings written.
    void theCloseBoxDuringOneEndsTheStation()
    {
        for (const bool failing : {false, true}) {
            test::TempDir directory;
            std::vector<std::string> options{"--family", "orvex", "--delay", "100"};
            if (failing)
                options.insert(options.end(), {"--fault", "no-answer", "--fault-on", "WD"});
            test::ReaderSimulator reader(directory.path(), options, "COM7");
            QVERIFY(reader.ready());
            test::writeAutomaticStation(directory.path(), test::automaticJob());
            Station station([&] { return directory.path(); });
            station.show();
            const auto portOpen = [&] { return station.inModel([](CQV58Dlg &model) { return model.parts().link.state().portOpen; }); };
            QVERIFY(portOpen());
            QTest::mouseClick(station.window().widget(Control::OneButton), Qt::LeftButton);
            int ticks = 0;
            QTimer ticker;
            connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
            ticker.start(20);
            QElapsedTimer sinceClose;
            QTimer::singleShot(700, &station.window(), [&] {
                sinceClose.start();
                station.window().close();
            });
            bool hung = false;
            QTimer::singleShot(20000, &station.window(), [&] {
                hung = true;
                station.window().stopFromOutside();
            });
            QCOMPARE(station.run(), DialogResult::Cancel);
            const qint64 closing = sinceClose.elapsed();
            QVERIFY2(!hung, failing ? "waiting for an answer" : "while the cycle runs");
            QVERIFY2(closing < kStopGrace.count() + 500, qPrintable(QString::number(closing)));
            QVERIFY2(ticks >= 20, qPrintable(QString::number(ticks)));
            QVERIFY(!portOpen());
            QVERIFY(test::readFileBytes(directory / "TagEncoderBench.ini").find("SelectConfig=1\r\n")
                    != std::string::npos);
        }
    }

    // The window manager's close box while a box blocks the window (here the
    // box that says the reader was lost): Qt drops a blocked window's close,
    // so the station stayed with its box. It ends now, with its settings
    // written. On a real X server (Xvfb), as an operator meets it.
    void theWindowManagersCloseBoxEndsTheStationUnderABox()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            QSKIP("no Xvfb");
        QProcess server;
        server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                            QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                            QStringLiteral("1024x768x24")});
        QVERIFY(server.waitForStarted());
        while (!server.canReadLine() && server.waitForReadyRead(10000)) {
        }
        const QByteArray display = ":" + server.readLine().trimmed();
        QVERIFY(display.size() > 1);
        test::ReaderSimulator reader(m_directory->path(), {}, "COM7");
        QVERIFY(reader.ready());
        test::writeFileBytes(*m_directory / "TagEncoderBench.ini", "[Interface]\r\nport=COM7\r\nbaudrate=115200\r\ndatabits=8\r\n");
        QProcess station;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0")); // libdbus keeps a buffer on xcb
        station.setProcessEnvironment(environment);
        station.setWorkingDirectory(QString::fromStdString(m_directory->path().string()));
        station.start(QStringLiteral(TEB_STATION), {});
        QVERIFY(station.waitForStarted());

        XServer x(display);
        QVERIFY(x.connected());
        xcb_window_t window = XCB_WINDOW_NONE;
        QTRY_VERIFY_WITH_TIMEOUT((window = x.shownWindow("Tag Encoder Bench")) != XCB_WINDOW_NONE, 20000);
        reader.kill(); // the line hangs up: a box over the window
        QTRY_VERIFY_WITH_TIMEOUT(x.shownWindow("Error") != XCB_WINDOW_NONE, 15000);

        x.closeBox(window);
        QElapsedTimer closing;
        closing.start();
        const bool ended = station.waitForFinished(10000);
        if (!ended)
            station.kill();
        server.terminate();
        server.waitForFinished();
        QVERIFY2(ended, "the station still runs");
        QVERIFY2(closing.elapsed() < kStopGrace.count() + 1000, qPrintable(QString::number(closing.elapsed())));
        QVERIFY2(station.exitCode() == 0, station.readAllStandardError().right(2000).constData());
        QVERIFY(test::readFileBytes(*m_directory / "TagEncoderBench.ini").find("Pruefablaeufe=0\r\n") != std::string::npos);
    }
};

} // namespace teb::gui

QTEST_MAIN(teb::gui::MainWindowGuiTest)
#include "qt_cqv58_dlg_test.moc"
