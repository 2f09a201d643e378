// Arbitrary text through the conversion: whatever the text, the run ends
// cleanly, and its output is exactly the DATA lines of the characters before
// the first one the rules refuse.
//
// Input layout (little endian):
//   byte 0       bits 0-1: how many code page overrides follow (0 to 3);
//                bit 7: stretch the text to a length given below
//   overrides    2 bytes code unit, 2 bytes the code the code page gives it,
//                so that codes no real single-byte code page yields (negative,
//                above 288) reach the conversion too
//   if stretched 2 bytes, the text's length modulo 40001
//   the rest     the text's UTF-16 code units (an odd last byte is dropped),
//                repeated up to the length when stretched, so that a small
//                input reaches the length limit

#include "core/chardata.h"
#include "core/conversion.h"
#include "core/preview.h"
#include "tests/fuzz/fuzzcheck.h"
#include "tests/testcodepage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kLongestText = 40000;
constexpr std::int16_t kCharPosBefore = -7;

// What the rules make of one character's code.
enum class Outcome {
    Glyph,       // codes 32 to 126: a line with the glyph's five column bytes
    EmptyRow,    // codes 127 to 288: a line without column bytes
    NoGlyphSlot, // any other code from -32736 up: subscript out of range
    CodeTooLow,  // code - 32 below -32768: overflow
};

Outcome OutcomeOf(int code)
{
    if (code - 32 < -32768)
        return Outcome::CodeTooLow;
    if (code < 32 || code > 288)
        return Outcome::NoGlyphSlot;
    return code <= 126 ? Outcome::Glyph : Outcome::EmptyRow;
}

bool IsHexDigit(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
}

// "&HXX , &HXX , &HXX , &HXX , &HXX", each byte at most &H7F: seven dots a column.
bool IsWellFormedRow(std::u16string_view row)
{
    if (row.size() != 32)
        return false;
    for (std::size_t column = 0; column < 5; ++column) {
        const std::u16string_view item = row.substr(column * 7, 4);
        if (item[0] != u'&' || item[1] != u'H' || item[2] < u'0' || item[2] > u'7' || !IsHexDigit(item[3]))
            return false;
        if (column < 4 && row.substr(column * 7 + 4, 3) != u" , ")
            return false;
    }
    return true;
}

unsigned ColumnByte(std::u16string_view row, std::size_t column)
{
    const auto digit = [](char16_t c) { return c <= u'9' ? unsigned(c - u'0') : unsigned(c - u'A' + 10); };
    return digit(row[column * 7 + 2]) * 16 + digit(row[column * 7 + 3]);
}

// The five column bytes of each glyph, read once from well-formed rows.
const std::vector<std::array<unsigned, 5>> &GlyphColumns()
{
    static const std::vector<std::array<unsigned, 5>> columns = [] {
        std::vector<std::array<unsigned, 5>> all;
        for (int code = 32; code <= 126; ++code) {
            const std::u16string &row = qxm::FilledCharData()[static_cast<std::size_t>(code - 32)];
            QXM_FUZZ_REQUIRE(IsWellFormedRow(row));
            std::array<unsigned, 5> bytes{};
            for (std::size_t column = 0; column < bytes.size(); ++column)
                bytes[column] = ColumnByte(row, column);
            all.push_back(bytes);
        }
        return all;
    }();
    return columns;
}

// Takes piece off the front of text, if text starts with it.
bool Consume(std::u16string_view &text, std::u16string_view piece)
{
    if (text.substr(0, piece.size()) != piece)
        return false;
    text.remove_prefix(piece.size());
    return true;
}

std::u16string TextOf(qxm::fuzz::InputReader &input, TestCodePage &codePage)
{
    const std::uint8_t mode = input.byte();
    for (unsigned overrides = mode & 3U; overrides > 0; --overrides) {
        const char16_t unit = input.uint16();
        codePage.overrides[unit] = static_cast<std::int16_t>(input.uint16());
    }
    const bool stretched = (mode & 0x80U) != 0;
    const std::size_t length = stretched ? input.uint16() % (kLongestText + 1) : kLongestText;

    std::u16string units;
    const std::uint8_t *bytes = input.rest();
    for (std::size_t i = 0; i + 1 < input.restSize() && units.size() < kLongestText; i += 2)
        units.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    if (!stretched)
        return units;
    if (units.empty())
        units.push_back(u'A');
    std::u16string text;
    text.reserve(length);
    while (text.size() < length)
        text.append(units, 0, length - text.size());
    return text;
}

void CheckStop(const qxm::RunTimeError &error, Outcome outcome, char16_t character, std::int16_t code,
               std::size_t position, std::size_t length)
{
    using Cause = qxm::RunTimeError::Cause;
    using Kind = qxm::RunTimeErrorKind;
    const bool tooLow = outcome == Outcome::CodeTooLow;
    QXM_FUZZ_REQUIRE(error.kind == (tooLow ? Kind::Overflow : Kind::SubscriptOutOfRange));
    QXM_FUZZ_REQUIRE(error.cause == (tooLow ? Cause::CodeTooLow : Cause::NoGlyphSlot));
    QXM_FUZZ_REQUIRE(error.position == position);
    QXM_FUZZ_REQUIRE(error.character == character);
    QXM_FUZZ_REQUIRE(error.code == code);
    QXM_FUZZ_REQUIRE(error.length == length);
}

