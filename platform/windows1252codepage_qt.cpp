#include "platform/windows1252codepage.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

namespace qxm {

namespace {

constexpr const char *kCodePageName = "windows-1252";
// Qt's encoder writes this byte for a character that has no code; Windows
// writes '?' instead, and a leaked 0x1A would stop the run as a control code.
constexpr char kEncoderSubstitute = 0x1A;

} // namespace

bool Windows1252CodePage::Load()
{
    QStringEncoder encoder(kCodePageName, QStringConverter::Flag::Stateless);
    QStringDecoder decoder(kCodePageName, QStringConverter::Flag::Stateless);
    if (!encoder.isValid() || !decoder.isValid())
        return false;

    // Every code unit on its own, as the conversion sees them: a surrogate is
    // a character of its own there, never half of a pair.
    for (std::size_t unit = 0; unit < m_codes.size(); ++unit) {
        const QChar character(static_cast<char16_t>(unit));
        const QByteArray bytes = encoder.encode(QStringView(&character, 1));
        if (bytes.size() != 1 || (bytes[0] == kEncoderSubstitute && unit != 0x1A))
            continue;
        m_codes[unit] = static_cast<std::uint8_t>(bytes[0]);
    }

    QByteArray allCodes(static_cast<qsizetype>(m_characters.size()), '\0');
    for (qsizetype code = 0; code < allCodes.size(); ++code)
        allCodes[code] = static_cast<char>(code);
    const QString characters = decoder.decode(allCodes);
    if (characters.size() != allCodes.size())
        return false;
    for (qsizetype code = 0; code < characters.size(); ++code)
        m_characters[static_cast<std::size_t>(code)] = characters.at(code).unicode();
    return true;
}

} // namespace qxm
