#include "tests/testregistry.h"
#include "windows/companion/keyvaluereader.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

using qxm::kHkeyCurrentUser;

const std::string kKey = std::string(TestRegistry::kTestKey) + "\\Values";

class KeyValueReaderTest : public ::testing::Test
{
protected:
    void Store(const std::string &keyPath, const std::string &valueName, std::uint32_t type, const std::string &data)
    {
        registry.SetValue(kHkeyCurrentUser, keyPath, valueName, type, {data.begin(), data.end()});
    }

    // KeyVal starts with text of its own, so a result that leaves it alone shows.
    bool Read(std::int32_t root, const std::string &keyPath, const std::string &valueName)
    {
        KeyVal = "earlier text";
        return qxm::GetKeyValue(root, keyPath, valueName, KeyVal);
    }

    void TearDown() override { EXPECT_EQ(registry.OpenHandles(), 0) << "a key was left open"; }

    TestRegistry registry;
    std::string KeyVal;
};

TEST_F(KeyValueReaderTest, givesStringsAndThirtyTwoBitNumbersAsTextAndNothingElse)
{
    const std::string longest(1023, 'x');
    // type, data, what a read gives, whether it reads
    const std::tuple<std::uint32_t, std::string, std::string, bool> cases[] = {
        {qxm::kRegSz, {"abc\0", 4}, "abc", true},
        {qxm::kRegSz, "abc", "abc", true},
        {qxm::kRegSz, {"ab\0\0", 4}, {"ab\0", 3}, true},
        {qxm::kRegSz, longest + '\0', longest, true},
        {qxm::kRegSz, longest + "x" + '\0', "", false},
        {qxm::kRegSz, "", "", true},
        {qxm::kRegDword, {"\x05\x01\0\0", 4}, "261", true},
        {qxm::kRegDword, {"\0\0\0\x01", 4}, "16777216", true},
        {qxm::kRegDword, "\xFF\xFF\xFF\xFF", "4294967295", true},
        {qxm::kRegDword, "\x05\x01", "261", true},
        {qxm::kRegDword, "\x01\x02\x03\x04\x05", "", false},
        {qxm::kRegDword, "", "", true},
        {qxm::kRegExpandSz, {"%PATH%\0", 7}, "", false},
        {qxm::kRegBinary, "ab", "", false},
    };
    for (const auto &[type, data, text, read] : cases) {
        SCOPED_TRACE(text);
        Store(kKey, "Value", type, data);
        EXPECT_EQ(Read(kHkeyCurrentUser, kKey, "Value"), read);
        EXPECT_EQ(KeyVal, text);
    }
}

TEST_F(KeyValueReaderTest, findsTheValueByRootKeyAndName)
{
    Store(kKey, "Value", qxm::kRegSz, "abc");
    Store(kKey, "", qxm::kRegSz, "default");
    // root, key, value, what a read gives
    const std::tuple<std::int32_t, std::string, std::string, std::string> cases[] = {
        {kHkeyCurrentUser, kKey, "", "default"},
        {kHkeyCurrentUser, kKey, "Missing", ""},
        {kHkeyCurrentUser, kKey + "\\Absent", "Value", ""},
        {qxm::kHkeyLocalMachine, kKey, "Value", ""},
        {0, kKey, "Value", ""},
    };
    for (const auto &[root, key, value, text] : cases) {
        EXPECT_EQ(Read(root, key, value), !text.empty()) << key << " " << value;
        EXPECT_EQ(KeyVal, text);
    }
}

TEST_F(KeyValueReaderTest, readsAKeyTheUserMayReadButNotChange)
{
    Store(kKey, "Value", qxm::kRegSz, "abc");
    if (!registry.RestrictToReading(kKey))
        GTEST_SKIP() << "this registry has no access rights";
    EXPECT_TRUE(Read(kHkeyCurrentUser, kKey, "Value"));
    EXPECT_EQ(KeyVal, "abc");
}

} // namespace