// The picture shows the same characters as the lines: 5 columns each, one
// dark column between, a glyph's bit 6 in the top row.
void CheckPreview(const qxm::Preview &preview, const std::u16string &text, const TestCodePage &codePage,
                  std::size_t converted, const std::optional<qxm::RunTimeError> &error)
{
    QXM_FUZZ_REQUIRE(preview.error.has_value() == error.has_value());
    if (error) {
        QXM_FUZZ_REQUIRE(preview.error->cause == error->cause);
        QXM_FUZZ_REQUIRE(preview.error->position == error->position);
    }
    const std::size_t width = converted == 0 ? 0 : converted * 6 - 1;
    for (const std::string &row : preview.rows)
        QXM_FUZZ_REQUIRE(row.size() == width);
    for (std::size_t index = 0; index < converted; ++index) {
        const std::int16_t code = codePage.CodeOf(text[index]);
        const bool glyph = OutcomeOf(code) == Outcome::Glyph;
        for (std::size_t row = 0; row < qxm::kGlyphRows; ++row) {
            const std::string &line = preview.rows[row];
            if (index > 0)
                QXM_FUZZ_REQUIRE(line[index * 6 - 1] == '.');
            for (std::size_t column = 0; column < qxm::kGlyphColumns; ++column) {
                const bool lit =
                    glyph && ((GlyphColumns()[static_cast<std::size_t>(code - 32)][column] >> (6 - row)) & 1U) != 0;
                QXM_FUZZ_REQUIRE(line[index * 6 + column] == (lit ? '#' : '.'));
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    qxm::fuzz::InputReader input(data, size);
    TestCodePage codePage;
    const std::u16string text = TextOf(input, codePage);

    std::int16_t CharPos = kCharPosBefore;
    const qxm::ConversionResult result = qxm::ConvertText(qxm::FilledCharData(), codePage, text, CharPos);

    if (text.size() >= 32768) {
        QXM_FUZZ_REQUIRE(result.text.empty());
        QXM_FUZZ_REQUIRE(result.error.has_value());
        QXM_FUZZ_REQUIRE(result.error->kind == qxm::RunTimeErrorKind::Overflow);
        QXM_FUZZ_REQUIRE(result.error->cause == qxm::RunTimeError::Cause::TextTooLong);
        QXM_FUZZ_REQUIRE(result.error->length == text.size());
        QXM_FUZZ_REQUIRE(result.error->position == 0);
        QXM_FUZZ_REQUIRE(CharPos == kCharPosBefore);
        const qxm::Preview preview = qxm::PreviewText(qxm::FilledCharData(), codePage, text);
        QXM_FUZZ_REQUIRE(preview.error && preview.error->cause == qxm::RunTimeError::Cause::TextTooLong);
        for (const std::string &row : preview.rows)
            QXM_FUZZ_REQUIRE(row.empty());
        return 0;
    }

    // Walk the output line by line alongside the text.
    std::u16string_view output = result.text;
    std::size_t converted = 0;
    for (; converted < text.size(); ++converted) {
        const char16_t character = text[converted];
        const std::int16_t code = codePage.CodeOf(character);
        const Outcome outcome = OutcomeOf(code);
        if (outcome == Outcome::CodeTooLow || outcome == Outcome::NoGlyphSlot) {
            QXM_FUZZ_REQUIRE(result.error.has_value());
            CheckStop(*result.error, outcome, character, code, converted + 1, text.size());
            QXM_FUZZ_REQUIRE(CharPos == static_cast<std::int16_t>(converted + 1));
            break;
        }
        // "Data ", the glyph row (none above code 126), "  '", the character
        // the code stands for, CR LF.
        std::u16string_view row;
        if (outcome == Outcome::Glyph)
            row = qxm::FilledCharData()[static_cast<std::size_t>(code - 32)];
        const char16_t shown = codePage.CharOf(code);
        QXM_FUZZ_REQUIRE(Consume(output, u"Data ") && Consume(output, row) && Consume(output, u"  '")
                         && Consume(output, std::u16string_view(&shown, 1)) && Consume(output, u"\r\n"));
    }
    // Nothing after the lines of the characters before the stop.
    QXM_FUZZ_REQUIRE(output.empty());
    if (converted == text.size()) {
        QXM_FUZZ_REQUIRE(!result.error.has_value());
        // One past the last character, where that still fits in 16 bits.
        QXM_FUZZ_REQUIRE(CharPos == static_cast<std::int16_t>(text.size() < 32767 ? text.size() + 1 : 32767));
    }

    // Without CharPos the run gives the same.
    const qxm::ConversionResult again = qxm::ConvertText(qxm::FilledCharData(), codePage, text);
    QXM_FUZZ_REQUIRE(again.text == result.text);
    QXM_FUZZ_REQUIRE(again.error.has_value() == result.error.has_value());

    CheckPreview(qxm::PreviewText(qxm::FilledCharData(), codePage, text), text, codePage, converted, result.error);
    return 0;
}
