#include "platform/windows1252codepage.h"

namespace qxm {

namespace {

constexpr std::uint8_t kQuestionMark = '?';
constexpr std::size_t kCodeUnits = 0x10000;

} // namespace

Windows1252CodePage::Windows1252CodePage()
    : m_codes(kCodeUnits, kQuestionMark)
{
    m_characters.fill(u'?');
    m_valid = Load();
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
