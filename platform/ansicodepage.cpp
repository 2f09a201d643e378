#include "platform/ansicodepage.h"

#ifndef Q_OS_WIN
#include "platform/windows1252codepage.h"
#endif

#include <QByteArray>

namespace qxm {

#ifdef Q_OS_WIN

// Qt's local 8-bit encoding is the ANSI code page on Windows.
std::string ToAnsiCodePage(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FromAnsiCodePage(std::string_view bytes)
{
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

#else

// Code unit by code unit, as the conversion core reads text.
std::string ToAnsiCodePage(const QString &text)
{
    const Windows1252CodePage &codePage = Windows1252CodePage::instance();
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar character : text)
        bytes += static_cast<char>(codePage.CodeOf(character.unicode()));
    return bytes;
}

QString FromAnsiCodePage(std::string_view bytes)
{
    const Windows1252CodePage &codePage = Windows1252CodePage::instance();
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes)
        text += QChar(codePage.CharOf(static_cast<std::int16_t>(static_cast<unsigned char>(byte))));
    return text;
}

#endif

} // namespace qxm
