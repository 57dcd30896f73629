// Writes the README's pictures of the station's windows: each shot starts a
// station in a prepared directory with the simulated reader attached, brings
// the window into the state to show and grabs it.
//
//   window_screenshots OUTPUT_DIRECTORY
//
// Run offscreen (QT_QPA_PLATFORM=offscreen); scripts/screenshots does it.
// A new window is one more entry in shots().
#include "artwork.h"
#include "journal/carrier_id_journal.h"
#include "qt_cjournal_dlg.h"
#include "station.h"
#include "station_style.h"
#include "support/reader_simulator.h"
#include "support/temp_dir.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

namespace teb::gui {
namespace {

struct Shot {
    const char *file;
    // Brings the station into the state to show; returns the widget to grab,
    // or nothing when that state was not reached. A shot without it grabs a
    // dialog opened by `openDialog`.
    std::function<QWidget *(Station &)> prepare;
    // Opens a modal dialog over the window (it is grabbed and closed again).
    std::function<void(Station &)> openDialog;
    // How the simulated reader behaves for this shot.
    std::vector<std::string> readerOptions = {};
    // Prepares the working directory before the station starts.
    std::function<void(const std::filesystem::path &)> seed = nullptr;
};

void waitFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

void click(Station &station, Control id)
{
    if (auto *button = qobject_cast<QAbstractButton *>(station.window().widget(id)))
        button->click();
}

void menu(Station &station, MenuItem item) { station.window().menuAction(item)->trigger(); }

std::size_t terminalLines(Station &station)
{
    return station.inModel([](CQV58Dlg &model) {
        const std::string &text = model.parts().terminal.state().terminalText;
        return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    });
}

// Sends a command from the terminal line and waits until the terminal shows
// the reader's answer (at most two seconds: a command may go unanswered).
void sendFromTerminal(Station &station, const char *command)
{
    const std::size_t before = terminalLines(station);
    station.window().setText(Control::TerminalInput, command);
    click(station, Control::SendButton);
    QElapsedTimer clock;
    clock.start();
    while (terminalLines(station) <= before && clock.elapsed() < 2000)
        waitFor(10);
    waitFor(20); // the view's last calls
}

// A manual-mode window whose terminal shows a short exchange with the reader.
QWidget *manualWithTerminal(Station &station)
{
    menu(station, MenuItem::TerminalShow);
    for (const char *command : {"TOR", "RUID", "RD 1"})
        sendFromTerminal(station, command);
    return &station.window();
}

QWidget *automaticMode(Station &station)
{
    click(station, Control::AutomaticSwitch);
    return &station.window();
}

// The trace beside a manual read: every command and answer with its time.
QWidget *manualWithTrace(Station &station)
{
    menu(station, MenuItem::TerminalShow);
    click(station, Control::TraceSwitch);
    click(station, Control::ReadButton);
    station.inModel([](CQV58Dlg &) { return 0; }); // after the read: the model runs its events in turn
    for (const char *command : {"RUID", "RD 3"})
        sendFromTerminal(station, command);
    return &station.window();
}

// Closes the message boxes a failed cycle shows, as the operator would: from
// inside the box's own event loop, until the window shows its verdict (the
// model runs the cycle on its own thread's time) or ten seconds passed.
// False when no verdict came.
bool closeBoxesUntilVerdict(Station &station)
{
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        QWidget *box = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<QDialog *>(box); dialog != nullptr && qobject_cast<QtCQV58Dlg *>(box) == nullptr)
            dialog->reject();
    });
    closer.start(50);
    QElapsedTimer clock;
    clock.start();
    const QWidget *verdict = station.window().widget(Control::ResultVerdict);
    while (!verdict->isVisible() && clock.elapsed() < 10000)
        waitFor(50);
    waitFor(300); // the boxes after the verdict
    return verdict->isVisible();
}

