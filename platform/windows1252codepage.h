#pragma once

#include "core/codepage.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qxm {

// Windows-1252 on every system, so that the DATA lines do not depend on the
// machine's locale. The mapping itself comes from the system's conversion on
// Windows (Qt there has no named code pages) and from Qt's converters
// elsewhere; it is read once into tables because the conversion asks for a
// code per character.
class Windows1252CodePage final : public CodePage
{
public:
    Windows1252CodePage();

    std::int16_t CodeOf(char16_t unit) const override;
    char16_t CharOf(std::int16_t code) const override;

    // False when the platform lacks the converters; every character then
    // maps to '?'.
    bool isValid() const { return m_valid; }

    // The one instance the program uses.
    static const Windows1252CodePage &instance();

private:
    // Fills the tables from the platform's converters; false when it has none
    // for Windows-1252.
    bool Load();

    std::vector<std::uint8_t> m_codes;      // indexed by UTF-16 code unit
    std::array<char16_t, 256> m_characters; // indexed by code
    bool m_valid = false;
};

} // namespace qxm
