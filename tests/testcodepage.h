#pragma once

#include "core/codepage.h"

#include <map>

// Latin-1 with room for codes that no single-byte code page produces, so that
// the conversion's rules can be tested without Qt.
class TestCodePage final : public qxm::CodePage
{
public:
    std::map<char16_t, std::int16_t> overrides;

    std::int16_t CodeOf(char16_t unit) const override
    {
        const auto found = overrides.find(unit);
        return found != overrides.end() ? found->second : unit < 256 ? std::int16_t(unit) : std::int16_t{'?'};
    }

    char16_t CharOf(std::int16_t code) const override
    {
        for (const auto &[unit, overridden] : overrides) {
            if (overridden == code)
                return unit;
        }
        return code >= 0 && code < 256 ? char16_t(code) : u'?';
    }
};
