#pragma once

#include <cstdint>
#include <optional>

// The system's own Windows-1252 converter, for the program's table to be held
// to: Qt's on Linux, Windows' on Windows (and so Wine's).
std::optional<std::uint8_t> SystemCodeOf(char16_t unit); // nothing: no code, not even a look-alike's
