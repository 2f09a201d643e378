#include "tests/systemcodepage.h"

#include <windows.h>

std::optional<std::uint8_t> SystemCodeOf(char16_t unit)
{
    // Without WC_NO_BEST_FIT_CHARS Windows would give a look-alike (A for
    // U+0100), which the program does not.
    const wchar_t character = static_cast<wchar_t>(unit);
    char code = 0;
    BOOL usedDefault = FALSE;
    if (WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, &character, 1, &code, 1, nullptr, &usedDefault) != 1
        || usedDefault)
        return std::nullopt;
    return static_cast<std::uint8_t>(code);
}
