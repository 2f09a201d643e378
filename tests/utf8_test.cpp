#include "core/utf8.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// What the web page shows of a message is ToUtf8's bytes, read back by a
// strict decoder: a character past the Basic Multilingual Plane (an emoji in
// a file name) must come through whole, not as two encoded halves.
TEST(Utf8Test, writesEveryCharacterAsUtf8ThatReadsBackTheSame)
{
    const std::u16string cases[] = {u"", u"Hi", u"é€\u4e00", u"a\U0001F600b", u"\U0010FFFF"};
    for (const std::u16string &text : cases) {
        const std::optional<std::u16string> decoded = qxm::DecodeUtf8(qxm::ToUtf8(text));
        ASSERT_TRUE(decoded.has_value()) << qxm::ToUtf8(text);
        EXPECT_EQ(*decoded, text);
    }
    EXPECT_EQ(qxm::ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

} // namespace
