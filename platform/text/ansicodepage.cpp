#include "platform/text/ansicodepage.h"

#include "core/windows1252codepage.h"

namespace qxm {

// Code unit by code unit, as the conversion core reads text.
std::string ToAnsiCodePage(const QString &text)
{
    const Windows1252CodePage &codePage = Windows1252CodePage::Instance();
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar character : text)
        bytes += static_cast<char>(codePage.CodeOf(character.unicode()));
    return bytes;
}

QString FromAnsiCodePage(std::string_view bytes)
{
    const Windows1252CodePage &codePage = Windows1252CodePage::Instance();
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes)
        text += QChar(codePage.CharOf(static_cast<std::int16_t>(static_cast<unsigned char>(byte))));
    return text;
}

} // namespace qxm
