#include "core/windows1252codepage.h"

#include <array>

namespace qxm {

namespace {

constexpr std::array<char16_t, 32> kCodes128To159 = {
    u'\u20ac', u'\u0081', u'\u201a', u'\u0192', u'\u201e', u'\u2026', u'\u2020', u'\u2021',
    u'\u02c6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008d', u'\u017d', u'\u008f',
    u'\u0090', u'\u2018', u'\u2019', u'\u201c', u'\u201d', u'\u2022', u'\u2013', u'\u2014',
    u'\u02dc', u'\u2122', u'\u0161', u'\u203a', u'\u0153', u'\u009d', u'\u017e', u'\u0178',
};
constexpr std::int16_t kFirstDifferent = 128;
constexpr std::int16_t kQuestionMark = '?';

} // namespace

std::int16_t Windows1252CodePage::CodeOf(char16_t unit) const
{
    if (unit < kFirstDifferent || (unit >= kFirstDifferent + kCodes128To159.size() && unit <= 0xFF))
        return static_cast<std::int16_t>(unit);
    for (std::size_t index = 0; index < kCodes128To159.size(); ++index) {
        if (kCodes128To159[index] == unit)
            return static_cast<std::int16_t>(kFirstDifferent + index);
    }
    return kQuestionMark;
}

char16_t Windows1252CodePage::CharOf(std::int16_t code) const
{
    if (code < 0 || code > 0xFF)
        return u'?';
    if (code >= kFirstDifferent && code < kFirstDifferent + static_cast<std::int16_t>(kCodes128To159.size()))
        return kCodes128To159[static_cast<std::size_t>(code - kFirstDifferent)];
    return static_cast<char16_t>(code);
}

const Windows1252CodePage &Windows1252CodePage::Instance()
{
    static const Windows1252CodePage codePage;
    return codePage;
}

} // namespace qxm
