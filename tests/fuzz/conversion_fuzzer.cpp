// Arbitrary text through the conversion, with codes no single-byte code page
// yields: the run ends cleanly, holds one well-formed line per character
// before any stop, and stops only where the rules say.
//
// Input: byte 0 is a code for U+4E00 (as a signed 16-bit number with byte
// 1), the rest the text's UTF-16 code units; byte 2 set repeats the text to
// about 33000 units, so that a small input reaches the length limit.

#include "core/conversion.h"
#include "core/fontdata.h"
#include "tests/testcodepage.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 3)
        return 0;
    TestCodePage codePage;
    codePage.overrides = {{u'\u4e00', static_cast<std::int16_t>(data[0] | (data[1] << 8))}};
    std::u16string text;
    for (std::size_t i = 3; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    while (data[2] != 0 && !text.empty() && text.size() <= qxm::kMaxTextLength)
        text += text;

    const qxm::FontDataResult result = qxm::ConvertText(qxm::BuiltInFont(), codePage, text);
    std::size_t lines = 0;
    for (std::size_t at = 0; at < result.text.size(); ++lines) {
        const std::size_t end = result.text.find("\r\n", at);
        // "Data ", the bytes or none, "  '" and a character of one to three bytes
        const std::size_t length = end - at;
        if (end == std::string::npos || result.text.compare(at, 5, "Data ") != 0
            || !((length >= 41 && length <= 43) || (length >= 9 && length <= 11)))
            std::abort();
        at = end + 2;
    }
    const std::int16_t CharPos = qxm::CharPosAfter(text.size(), result.error);
    if (!result.error) {
        if (lines != text.size())
            std::abort();
    } else if (result.error->position == 0
                   ? text.size() <= qxm::kMaxTextLength || lines != 0
                   : lines != result.error->position - 1 || CharPos != static_cast<std::int16_t>(result.error->position)
                         || (result.error->code >= 32 && result.error->code <= 288)) {
        std::abort();
    }
    return 0;
}
