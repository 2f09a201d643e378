#include "platform/registry/registry.h"

#include <windows.h>

namespace qxm {

namespace {

// The constants are spelled out in registry.h so that it needs no
// <windows.h>; here the system can check them.
static_assert(kErrorFileNotFound == ERROR_FILE_NOT_FOUND && kErrorInvalidHandle == ERROR_INVALID_HANDLE
              && kErrorMoreData == ERROR_MORE_DATA && kKeyRead == KEY_READ);
static_assert(kRegSz == REG_SZ && kRegExpandSz == REG_EXPAND_SZ && kRegBinary == REG_BINARY && kRegDword == REG_DWORD);
static_assert(sizeof(DWORD) == sizeof(std::uint32_t) && sizeof(LONG) == sizeof(std::int32_t));

::HKEY ToSystem(RegKey key)
{
    return reinterpret_cast<::HKEY>(key);
}

// DWORD is unsigned long with mingw-w64, so the counts are copied in and out
// rather than their pointers cast; a null pointer stays null, since the
// system gives null arguments a meaning of their own.
class DwordArgument
{
public:
    explicit DwordArgument(std::uint32_t *argument)
        : m_argument(argument)
        , m_value(argument ? *argument : 0)
    {
    }
    ~DwordArgument()
    {
        if (m_argument)
            *m_argument = static_cast<std::uint32_t>(m_value);
    }
    DwordArgument(const DwordArgument &) = delete;
    DwordArgument &operator=(const DwordArgument &) = delete;

    LPDWORD get() { return m_argument ? &m_value : nullptr; }

private:
    std::uint32_t *m_argument;
    DWORD m_value;
};

} // namespace

std::int32_t RegOpenKeyExA(RegKey hKey, const char *lpSubKey, std::uint32_t ulOptions, std::uint32_t samDesired,
                           RegKey *phkResult)
{
    ::HKEY opened = nullptr;
    const LONG result = ::RegOpenKeyExA(ToSystem(hKey), lpSubKey, ulOptions, samDesired, phkResult ? &opened : nullptr);
    if (phkResult)
        *phkResult = reinterpret_cast<RegKey>(opened);
    return static_cast<std::int32_t>(result);
}

std::int32_t RegQueryValueExA(RegKey hKey, const char *lpValueName, std::uint32_t *lpReserved, std::uint32_t *lpType,
                              unsigned char *lpData, std::uint32_t *lpcbData)
{
    DwordArgument reserved(lpReserved);
    DwordArgument type(lpType);
    DwordArgument size(lpcbData);
    return static_cast<std::int32_t>(
        ::RegQueryValueExA(ToSystem(hKey), lpValueName, reserved.get(), type.get(), lpData, size.get()));
}

std::int32_t RegCloseKey(RegKey hKey)
{
    return static_cast<std::int32_t>(::RegCloseKey(ToSystem(hKey)));
}

} // namespace qxm
