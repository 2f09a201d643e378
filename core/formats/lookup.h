#pragma once

#include "core/fontdata.h"

#include <bitset>
#include <string>

namespace qxm {

// What the lookup function knows of a font: its name, the codes its table
// spans (entry 0 is the first code) and which of them have a glyph.
struct LookupTable
{
    std::string name;
    CodeRange range;
    std::bitset<256> present;
    // Its own tables go into AVR program memory, read with pgm_read_*.
    bool programMemory = false;
};

// C89 source of `int NAME_Index(const char **text)`: it reads one UTF-8
// character from *text, steps past it, and returns the index of its glyph,
// or -1 when the font has none (then, for bytes that are not UTF-8, it steps
// one byte). Characters map to codes through Windows-1252.
std::string LookupFunction(const LookupTable &table);

} // namespace qxm
