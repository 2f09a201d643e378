#include "tests/testregistry.h"
#include "windows/companion/keyvaluereader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;
using qxm::kHkeyCurrentUser;
using qxm::kHkeyLocalMachine;

Bytes BytesOf(const std::string &text)
{
    return Bytes(text.begin(), text.end());
}

class KeyValueReaderTest : public RegistryTest
{
protected:
    // KeyVal starts with text of its own, so a result that leaves it alone
    // shows.
    bool Read(std::int32_t root, const std::string &keyPath, const std::string &valueName)
    {
        KeyVal = "earlier text";
        return qxm::GetKeyValue(root, keyPath, valueName, KeyVal);
    }

    std::string KeyVal;
};

struct ValueCase
{
    const char *behaviour;
    std::uint32_t type;
    Bytes data;
    bool read;
    std::string text;
};

void PrintTo(const ValueCase &c, std::ostream *out)
{
    *out << c.behaviour;
}

class KeyValueReaderValueTest : public KeyValueReaderTest, public ::testing::WithParamInterface<ValueCase>
{
};

TEST_P(KeyValueReaderValueTest, givesTheValueAsText)
{
    const ValueCase &value = GetParam();
    registry.setValue(kHkeyCurrentUser, TestKey("values"), "value", value.type, value.data);

    EXPECT_EQ(Read(kHkeyCurrentUser, TestKey("values"), "value"), value.read);
    EXPECT_EQ(KeyVal, value.text);
}

const std::string kLongest(1023, 'x');

INSTANTIATE_TEST_SUITE_P(
    Values, KeyValueReaderValueTest,
    ::testing::Values(
        ValueCase{"aStringStoredWithItsTerminatorLosesIt", qxm::kRegSz, BytesOf({"abc\0", 4}), true, "abc"},
        ValueCase{"aStringStoredWithoutItsTerminatorKeepsAllItsCharacters", qxm::kRegSz, BytesOf("abc"), true, "abc"},
        ValueCase{"onlyOneTrailingNulIsCut", qxm::kRegSz, BytesOf({"ab\0\0", 4}), true, {"ab\0", 3}},
        ValueCase{"bytesAbove127ComeBackAsStored", qxm::kRegSz, BytesOf({"\xE9\xFF\0", 3}), true, "\xE9\xFF"},
        ValueCase{"aStringFillingTheWholeBufferIsRead", qxm::kRegSz, BytesOf(kLongest + '\0'), true, kLongest},
        ValueCase{"aValueLongerThanTheBufferIsNotRead", qxm::kRegSz, BytesOf(kLongest + "x" + '\0'), false, ""},
        ValueCase{"anEmptyStringGivesEmptyText", qxm::kRegSz, {}, true, ""},
        ValueCase{"aDwordIsStoredLeastSignificantByteFirst", qxm::kRegDword, {0x05, 0x01, 0x00, 0x00}, true, "261"},
        ValueCase{"aDwordWithOnlyItsTopByteSet", qxm::kRegDword, {0x00, 0x00, 0x00, 0x01}, true, "16777216"},
        ValueCase{"aZeroDwordGivesZero", qxm::kRegDword, {0x00, 0x00, 0x00, 0x00}, true, "0"},
        ValueCase{"aDwordWithAllBitsSetIsUnsigned", qxm::kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, true, "4294967295"},
        ValueCase{"aDwordWithOnlyTheTopBitSetIsUnsigned", qxm::kRegDword, {0x00, 0x00, 0x00, 0x80}, true, "2147483648"},
        ValueCase{"aShortDwordIsTheNumberItsBytesSpell", qxm::kRegDword, {0x05, 0x01}, true, "261"},
        ValueCase{"aDwordOfMoreThanFourBytesIsNotRead", qxm::kRegDword, {1, 2, 3, 4, 5}, false, ""},
        ValueCase{"aDwordWithoutDataGivesEmptyText", qxm::kRegDword, {}, true, ""},
        ValueCase{"anExpandableStringIsNotRead", qxm::kRegExpandSz, BytesOf({"%PATH%\0", 7}), false, ""},
        ValueCase{"rawBytesAreNotRead", qxm::kRegBinary, {0x61, 0x62}, false, ""},
        ValueCase{"emptyRawBytesAreNotRead", qxm::kRegBinary, {}, false, ""},
        ValueCase{"aMultiStringIsNotRead", qxm::kRegMultiSz, BytesOf({"a\0b\0\0", 5}), false, ""}),
    [](const auto &info) { return std::string(info.param.behaviour); });

