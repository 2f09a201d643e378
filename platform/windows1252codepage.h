#pragma once

#include "core/codepage.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qxm {

// Windows-1252 on every system, so that the DATA lines do not depend on the
// machine's locale. The mapping itself comes from Qt's converters; it is read
// once into tables because the conversion asks for a code per character.
class Windows1252CodePage final : public CodePage
{
public:
    Windows1252CodePage();

    std::int16_t CodeOf(char16_t unit) const override;
    char16_t CharOf(std::int16_t code) const override;

    // False when the converters are missing from this Qt build; every
    // character then maps to '?'.
    bool isValid() const { return m_valid; }

    // The one instance the program uses.
    static const Windows1252CodePage &instance();

private:
    std::vector<std::uint8_t> m_codes;      // indexed by UTF-16 code unit
    std::array<char16_t, 256> m_characters; // indexed by code
    bool m_valid = false;
};

} // namespace qxm
