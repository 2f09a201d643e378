#include "platform/inprocessregistry.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string_view>

namespace qxm {

namespace {

// The predefined keys' handles as the system headers spell them, sign-extended
// in a 64-bit build, written out rather than derived with RegKeyFromRoot so
// that a reader widening its root the wrong way finds no key here either.
constexpr struct
{
    std::int32_t root;
    std::intptr_t handle;
} kPredefinedKeys[] = {
    {kHkeyClassesRoot, -0x7FFFFFFF - 1},
    {kHkeyCurrentUser, -0x7FFFFFFF},
    {kHkeyLocalMachine, -0x7FFFFFFE},
    {kHkeyUsers, -0x7FFFFFFD},
};

// Open handles count up in steps of four like the system's; they are not
// reused, so a handle used after its close is caught rather than finding
// some other key.
constexpr std::uintptr_t kHandleStep = 4;

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The names along a key path. A trailing separator is allowed; an empty name
// anywhere else is not, and yields false.
bool SplitPath(const char *path, std::vector<std::string> &names)
{
    for (std::string_view rest = path ? path : ""; !rest.empty();) {
        const std::size_t end = rest.find('\\');
        if (end == 0)
            return false;
        names.emplace_back(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    return true;
}

// Generic rights stand for sets of key rights; the view flags of 64-bit
// Windows select a view and grant nothing.
std::uint32_t SpecificRights(std::uint32_t desired)
{
    std::uint32_t rights = desired & ~(kGenericRead | kGenericWrite | kGenericExecute | kGenericAll | kKeyWow64Flags);
    if (desired & (kGenericRead | kGenericExecute))
        rights |= kKeyRead;
    if (desired & kGenericWrite)
        rights |= kKeyWrite;
    if (desired & kGenericAll)
        rights |= kKeyAllAccess;
    return rights;
}

} // namespace

bool InProcessRegistry::CaseInsensitiveLess::operator()(const std::string &left, const std::string &right) const
{
    return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(),
                                        [](char l, char r) { return LowerAscii(l) < LowerAscii(r); });
}

InProcessRegistry &InProcessRegistry::instance()
{
    static InProcessRegistry registry;
    return registry;
}

InProcessRegistry::InProcessRegistry()
{
    clear();
}

void InProcessRegistry::clear()
{
    const std::lock_guard lock(m_mutex);
    m_handles.clear();
    m_roots.clear();
    m_rootKeys.clear();
    for (const auto &predefined : kPredefinedKeys) {
        m_rootKeys.push_back(std::make_unique<Key>());
        m_roots[reinterpret_cast<RegKey>(predefined.handle)] = OpenKey{m_rootKeys.back().get(), kKeyAllAccess};
    }
}

const InProcessRegistry::OpenKey *InProcessRegistry::find(RegKey handle) const
{
    if (const auto root = m_roots.find(handle); root != m_roots.end())
        return &root->second;
    if (const auto open = m_handles.find(handle); open != m_handles.end())
        return &open->second;
    return nullptr;
}

std::int32_t InProcessRegistry::open(RegKey parent, const char *subKey, std::uint32_t desired, RegKey *opened)
{
    const std::lock_guard lock(m_mutex);
    if (!opened)
        return kErrorInvalidParameter;
    *opened = nullptr;
    const OpenKey *from = find(parent);
    if (!from)
        return kErrorInvalidHandle;
    std::vector<std::string> names;
    if (!SplitPath(subKey, names))
        return kErrorBadPathname;

    Key *key = from->key;
    for (const std::string &name : names) {
        const auto child = key->subKeys.find(name);
        if (child == key->subKeys.end())
            return kErrorFileNotFound;
        key = child->second.get();
    }

    std::uint32_t rights = SpecificRights(desired);
    if (rights & kMaximumAllowed) {
        if (key->granted == 0)
            return kErrorAccessDenied;
        rights = key->granted;
    }
    if ((rights & ~key->granted) != 0)
        return kErrorAccessDenied;

    m_lastHandle += kHandleStep;
    *opened = reinterpret_cast<RegKey>(m_lastHandle);
    m_handles[*opened] = OpenKey{key, rights};
    return kErrorSuccess;
}

std::int32_t InProcessRegistry::query(RegKey key, const char *valueName, const std::uint32_t *reserved,
                                      std::uint32_t *type, unsigned char *data, std::uint32_t *size) const
{
    const std::lock_guard lock(m_mutex);
    const OpenKey *open = find(key);
    if (!open)
        return kErrorInvalidHandle;
    if (reserved || (data && !size))
        return kErrorInvalidParameter;
    if ((open->granted & kKeyQueryValue) == 0)
        return kErrorAccessDenied;
    const auto found = open->key->values.find(valueName ? valueName : "");
    if (found == open->key->values.end())
        return kErrorFileNotFound;

    const Value &value = found->second;
    const auto length = static_cast<std::uint32_t>(value.data.size());
    if (type)
        *type = value.type;
    if (!size)
        return kErrorSuccess;
    // The system reports the size it would need and leaves the buffer alone
    // when the data does not fit.
    const bool fits = length <= *size;
    *size = length;
    if (!data)
        return kErrorSuccess;
    if (!fits)
        return kErrorMoreData;
    std::copy(value.data.begin(), value.data.end(), data);
    return kErrorSuccess;
}

std::int32_t InProcessRegistry::close(RegKey key)
{
    const std::lock_guard lock(m_mutex);
    // Closing a predefined key succeeds and leaves it usable.
    if (m_roots.count(key) != 0)
        return kErrorSuccess;
    return m_handles.erase(key) != 0 ? kErrorSuccess : kErrorInvalidHandle;
}

InProcessRegistry::Key &InProcessRegistry::createPath(std::int32_t root, const std::string &keyPath)
{
    const auto predefined = std::find_if(std::begin(kPredefinedKeys), std::end(kPredefinedKeys),
                                         [root](const auto &candidate) { return candidate.root == root; });
    std::vector<std::string> names;
    if (predefined == std::end(kPredefinedKeys) || !SplitPath(keyPath.c_str(), names))
        throw std::invalid_argument("not a key below a predefined root: " + keyPath);
    Key *key = m_roots.at(reinterpret_cast<RegKey>(predefined->handle)).key;
    for (const std::string &name : names) {
        std::unique_ptr<Key> &child = key->subKeys[name];
        if (!child)
            child = std::make_unique<Key>();
        key = child.get();
    }
    return *key;
}

void InProcessRegistry::setValue(std::int32_t root, const std::string &keyPath, const std::string &valueName,
                                 std::uint32_t type, std::vector<unsigned char> data)
{
    const std::lock_guard lock(m_mutex);
    createPath(root, keyPath).values[valueName] = Value{type, std::move(data)};
}

void InProcessRegistry::createKey(std::int32_t root, const std::string &keyPath)
{
    const std::lock_guard lock(m_mutex);
    createPath(root, keyPath);
}

void InProcessRegistry::setRights(std::int32_t root, const std::string &keyPath, std::uint32_t granted)
{
    const std::lock_guard lock(m_mutex);
    createPath(root, keyPath).granted = granted;
}

std::size_t InProcessRegistry::openHandleCount() const
{
    const std::lock_guard lock(m_mutex);
    return m_handles.size();
}

std::int32_t RegOpenKeyExA(RegKey hKey, const char *lpSubKey, std::uint32_t /*ulOptions*/, std::uint32_t samDesired,
                           RegKey *phkResult)
{
    return InProcessRegistry::instance().open(hKey, lpSubKey, samDesired, phkResult);
}

std::int32_t RegQueryValueExA(RegKey hKey, const char *lpValueName, std::uint32_t *lpReserved, std::uint32_t *lpType,
                              unsigned char *lpData, std::uint32_t *lpcbData)
{
    return InProcessRegistry::instance().query(hKey, lpValueName, lpReserved, lpType, lpData, lpcbData);
}

std::int32_t RegCloseKey(RegKey hKey)
{
    return InProcessRegistry::instance().close(hKey);
}

} // namespace qxm