// Automatic mode after one "One": PASS, or FAIL with its reason.
QWidget *automaticCycle(Station &station)
{
    click(station, Control::AutomaticSwitch);
    // A click that comes while the window runs one of the model's calls is
    // taken for the model's own doing and dropped: the switch is over first.
    station.inModel([](CQV58Dlg &) { return 0; });
    QTimer::singleShot(0, [&station] { click(station, Control::OneButton); });
    return closeBoxesUntilVerdict(station) ? &station.window() : nullptr;
}

// "Config" over the window, opened as the operator opens it: the editor gets
// what the window hands it, and the dialog's closing takes nothing over.
void openConfig(Station &station) { menu(station, MenuItem::Config); }

// "Config Pages 3-17" over "Config": "Edit" is clicked once "Config" shows,
// and "Config" is closed again after the shot of the pages editor.
void openPagesEditor(Station &station)
{
    const auto clickInModal = [](const char *text) {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            for (auto *button : dialog->findChildren<QAbstractButton *>()) {
                if (button->text() == QLatin1String(text))
                    button->click();
            }
        }
    };
    QTimer::singleShot(100, [clickInModal] { clickInModal("Edit"); });
    QTimer::singleShot(600, [clickInModal] { clickInModal("Cancel"); });
    openConfig(station);
}

// A morning's work in the journal, three pages of it: a run of programmed
// transponders, and among the newest one that the reader refused before any
// write, one found locked with other data and one whose lock answer was lost
// (uncertain until it is put back).
void seedJournal(const std::filesystem::path &directory)
{
    constexpr int kCycles = 440;
    int second = 0;
    auto journal = CarrierIdJournal::openFile(journalFilePath(directory), "bench-2:/srv/teb", [&second] {
        char text[32];
        std::snprintf(text, sizeof text, "2026-12-07 %02d:%02d:%02d", 6 + second / 3600, second / 60 % 60, second % 60);
        return std::string(text);
    });
    for (int i = 0; i < kCycles; ++i) {
        char carrierId[16];
        std::snprintf(carrierId, sizeof carrierId, "%08d", 1010 + i);
        char uid[16];
        std::snprintf(uid, sizeof uid, "E004%04X", 0x0150 + i);
        JournalEntry entry;
        entry.carrierId = carrierId;
        entry.setName = "Demo";
        entry.source = "Decimal counter";
        entry.position = std::to_string(1010 + i);
        entry.uid = uid;
        const JournalEntry reserved = journal->reserve(entry);
        second += 1;
        const int fromNewest = kCycles - 1 - i;
        const CycleState end = fromNewest == 8 ? CycleState::Failed
                               : fromNewest == 4 ? CycleState::Spoiled
                               : fromNewest == 0 ? CycleState::Uncertain
                                                 : CycleState::Programmed;
        journal->finish(reserved.id, end);
        second += 44;
    }
}

// The journal window while "Export CSV..." writes the list: its progress bar
// as the window draws it, the list paged under it.
void openJournal(Station &station)
{
    QTimer::singleShot(100, [] {
        if (auto *dialog = qobject_cast<QtCJournalDlg *>(QApplication::activeModalWidget()))
            dialog->showTask(TaskDisplay{"Exporting the list to carrier-id-journal.csv", 176, 440});
    });
    menu(station, MenuItem::FileJournal);
}

// "Interface Settings" closed with a port that has no device: the message
// that says why it did not open.
void openWithAMissingPort(Station &station)
{
    QTimer::singleShot(100, [] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            if (auto *port = dialog->findChild<QComboBox *>(QStringLiteral("portCombo")))
                port->setCurrentText(QStringLiteral("COM40"));
            for (auto *button : dialog->findChildren<QAbstractButton *>()) {
                if (button->text() == QLatin1String("OK"))
                    button->click();
            }
        }
    });
    menu(station, MenuItem::InterfaceSettings);
}

