#include "platform/windows1252codepage.h"

#include <windows.h>

namespace qxm {

namespace {

constexpr UINT kCodePage = 1252;

} // namespace

bool Windows1252CodePage::Load()
{
    if (!IsValidCodePage(kCodePage))
        return false;

    // Every code unit on its own, as the conversion sees them: a surrogate is
    // a character of its own there, never half of a pair. Without
    // WC_NO_BEST_FIT_CHARS Windows would give a look-alike (A for U+0100)
    // where the code page has no such character; the program wants '?' there.
    const char questionMark = '?';
    for (std::size_t unit = 0; unit < m_codes.size(); ++unit) {
        const wchar_t character = static_cast<wchar_t>(unit);
        char code = 0;
        BOOL usedDefault = FALSE;
        if (WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, &character, 1, &code, 1, &questionMark, &usedDefault)
                == 1
            && !usedDefault)
            m_codes[unit] = static_cast<std::uint8_t>(code);
    }

    char allCodes[256];
    for (int code = 0; code < 256; ++code)
        allCodes[code] = static_cast<char>(code);
    wchar_t characters[256];
    if (MultiByteToWideChar(kCodePage, 0, allCodes, 256, characters, 256) != 256)
        return false;
    for (std::size_t code = 0; code < m_characters.size(); ++code)
        m_characters[code] = static_cast<char16_t>(characters[code]);
    return true;
}

} // namespace qxm
