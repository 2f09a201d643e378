#include "tests/testregistry.h"

#include <algorithm>
#include <map>
#include <utility>

// Where the system has no registry, the tests put their values in one of
// their own, behind the same three calls.
namespace {

using Values = std::map<std::string, std::pair<std::uint32_t, std::vector<unsigned char>>>; // by name: type, data

std::map<std::pair<qxm::RegKey, std::string>, Values> keys; // by root and path
std::map<qxm::RegKey, const Values *> handles;
std::uintptr_t lastHandle = 0;

} // namespace

namespace qxm {

std::int32_t RegOpenKeyExA(RegKey root, const char *subKey, std::uint32_t, std::uint32_t, RegKey *opened)
{
    const auto key = keys.find({root, subKey});
    if (key == keys.end())
        return kErrorFileNotFound;
    // Handles are never reused, so one used after its close finds no key.
    lastHandle += 4;
    *opened = reinterpret_cast<RegKey>(lastHandle);
    handles[*opened] = &key->second;
    return kErrorSuccess;
}

std::int32_t RegQueryValueExA(RegKey key, const char *valueName, std::uint32_t *, std::uint32_t *type,
                              unsigned char *data, std::uint32_t *size)
{
    const auto handle = handles.find(key);
    if (handle == handles.end())
        return kErrorInvalidHandle;
    const auto value = handle->second->find(valueName);
    if (value == handle->second->end())
        return kErrorFileNotFound;
    // As the system does: the size needed, and the buffer left alone, when
    // the data does not fit.
    const std::vector<unsigned char> &bytes = value->second.second;
    *type = value->second.first;
    const bool fits = bytes.size() <= *size;
    *size = static_cast<std::uint32_t>(bytes.size());
    if (!fits)
        return kErrorMoreData;
    std::copy(bytes.begin(), bytes.end(), data);
    return kErrorSuccess;
}

std::int32_t RegCloseKey(RegKey key)
{
    return handles.erase(key) != 0 ? kErrorSuccess : kErrorInvalidHandle;
}

} // namespace qxm

TestRegistry::TestRegistry()
{
    keys.clear();
    handles.clear();
}

// The values go with the registry, as on Windows; handles stay, so that a
// key left open still counts.
TestRegistry::~TestRegistry()
{
    keys.clear();
}

void TestRegistry::SetValue(std::int32_t root, const std::string &keyPath, const std::string &valueName,
                            std::uint32_t type, const std::vector<unsigned char> &data)
{
    keys[{qxm::RegKeyFromRoot(root), keyPath}][valueName] = {type, data};
}

bool TestRegistry::RestrictToReading(const std::string &)
{
    return false;
}

long TestRegistry::OpenHandles() const
{
    return static_cast<long>(handles.size());
}
