#pragma once

#include "core/codepage.h"

namespace qxm {

// Windows-1252 on every system, so that the lines do not depend on the
// machine's locale. It is Latin-1 but for codes 128 to 159, where it has 27
// printing characters; its 5 undefined codes there stand for the C1 controls
// of the same number, as Windows' own conversion has them.
class Windows1252CodePage final : public CodePage
{
public:
    std::int16_t CodeOf(char16_t unit) const override;
    char16_t CharOf(std::int16_t code) const override;

    // The one the programs use.
    static const Windows1252CodePage &Instance();
};

} // namespace qxm
