#pragma once

#include <cstdint>
#include <string>

namespace qxm {

// Reads the value SubKeyRef of the key KeyName below KeyRoot (as a rule one of
// the predefined roots, kHkeyCurrentUser and so on) into KeyVal: a string
// value as it is stored, a 32-bit value as its unsigned decimal text.
//
// True when the value was read. False when the key cannot be opened for
// reading, the value is missing or longer than 1024 bytes, is neither a string
// nor a 32-bit value, or is a "32-bit" value of more than four bytes; KeyVal
// is then empty. A string loses one trailing NUL.
//
// Texts are bytes in the ANSI code page; converting them is the caller's
// business.
bool GetKeyValue(std::int32_t KeyRoot, const std::string &KeyName, const std::string &SubKeyRef, std::string &KeyVal);

} // namespace qxm
