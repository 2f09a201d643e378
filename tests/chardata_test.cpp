#include "core/chardata.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace {

std::string Narrow(const std::u16string &text)
{
    return std::string(text.begin(), text.end());
}

class CharDataTest : public ::testing::Test
{
protected:
    void SetUp() override { qxm::FillCharData(table); }
    qxm::CharDataTable table;
};

TEST_F(CharDataTest, everyPrintableAsciiCharacterHasAWellFormedRowOfSevenBitBytes)
{
    const std::regex rowPattern("&H([0-7][0-9A-F]) , &H([0-7][0-9A-F]) , &H([0-7][0-9A-F]) , "
                                "&H([0-7][0-9A-F]) , &H([0-7][0-9A-F])");
    for (std::size_t slot = 0; slot < qxm::kFilledSlots; ++slot) {
        SCOPED_TRACE("code " + std::to_string(slot + 32));
        const std::u16string &row = table[slot];
        EXPECT_EQ(row.size(), qxm::kGlyphRowLength);
        for (const char16_t unit : row)
            ASSERT_LT(unit, 0x80) << "glyph rows are plain ASCII";
        EXPECT_TRUE(std::regex_match(Narrow(row), rowPattern)) << Narrow(row);
    }
}

TEST_F(CharDataTest, codesFrom127OnHaveAnEmptySlot)
{
    for (std::size_t slot = qxm::kFilledSlots; slot < table.size(); ++slot)
        EXPECT_TRUE(table[slot].empty()) << "slot " << slot;
    EXPECT_EQ(table.size(), 257u) << "codes up to 288 must index the table";
}

TEST_F(CharDataTest, onlyTheSpaceIsEntirelyDark)
{
    EXPECT_EQ(Narrow(table[0]), "&H00 , &H00 , &H00 , &H00 , &H00");
    for (std::size_t slot = 1; slot < qxm::kFilledSlots; ++slot)
        EXPECT_NE(table[slot], table[0]) << "code " << slot + 32 << " would be invisible";
}

} // namespace
