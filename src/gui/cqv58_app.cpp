#include "cqv58_app.h"

#include "artwork.h"
#include "station.h"
#include "station_style.h"
#include "stop_signals.h"

#include "params/working_folder.h"
#include "qt_text.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include <cstdlib>
#include <filesystem>

namespace teb::gui {
namespace {

std::filesystem::path environmentPath(const char *name)
{
    const char *value = std::getenv(name);
    return value == nullptr ? std::filesystem::path() : std::filesystem::path(value);
}

StartPlace startPlace()
{
    std::error_code error;
    return StartPlace{std::filesystem::current_path(error), environmentPath("HOME"), environmentPath("XDG_DATA_HOME")};
}

// The station works in the folder the command line and the start place
// choose: the process changes into it, made on first start.
bool enterWorkingFolder(const QCommandLineParser &parser, const QCommandLineOption &dir,
                        const QCommandLineOption &dataFolderOption)
{
    FolderRequest request;
    if (parser.isSet(dir))
        request.folder = std::filesystem::path(toUtf8(parser.value(dir)));
    request.dataFolder = parser.isSet(dataFolderOption);
    const std::filesystem::path folder = workingFolder(request, startPlace());
    std::optional<std::string> problem = makeWorkingFolder(folder);
    std::error_code error;
    if (!problem)
        std::filesystem::current_path(folder, error);
    if (error)
        problem = error.message();
    if (!problem)
        return true;
    QMessageBox::critical(nullptr, QStringLiteral("Tag Encoder Bench"),
                          QStringLiteral("The working folder %1 could not be made or entered: %2.")
                              .arg(fromUtf8(folder.string()), fromUtf8(*problem)));
    return false;
}

} // namespace

int CQV58App::start(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tag-encoder-bench"));
    QApplication::setApplicationVersion(QStringLiteral("1.65"));
    QApplication::setDesktopFileName(QStringLiteral("tag-encoder-bench"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Programs RFID transponders through a reader on a serial port. The working folder holds "
                       "TagEncoderBench.ini, the parameter sets and the journal: the folder started in when it "
                       "holds TagEncoderBench.ini or is no home or root folder, otherwise the data folder "
                       "$XDG_DATA_HOME/tag-encoder-bench (~/.local/share/tag-encoder-bench)."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dir(QStringLiteral("dir"), QStringLiteral("Work in <folder>, made when missing."),
                                 QStringLiteral("folder"));
    const QCommandLineOption dataFolderOption(QStringLiteral("data-folder"),
                                              QStringLiteral("Work in the data folder, wherever started."));
    parser.addOption(dir);
    parser.addOption(dataFolderOption);
    parser.process(application);
    if (!enterWorkingFolder(parser, dir, dataFolderOption))
        return 1;

    applyStationStyle(application);
    QApplication::setWindowIcon(programIcon());
    StopSignals stopSignals;
    Station station;
    QObject::connect(&stopSignals, &StopSignals::stopRequested, &station.window(), &QtCQV58Dlg::stopFromOutside);
    station.run();
    return 0;
}

} // namespace teb::gui
