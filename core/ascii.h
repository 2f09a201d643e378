#pragma once

// Character classes and case for source text, in ASCII alone: the C
// library's own functions follow the locale, where a Turkish one turns "i"
// into a capital dotted I and would make the same command write other bytes.
namespace qxm {

constexpr bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

constexpr bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

constexpr bool IsAsciiUpper(char c)
{
    return c >= 'A' && c <= 'Z';
}

constexpr char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char AsciiLower(char c)
{
    return IsAsciiUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace qxm
