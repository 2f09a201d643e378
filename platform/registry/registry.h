#pragma once

#include <cstdint>

// The three registry calls the About window's reader makes, with the argument
// lists of their advapi32 namesakes. On Windows they forward to advapi32;
// elsewhere an in-process registry (inprocessregistry.h) stands behind them.
//
// The header deliberately does without <windows.h>: its macros
// (HKEY_CURRENT_USER, ERROR_MORE_DATA, KEY_READ, REG_SZ, ...) would clash with
// any name spelled the same way, hence the k-prefixed constants below.

namespace qxm {

// Never defined: a key handle is only ever compared and passed on.
struct RegistryKeyHandle;
using RegKey = RegistryKeyHandle *;

// The predefined root keys as the 32-bit values programs pass around.
constexpr std::int32_t kHkeyCurrentUser = static_cast<std::int32_t>(0x80000001u);
constexpr std::int32_t kHkeyLocalMachine = static_cast<std::int32_t>(0x80000002u);

// Widens a 32-bit key value to a handle through a signed value, as the system
// headers define the predefined keys: in a 64-bit build 0x80000001 must become
// 0xFFFFFFFF80000001, not 0x0000000080000001, or the system does not know it.
inline RegKey RegKeyFromRoot(std::int32_t root)
{
    return reinterpret_cast<RegKey>(static_cast<std::intptr_t>(root));
}

// Results, the system's error numbers.
constexpr std::int32_t kErrorSuccess = 0;
constexpr std::int32_t kErrorFileNotFound = 2;
constexpr std::int32_t kErrorInvalidHandle = 6;
constexpr std::int32_t kErrorMoreData = 234;

// Read access: query values, enumerate sub-keys, notify, read control.
constexpr std::uint32_t kKeyRead = 0x00020019;

// Value types.
constexpr std::uint32_t kRegNone = 0;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;

std::int32_t RegOpenKeyExA(RegKey hKey, const char *lpSubKey, std::uint32_t ulOptions, std::uint32_t samDesired,
                           RegKey *phkResult);

std::int32_t RegQueryValueExA(RegKey hKey, const char *lpValueName, std::uint32_t *lpReserved, std::uint32_t *lpType,
                              unsigned char *lpData, std::uint32_t *lpcbData);

std::int32_t RegCloseKey(RegKey hKey);

} // namespace qxm
