#pragma once

#include "common/rgb.h"

#include <QColor>
#include <QFile>
#include <QString>

#include <filesystem>
#include <string>

namespace teb::gui {

// The core's 8-bit texts are Latin-1 on screen: every byte 0x00..0xFF is one
// character and comes back as the same byte.
inline QString fromLatin1(const std::string &text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string toLatin1(const QString &text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Set names become file names: UTF-8 both ways, so that every name the
// operator can type names a file of its own.
inline QString fromUtf8(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string toUtf8(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// "\r\n" in a model text is one line break on screen.
inline QString linesFromLatin1(const std::string &text)
{
    QString shown = fromLatin1(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

// The same for UTF-8 texts (the trace).
inline QString linesFromUtf8(const std::string &text)
{
    QString shown = fromUtf8(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

// File paths are not Latin-1: they go through the system's file name encoding.
inline QString fromPath(const std::filesystem::path &path) { return QFile::decodeName(path.native().c_str()); }
inline std::filesystem::path toPath(const QString &name)
{
    const QByteArray bytes = QFile::encodeName(name);
    return std::filesystem::path(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

inline QColor toQColor(Rgb colour) { return QColor(colour.red(), colour.green(), colour.blue()); }

} // namespace teb::gui
