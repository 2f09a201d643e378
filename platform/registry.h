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
constexpr std::int32_t kHkeyClassesRoot = static_cast<std::int32_t>(0x80000000u);
constexpr std::int32_t kHkeyCurrentUser = static_cast<std::int32_t>(0x80000001u);
constexpr std::int32_t kHkeyLocalMachine = static_cast<std::int32_t>(0x80000002u);
constexpr std::int32_t kHkeyUsers = static_cast<std::int32_t>(0x80000003u);

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
constexpr std::int32_t kErrorAccessDenied = 5;
constexpr std::int32_t kErrorInvalidHandle = 6;
constexpr std::int32_t kErrorInvalidParameter = 87;
constexpr std::int32_t kErrorBadPathname = 161;
constexpr std::int32_t kErrorMoreData = 234;

// Access rights.
constexpr std::uint32_t kKeyQueryValue = 0x0001;
constexpr std::uint32_t kKeySetValue = 0x0002;
constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
constexpr std::uint32_t kKeyNotify = 0x0010;
constexpr std::uint32_t kKeyCreateLink = 0x0020;
constexpr std::uint32_t kKeyWow64Flags = 0x0300; // a view of the registry, not a right
constexpr std::uint32_t kDelete = 0x00010000;
constexpr std::uint32_t kReadControl = 0x00020000;
constexpr std::uint32_t kWriteDac = 0x00040000;
constexpr std::uint32_t kWriteOwner = 0x00080000;
constexpr std::uint32_t kMaximumAllowed = 0x02000000;
constexpr std::uint32_t kGenericAll = 0x10000000;
constexpr std::uint32_t kGenericExecute = 0x20000000;
constexpr std::uint32_t kGenericWrite = 0x40000000;
constexpr std::uint32_t kGenericRead = 0x80000000;
constexpr std::uint32_t kKeyRead = kReadControl | kKeyQueryValue | kKeyEnumerateSubKeys | kKeyNotify;
constexpr std::uint32_t kKeyWrite = kReadControl | kKeySetValue | kKeyCreateSubKey;
constexpr std::uint32_t kKeyAllAccess = kDelete | kReadControl | kWriteDac | kWriteOwner | kKeyQueryValue | kKeySetValue
                                        | kKeyCreateSubKey | kKeyEnumerateSubKeys | kKeyNotify | kKeyCreateLink;

// Value types.
constexpr std::uint32_t kRegNone = 0;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

std::int32_t RegOpenKeyExA(RegKey hKey, const char *lpSubKey, std::uint32_t ulOptions, std::uint32_t samDesired,
                           RegKey *phkResult);

std::int32_t RegQueryValueExA(RegKey hKey, const char *lpValueName, std::uint32_t *lpReserved, std::uint32_t *lpType,
                              unsigned char *lpData, std::uint32_t *lpcbData);

std::int32_t RegCloseKey(RegKey hKey);

} // namespace qxm
