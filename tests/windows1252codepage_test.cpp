#include "core/windows1252codepage.h"
#include "tests/systemcodepage.h"

#include <gtest/gtest.h>

namespace {

// Every UTF-16 code unit on its own, as the conversion sees them: a surrogate
// is a character of its own there, never half of a pair.
TEST(Windows1252CodePageTest, agreesWithTheSystemsOwnConverterOnEveryCodeUnitAndCode)
{
    const qxm::Windows1252CodePage &codePage = qxm::Windows1252CodePage::Instance();
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
        const auto unit16 = static_cast<char16_t>(unit);
        EXPECT_EQ(codePage.CodeOf(unit16), SystemCodeOf(unit16).value_or('?')) << "U+" << std::hex << unit;
    }
    // And back: each code stands for the character the system gives that code.
    for (std::int16_t code = 0; code <= 0xFF; ++code)
        EXPECT_EQ(codePage.CodeOf(codePage.CharOf(code)), code) << code;
    EXPECT_EQ(codePage.CharOf(256), u'?');
}

} // namespace
