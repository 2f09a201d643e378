#include "core/printabletext.h"

#include "core/conversion.h"
#include "core/utf8.h"

#include <cstdio>

namespace qxm {

std::string CharacterCode(char32_t character)
{
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
    return code;
}

std::u16string PrintableText(std::u16string_view text, bool asciiOnly)
{
    std::u16string shown;
    shown.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char16_t unit = text[at];
        if (!IsControlCharacter(unit) && (!asciiOnly || unit < 0x80)) {
            shown += unit;
            continue;
        }
        char32_t character = unit;
        if (at + 1 < text.size() && IsSurrogatePair(unit, text[at + 1]))
            character = FromSurrogatePair(unit, text[++at]);
        for (const char digit : CharacterCode(character))
            shown += static_cast<char16_t>(digit);
    }
    return shown;
}

} // namespace qxm