TEST_F(KeyValueReaderTest, aMissingKeyGivesFalseAndEmptyText)
{
    EXPECT_FALSE(Read(kHkeyCurrentUser, TestKey("absent"), "value"));
    EXPECT_EQ(KeyVal, "");
}

TEST_F(KeyValueReaderTest, aMissingValueGivesFalseAndEmptyText)
{
    registry.createKey(kHkeyCurrentUser, TestKey("empty"));

    EXPECT_FALSE(Read(kHkeyCurrentUser, TestKey("empty"), "value"));
    EXPECT_EQ(KeyVal, "");
}

TEST_F(KeyValueReaderTest, aKeyTheUserMayReadButNotChangeIsRead)
{
    registry.setValue(kHkeyCurrentUser, TestKey("read only"), "value", qxm::kRegSz, BytesOf("abc"));
    registry.makeReadOnly(kHkeyCurrentUser, TestKey("read only"));

    EXPECT_TRUE(Read(kHkeyCurrentUser, TestKey("read only"), "value"));
    EXPECT_EQ(KeyVal, "abc");

    qxm::RegKey key = nullptr;
    EXPECT_EQ(qxm::RegOpenKeyExA(qxm::RegKeyFromRoot(kHkeyCurrentUser), TestKey("read only").c_str(), 0,
                                 qxm::kKeyRead | qxm::kKeySetValue, &key),
              qxm::kErrorAccessDenied)
        << "the key must refuse write access for this test to mean anything";
}

TEST_F(KeyValueReaderTest, aKeyTheUserMayNotReadGivesFalseAndEmptyText)
{
    registry.setValue(kHkeyCurrentUser, TestKey("unreadable"), "value", qxm::kRegSz, BytesOf("abc"));
    registry.makeUnreadable(kHkeyCurrentUser, TestKey("unreadable"));

    EXPECT_FALSE(Read(kHkeyCurrentUser, TestKey("unreadable"), "value"));
    EXPECT_EQ(KeyVal, "");
}

TEST_F(KeyValueReaderTest, theEmptyValueNameReadsTheKeysDefaultValue)
{
    registry.setValue(kHkeyCurrentUser, TestKey("default"), "", qxm::kRegSz, BytesOf("abc"));

    EXPECT_TRUE(Read(kHkeyCurrentUser, TestKey("default"), ""));
    EXPECT_EQ(KeyVal, "abc");
}

TEST_F(KeyValueReaderTest, keyAndValueNamesIgnoreCase)
{
    registry.setValue(kHkeyCurrentUser, TestKey("Mixed\\Case"), "Value", qxm::kRegSz, BytesOf("abc"));

    EXPECT_TRUE(Read(kHkeyCurrentUser, TestKey("mIXED\\cASE"), "vALUE"));
    EXPECT_EQ(KeyVal, "abc");
}

TEST_F(KeyValueReaderTest, theRootChoosesWhichTreeIsRead)
{
    registry.setValue(kHkeyLocalMachine, TestKey("machine"), "value", qxm::kRegSz, BytesOf("abc"));

    EXPECT_FALSE(Read(kHkeyCurrentUser, TestKey("machine"), "value"));
    EXPECT_TRUE(Read(kHkeyLocalMachine, TestKey("machine"), "value"));
    EXPECT_EQ(KeyVal, "abc");
}

TEST_F(KeyValueReaderTest, aRootThatIsNoKeyGivesFalseAndEmptyText)
{
    EXPECT_FALSE(Read(0, TestKey("values"), "value"));
    EXPECT_EQ(KeyVal, "");
}

TEST_F(KeyValueReaderTest, keyNameAndValueNameComeBackUnchanged)
{
    registry.setValue(kHkeyCurrentUser, TestKey("Caf\xE9"), "Na\xEFve", qxm::kRegSz, BytesOf("abc"));
    // Const, so that taking them by reference to write them back would not
    // compile.
    const std::string KeyName = TestKey("Caf\xE9");
    const std::string SubKeyRef = "Na\xEFve";

    EXPECT_TRUE(qxm::GetKeyValue(kHkeyCurrentUser, KeyName, SubKeyRef, KeyVal));
    EXPECT_EQ(KeyVal, "abc");
    EXPECT_EQ(KeyName, TestKey("Caf\xE9"));
    EXPECT_EQ(SubKeyRef, "Na\xEFve");
}

} // namespace
