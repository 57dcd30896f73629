#include "station_style.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

namespace teb::gui {

void applyStationStyle(QApplication &application)
{
    application.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(9);
    application.setFont(font);

    const QColor panel(0x33, 0x39, 0x3f);
    const QColor raised(0x4a, 0x52, 0x5a);
    const QColor text(0xee, 0xf1, 0xf3);
    QPalette colours;
    colours.setColor(QPalette::Window, panel);
    colours.setColor(QPalette::WindowText, text);
    colours.setColor(QPalette::Base, QColor(0xff, 0xff, 0xff));
    colours.setColor(QPalette::AlternateBase, QColor(0xe9, 0xec, 0xef));
    colours.setColor(QPalette::Text, QColor(0, 0, 0));
    colours.setColor(QPalette::Button, raised);
    colours.setColor(QPalette::ButtonText, text);
    colours.setColor(QPalette::Highlight, QColor(0x2f, 0xbf, 0x4f));
    colours.setColor(QPalette::HighlightedText, QColor(0xff, 0xff, 0xff));
    colours.setColor(QPalette::ToolTipBase, QColor(0xff, 0xfb, 0xe6));
    colours.setColor(QPalette::ToolTipText, QColor(0, 0, 0));
    colours.setColor(QPalette::Light, QColor(0x6a, 0x73, 0x7c));
    colours.setColor(QPalette::Midlight, QColor(0x58, 0x60, 0x68));
    colours.setColor(QPalette::Mid, QColor(0x2a, 0x2f, 0x34));
    colours.setColor(QPalette::Dark, QColor(0x1d, 0x21, 0x25));
    colours.setColor(QPalette::Shadow, QColor(0x10, 0x12, 0x14));
    colours.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x8a, 0x91, 0x98));
    colours.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x8a, 0x91, 0x98));
    colours.setColor(QPalette::Disabled, QPalette::Text, QColor(0x6d, 0x6d, 0x6d));
    colours.setColor(QPalette::Disabled, QPalette::Base, QColor(0xf0, 0xf0, 0xf0));
    application.setPalette(colours);
}

} // namespace teb::gui
