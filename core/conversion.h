#pragma once

#include "core/codepage.h"
#include "core/runtimeerror.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace qxm {

// Positions and lengths are 16-bit signed numbers, so this is the longest
// text a run accepts.
constexpr std::size_t kMaxTextLength = 32767;

// What a run does with DEL and the C1 controls, which have codes inside the
// font's slots: the converter window writes them like any other character;
// source for a compiler must never carry them, so there they stop the run as
// the codes below 32 do.
enum class ControlCharacters {
    Convert,
    Stop,
};

// Whether the character a code stands for is DEL or a C1 control.
bool IsControlAboveSpace(char16_t character);

// Whether the character is a control (C0, DEL or C1), which a source file
// or a terminal should never get raw.
bool IsControlCharacter(char16_t character);

// Walks the text the way every conversion run does: the length check first,
// then each character in order until the first one whose code has no slot
// (below 32 or above 288) or, where they stop, a control. onGlyph(code) runs
// for every character before the stop. The stop, if any, is the result: its
// position is the only record of where a run ended.
std::optional<RunTimeError> ForEachGlyph(const CodePage &codePage, std::u16string_view text, ControlCharacters controls,
                                         const std::function<void(std::int16_t code)> &onGlyph);

// The converter window's conversion position after a run over a text of
// `length` code units: the stopping character, or one past the last, which
// for the longest text does not fit 16 bits and stays on the last.
std::int16_t CharPosAfter(std::size_t length, const std::optional<RunTimeError> &stop);

} // namespace qxm
