#pragma once

#include <cstdint>

namespace qxm {

// The 8-bit code page that gives each character the code the font is indexed
// by. The conversion only sees this interface; the platform layer supplies the
// real code page, tests may supply a simpler one.
class CodePage
{
public:
    virtual ~CodePage() = default;

    // The code of one UTF-16 code unit. A unit the code page cannot represent
    // gets the code of '?', as the Windows ANSI conversion does.
    virtual std::int16_t CodeOf(char16_t unit) const = 0;

    // The character a code stands for; '?' for a code outside the page.
    virtual char16_t CharOf(std::int16_t code) const = 0;
};

} // namespace qxm
