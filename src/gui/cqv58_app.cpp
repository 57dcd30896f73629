#include "cqv58_app.h"

#include "artwork.h"
#include "station.h"
#include "station_style.h"
#include "stop_signals.h"

#include <QApplication>
#include <QCommandLineParser>

namespace teb::gui {

int CQV58App::start(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tag-encoder-bench"));
    QApplication::setApplicationVersion(QStringLiteral("1.65"));
    QApplication::setDesktopFileName(QStringLiteral("tag-encoder-bench"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Programs RFID transponders through a reader on a serial port. The working directory holds "
                       "TagEncoderBench.ini and the parameter sets."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(application);

    applyStationStyle(application);
    QApplication::setWindowIcon(programIcon());
    StopSignals stopSignals;
    Station station;
    QObject::connect(&stopSignals, &StopSignals::stopRequested, &station.window(), &MainWindow::stopFromOutside);
    station.run();
    return 0;
}

} // namespace teb::gui