std::vector<Shot> shots()
{
    return {
        {"main-window-manual.png", manualWithTerminal, nullptr},
        {"main-window-automatic.png", automaticMode, nullptr},
        {"main-window-pass.png", automaticCycle, nullptr},
        {"main-window-fail.png", automaticCycle, nullptr, {"--lock", "2"}},
        {"main-window-trace.png", manualWithTrace, nullptr},
        {"interface-settings.png", nullptr, [](Station &s) { menu(s, MenuItem::InterfaceSettings); }},
        {"about-box.png", nullptr, [](Station &s) { menu(s, MenuItem::HelpInfo); }},
        {"config-dialog.png", nullptr, openConfig},
        {"config-pages-3-17.png", nullptr, openPagesEditor},
        {"journal-history.png", nullptr, openJournal, {}, seedJournal},
        {"device-list.png", nullptr, [](Station &s) { menu(s, MenuItem::InterfaceDeviceManager); }},
        {"open-failed.png", nullptr, openWithAMissingPort},
    };
}

// The grab with a title bar drawn above it, as the desktop would frame the
// window, so that the pictures show each window's caption.
QPixmap framed(const QWidget &window, const QPixmap &content)
{
    constexpr int kTitleHeight = 28;
    const QSize size = content.deviceIndependentSize().toSize();
    QPixmap picture(size.width() + 2, size.height() + kTitleHeight + 1);
    picture.fill(QColor(0x16, 0x19, 0x1c));
    QPainter painter(&picture);
    painter.fillRect(QRect(1, 1, size.width(), kTitleHeight - 1), QColor(0x24, 0x29, 0x2e));
    window.windowIcon().paint(&painter, QRect(8, 6, 16, 16));
    QFont titleFont = window.font();
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.setPen(QColor(0xee, 0xf1, 0xf3));
    const QRect titleArea(0, 0, picture.width(), kTitleHeight);
    painter.drawText(titleArea, Qt::AlignCenter, window.windowTitle());
    painter.drawText(titleArea.adjusted(0, 0, -12, 0), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("\u2715"));
    painter.drawPixmap(1, kTitleHeight, content);
    return picture;
}

// The station's folder for one picture, named as a demo folder is (the
// status strip shows the journal's path), emptied before and after.
class DemoFolder {
public:
    DemoFolder() : m_path(std::filesystem::temp_directory_path() / "tag-encoder-bench" / "demo")
    {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~DemoFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path.parent_path(), ignored);
    }
    DemoFolder(const DemoFolder &) = delete;
    DemoFolder &operator=(const DemoFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }
    std::filesystem::path operator/(const std::string &name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

bool take(const Shot &shot, const QDir &output)
{
    const DemoFolder directory;
    for (const char *name : {"TagEncoderBench.ini", "Demo.ini"})
        std::filesystem::copy_file(std::filesystem::path(TEB_DEMO_DIR) / name, directory / name);
    if (shot.seed)
        shot.seed(directory.path());
    test::ReaderSimulator reader(directory.path(), shot.readerOptions, "COM1");
    if (!reader.ready())
        return false;
    Station station([&] { return directory.path(); });
    station.show();
    waitFor(100);
    const QString file = output.filePath(QString::fromLatin1(shot.file));
    bool saved = false;
    if (shot.prepare) {
        if (QWidget *target = shot.prepare(station)) {
            waitFor(100);
            saved = framed(*target, target->grab()).save(file);
        }
    } else {
        QTimer::singleShot(200, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (dialog != nullptr && dialog != &station.window()) {
                saved = framed(*dialog, dialog->grab()).save(file);
                dialog->close();
            }
        });
        shot.openDialog(station);
        // The model opens the dialog on its own thread's time.
        QElapsedTimer opening;
        opening.start();
        while (!saved && opening.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    }
    station.window().close();
    station.finish();
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(file));
    return saved;
}

} // namespace
} // namespace teb::gui

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    teb::gui::applyStationStyle(application);
    QApplication::setWindowIcon(teb::gui::programIcon());
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_screenshots OUTPUT_DIRECTORY\n");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    bool allSaved = true;
    for (const auto &shot : teb::gui::shots())
        allSaved = teb::gui::take(shot, output) && allSaved;
    return allSaved ? 0 : 1;
}
