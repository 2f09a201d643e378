#include "tests/testregistry.h"
#include "windows/companion/keyvaluereader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;
using qxm::kHkeyCurrentUser;

const std::string kKey = std::string(TestRegistry::kTestKey) + "\\Values";

Bytes BytesOf(const std::string &text)
{
    return Bytes(text.begin(), text.end());
}

class KeyValueReaderTest : public ::testing::Test
{
protected:
    // KeyVal starts with text of its own, so a result that leaves it alone shows.
    bool Read(std::int32_t root, const std::string &keyPath, const std::string &valueName)
    {
        KeyVal = "earlier text";
        return qxm::GetKeyValue(root, keyPath, valueName, KeyVal);
    }

    void TearDown() override { EXPECT_EQ(registry.openHandles(), 0) << "a key was left open"; }

    TestRegistry registry;
    std::string KeyVal;
};

TEST_F(KeyValueReaderTest, givesStringsAndThirtyTwoBitNumbersAsTextAndNothingElse)
{
    const std::string longest(1023, 'x');
    const struct
    {
        std::uint32_t type;
        Bytes data;
        std::string text; // what a read gives
        bool read;
    } cases[] = {
        {qxm::kRegSz, BytesOf({"abc\0", 4}), "abc", true},
        {qxm::kRegSz, BytesOf("abc"), "abc", true},
        {qxm::kRegSz, BytesOf({"ab\0\0", 4}), {"ab\0", 3}, true},
        {qxm::kRegSz, BytesOf(longest + '\0'), longest, true},
        {qxm::kRegSz, BytesOf(longest + "x" + '\0'), "", false},
        {qxm::kRegSz, {}, "", true},
        {qxm::kRegDword, {0x05, 0x01, 0x00, 0x00}, "261", true},
        {qxm::kRegDword, {0x00, 0x00, 0x00, 0x01}, "16777216", true},
        {qxm::kRegDword, {0x00, 0x00, 0x00, 0x00}, "0", true},
        {qxm::kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, "4294967295", true},
        {qxm::kRegDword, {0x05, 0x01}, "261", true},
        {qxm::kRegDword, {1, 2, 3, 4, 5}, "", false},
        {qxm::kRegDword, {}, "", true},
        {qxm::kRegExpandSz, BytesOf({"%PATH%\0", 7}), "", false},
        {qxm::kRegBinary, {0x61, 0x62}, "", false},
    };
    for (const auto &value : cases) {
        SCOPED_TRACE(value.text);
        registry.setValue(kHkeyCurrentUser, kKey, "Value", value.type, value.data);
        EXPECT_EQ(Read(kHkeyCurrentUser, kKey, "Value"), value.read);
        EXPECT_EQ(KeyVal, value.text);
    }
}

TEST_F(KeyValueReaderTest, findsTheValueByRootKeyAndName)
{
    registry.setValue(kHkeyCurrentUser, kKey, "Value", qxm::kRegSz, BytesOf("abc"));
    registry.setValue(kHkeyCurrentUser, kKey, "", qxm::kRegSz, BytesOf("default"));
    const struct
    {
        std::int32_t root;
        std::string key;
        std::string value;
        std::string text;
    } cases[] = {
        {kHkeyCurrentUser, kKey, "Value", "abc"},    {kHkeyCurrentUser, kKey, "", "default"},
        {kHkeyCurrentUser, kKey, "Missing", ""},     {kHkeyCurrentUser, kKey + "\\Absent", "Value", ""},
        {qxm::kHkeyLocalMachine, kKey, "Value", ""}, {0, kKey, "Value", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Read(c.root, c.key, c.value), !c.text.empty()) << c.key << " " << c.value;
        EXPECT_EQ(KeyVal, c.text);
    }
}

TEST_F(KeyValueReaderTest, readsAKeyTheUserMayReadButNotChangeAndNoneTheUserMayNotRead)
{
    registry.setValue(kHkeyCurrentUser, kKey + "\\Read", "Value", qxm::kRegSz, BytesOf("abc"));
    registry.setValue(kHkeyCurrentUser, kKey + "\\None", "Value", qxm::kRegSz, BytesOf("abc"));
    if (!registry.restrictAccess(kHkeyCurrentUser, kKey + "\\Read", qxm::kKeyRead)
        || !registry.restrictAccess(kHkeyCurrentUser, kKey + "\\None", 0))
        GTEST_SKIP() << "this registry has no access rights";
    EXPECT_TRUE(Read(kHkeyCurrentUser, kKey + "\\Read", "Value"));
    EXPECT_EQ(KeyVal, "abc");
    EXPECT_FALSE(Read(kHkeyCurrentUser, kKey + "\\None", "Value"));
    EXPECT_EQ(KeyVal, "");
}

} // namespace
