#pragma once

#include "core/codepage.h"

#include <map>

// Latin-1 with room for odd codes: the conversion's rules can be tested
// without Qt, including codes that no single-byte code page produces.
class TestCodePage final : public qxm::CodePage
{
public:
    std::map<char16_t, std::int16_t> overrides;

    std::int16_t CodeOf(char16_t unit) const override
    {
        if (const auto found = overrides.find(unit); found != overrides.end())
            return found->second;
        return unit < 256 ? static_cast<std::int16_t>(unit) : std::int16_t{'?'};
    }

    char16_t CharOf(std::int16_t code) const override
    {
        for (const auto &[unit, overridden] : overrides) {
            if (overridden == code)
                return unit;
        }
        return code >= 0 && code < 256 ? static_cast<char16_t>(code) : u'?';
    }
};
