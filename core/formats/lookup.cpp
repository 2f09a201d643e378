// The lookup function written beside a C font: plain C89, so that every
// compiler that takes the font takes it too, from sdcc to avr-g++.
#include "core/formats/lookup.h"

#include "core/windows1252codepage.h"

#include <algorithm>
#include <cstdio>

namespace qxm {

namespace {

constexpr int kFirstDifferentCode = 128; // Windows-1252 is Latin-1 but for 128 to 159
constexpr int kDifferentCodes = 32;
constexpr int kItemsPerLine = 8;

// "        0x20AC, 0x0081, ...\n", kItemsPerLine a line.
template <typename ValueOf>
std::string HexLines(int count, int digits, const ValueOf &valueOf)
{
    std::string lines;
    for (int index = 0; index < count; ++index) {
        char item[16];
        std::snprintf(item, sizeof item, "0x%0*X", digits, static_cast<unsigned>(valueOf(index)));
        lines += index % kItemsPerLine == 0 ? "        " : " ";
        lines += item;
        if (index + 1 < count)
            lines += ",";
        if (index + 1 == count || index % kItemsPerLine == kItemsPerLine - 1)
            lines += "\n";
    }
    return lines;
}

// A statement that reads one of the function's own tables: from program
// memory on AVR when they are kept there.
std::string Read(const LookupTable &table, const std::string &pattern, const std::string &address,
                 const char *programRead)
{
    const auto with = [&pattern](const std::string &read) {
        std::string line = pattern;
        return line.replace(line.find('@'), 1, read);
    };
    if (!table.programMemory)
        return with(address.substr(1));
    return "#ifdef __AVR__\n" + with(std::string(programRead) + "(" + address + ")") + "#else\n"
           + with(address.substr(1)) + "#endif\n";
}

} // namespace

std::string LookupFunction(const LookupTable &table)
{
    const CodeRange range = table.range;
    const int codes = range.last - range.first + 1;
    const int bitBytes = std::max(1, (codes + 7) / 8);
    const std::string first = std::to_string(range.first);
    const std::string last = std::to_string(range.last);
    const std::string index = "(code - " + first + ")";
    const std::string progmem = table.programMemory ? " PROGMEM" : "";
    const std::string signature = "int " + table.name + "_Index(const char **text)";
    const CodePage &codePage = Windows1252CodePage::Instance();
    return "/* The index of the font's glyph for the UTF-8 character at *text, which it\n"
           "   steps past; -1 when the font has none, or when the bytes there are not\n"
           "   UTF-8 (then it steps one byte). A character's code is its Windows-1252\n"
           "   code. */\n"
           + signature + ";\n" + signature
           + "\n{\n"
             "    /* Windows-1252's characters for codes 128 to 159 */\n"
             "    static const unsigned int high[32]"
           + progmem + " = {\n"
           + HexLines(
               kDifferentCodes, 4,
               [&](int offset) { return codePage.CharOf(static_cast<std::int16_t>(kFirstDifferentCode + offset)); })
           + "    };\n    /* a bit for each code from " + first + " to " + last
           + ": whether it has a glyph */\n    static const unsigned char hasGlyph[" + std::to_string(bitBytes) + "]"
           + progmem + " = {\n"
           + HexLines(bitBytes, 2,
                      [&](int byte) {
                          unsigned bits = 0;
                          for (int bit = 0; bit < 8 && byte * 8 + bit < codes; ++bit) {
                              const int code = range.first + byte * 8 + bit;
                              bits |= table.present[static_cast<std::size_t>(code)] << bit;
                          }
                          return bits;
                      })
           + "    };\n"
             "    const unsigned char *bytes = (const unsigned char *)*text;\n"
             "    unsigned int character = bytes[0];\n"
             "    unsigned char low = 0x80, top = 0xBF;\n"
             "    int more = 0, step, code = -1;\n"
             "    if (character >= 0xC2 && character <= 0xF4) {\n"
             "        /* the bytes that follow, the first of them in the range that\n"
             "           keeps the sequence the shortest one of a code point up to\n"
             "           U+10FFFF that is not a surrogate */\n"
             "        more = character >= 0xF0 ? 3 : character >= 0xE0 ? 2 : 1;\n"
             "        low = character == 0xE0 ? 0xA0 : character == 0xF0 ? 0x90 : 0x80;\n"
             "        top = character == 0xED ? 0x9F : character == 0xF4 ? 0x8F : 0xBF;\n"
             "        character &= 0x3F >> more;\n"
             "    } else if (character >= 0x80) {\n"
             "        ++*text;\n"
             "        return -1;\n"
             "    }\n"
             "    for (step = 1; step <= more; ++step) {\n"
             "        if (bytes[step] < low || bytes[step] > top) {\n"
             "            ++*text;\n"
             "            return -1;\n"
             "        }\n"
             "        character = (character << 6) | (bytes[step] & 0x3F);\n"
             "        low = 0x80;\n"
             "        top = 0xBF;\n"
             "    }\n"
             "    *text += more + 1;\n"
             "    if (more == 3)\n"
             "        return -1; /* past U+FFFF: not in Windows-1252 */\n"
             "    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))\n"
             "        code = (int)character;\n"
             "    for (step = 0; code < 0 && step < 32; ++step) {\n"
           + Read(table, "        if (@ == character)\n", "&high[step]", "pgm_read_word")
           + "            code = 128 + step;\n"
             "    }\n"
             "    if (code < "
           + first + " || code > " + last + ")\n        return -1;\n"
           + Read(table, "    return (@ >> " + index + " % 8) & 1 ? " + index + " : -1;\n",
                  "&hasGlyph[" + index + " / 8]", "pgm_read_byte")
           + "}\n";
}

} // namespace qxm
