#include "platform/windows1252codepage.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

namespace qxm {

namespace {

constexpr const char *kCodePageName = "windows-1252";
constexpr std::uint8_t kQuestionMark = '?';
// Qt's encoder writes this byte for a character that has no code; Windows
// writes '?' instead, and a leaked 0x1A would stop the run as a control code.
constexpr char kEncoderSubstitute = 0x1A;
constexpr std::size_t kCodeUnits = 0x10000;

} // namespace

Windows1252CodePage::Windows1252CodePage()
    : m_codes(kCodeUnits, kQuestionMark)
{
    m_characters.fill(u'?');
    QStringEncoder encoder(kCodePageName, QStringConverter::Flag::Stateless);
    QStringDecoder decoder(kCodePageName, QStringConverter::Flag::Stateless);
    m_valid = encoder.isValid() && decoder.isValid();
    if (!m_valid)
        return;

    // Every code unit on its own, as the conversion sees them: a surrogate is
    // a character of its own there, never half of a pair.
    for (std::size_t unit = 0; unit < kCodeUnits; ++unit) {
        const QChar character(static_cast<char16_t>(unit));
        const QByteArray bytes = encoder.encode(QStringView(&character, 1));
        if (bytes.size() != 1 || (bytes[0] == kEncoderSubstitute && unit != 0x1A))
            continue;
        m_codes[unit] = static_cast<std::uint8_t>(bytes[0]);
    }

    QByteArray allCodes(256, '\0');
    for (int code = 0; code < 256; ++code)
        allCodes[code] = static_cast<char>(code);
    const QString characters = decoder.decode(allCodes);
    if (characters.size() == 256) {
        for (int code = 0; code < 256; ++code)
            m_characters[static_cast<std::size_t>(code)] = characters.at(code).unicode();
    }
}

std::int16_t Windows1252CodePage::CodeOf(char16_t unit) const
{
    return m_codes[unit];
}

char16_t Windows1252CodePage::CharOf(std::int16_t code) const
{
    if (code < 0 || code > 255)
        return u'?';
    return m_characters[static_cast<std::size_t>(code)];
}

const Windows1252CodePage &Windows1252CodePage::instance()
{
    static const Windows1252CodePage codePage;
    return codePage;
}

} // namespace qxm
