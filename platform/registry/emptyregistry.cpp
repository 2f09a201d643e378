#include "platform/registry/registry.h"

// Where the system has no registry, no key can be opened: the About window's
// reader then answers as it does for any missing key.
namespace qxm {

std::int32_t RegOpenKeyExA(RegKey, const char *, std::uint32_t, std::uint32_t, RegKey *)
{
    return kErrorFileNotFound;
}

std::int32_t RegQueryValueExA(RegKey, const char *, std::uint32_t *, std::uint32_t *, unsigned char *, std::uint32_t *)
{
    return kErrorInvalidHandle;
}

std::int32_t RegCloseKey(RegKey)
{
    return kErrorInvalidHandle;
}

} // namespace qxm
