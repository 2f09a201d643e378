#include "platform/inprocessregistry.h"

#include <algorithm>

namespace qxm {

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

// A key's name in the map: its root and its path, one trailing separator
// dropped as the system allows; empty for a root that is no predefined key.
std::string KeyName(RegKey root, const std::string &path)
{
    if (root != RegKeyFromRoot(kHkeyCurrentUser) && root != RegKeyFromRoot(kHkeyLocalMachine))
        return {};
    std::string name = std::to_string(reinterpret_cast<std::intptr_t>(root)) + '\\' + Lower(path);
    if (name.back() == '\\')
        name.pop_back();
    return name;
}

} // namespace

InProcessRegistry &InProcessRegistry::instance()
{
    static InProcessRegistry registry;
    return registry;
}

std::int32_t InProcessRegistry::open(RegKey root, const char *subKey, RegKey *opened)
{
    const std::string name = KeyName(root, subKey ? subKey : "");
    if (name.empty())
        return kErrorInvalidHandle;
    const auto key = m_keys.find(name);
    if (key == m_keys.end())
        return kErrorFileNotFound;
    // Handles are never reused, so one used after its close finds no key.
    m_lastHandle += 4;
    *opened = reinterpret_cast<RegKey>(m_lastHandle);
    m_handles[*opened] = &key->second;
    return kErrorSuccess;
}

std::int32_t InProcessRegistry::query(RegKey key, const char *valueName, std::uint32_t *type, unsigned char *data,
                                      std::uint32_t *size) const
{
    const auto handle = m_handles.find(key);
    if (handle == m_handles.end())
        return kErrorInvalidHandle;
    const auto value = handle->second->find(Lower(valueName ? valueName : ""));
    if (value == handle->second->end())
        return kErrorFileNotFound;
    const std::vector<unsigned char> &bytes = value->second.data;
    *type = value->second.type;
    // As the system does: the size needed, and the buffer left alone, when
    // the data does not fit.
    const bool fits = bytes.size() <= *size;
    *size = static_cast<std::uint32_t>(bytes.size());
    if (!fits)
        return kErrorMoreData;
    std::copy(bytes.begin(), bytes.end(), data);
    return kErrorSuccess;
}

std::int32_t InProcessRegistry::close(RegKey key)
{
    return m_handles.erase(key) != 0 ? kErrorSuccess : kErrorInvalidHandle;
}

void InProcessRegistry::setValue(std::int32_t root, const std::string &keyPath, const std::string &valueName,
                                 std::uint32_t type, std::vector<unsigned char> data)
{
    m_keys[KeyName(RegKeyFromRoot(root), keyPath)][Lower(valueName)] = Value{type, std::move(data)};
}

void InProcessRegistry::clear()
{
    m_keys.clear();
    m_handles.clear();
}

std::int32_t RegOpenKeyExA(RegKey hKey, const char *lpSubKey, std::uint32_t, std::uint32_t, RegKey *phkResult)
{
    return InProcessRegistry::instance().open(hKey, lpSubKey, phkResult);
}

std::int32_t RegQueryValueExA(RegKey hKey, const char *lpValueName, std::uint32_t *, std::uint32_t *lpType,
                              unsigned char *lpData, std::uint32_t *lpcbData)
{
    return InProcessRegistry::instance().query(hKey, lpValueName, lpType, lpData, lpcbData);
}

std::int32_t RegCloseKey(RegKey hKey)
{
    return InProcessRegistry::instance().close(hKey);
}

} // namespace qxm
