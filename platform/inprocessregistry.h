#pragma once

#include "platform/registry.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace qxm {

// What stands behind RegOpenKeyExA and its two companions on systems without
// a registry: the four predefined roots, each a tree of keys with typed values
// and the access rights the key grants. It starts empty; nothing is ever
// read from or written to disk. Names compare without regard to ASCII case,
// as the system's do.
class InProcessRegistry final
{
public:
    static InProcessRegistry &instance();

    std::int32_t open(RegKey parent, const char *subKey, std::uint32_t desired, RegKey *opened);
    std::int32_t query(RegKey key, const char *valueName, const std::uint32_t *reserved, std::uint32_t *type,
                       unsigned char *data, std::uint32_t *size) const;
    std::int32_t close(RegKey key);

    // Setting up keys for tests. Missing keys on the path are created with
    // full access; root is one of the predefined keys (kHkeyCurrentUser, ...).
    void setValue(std::int32_t root, const std::string &keyPath, const std::string &valueName, std::uint32_t type,
                  std::vector<unsigned char> data);
    void createKey(std::int32_t root, const std::string &keyPath);
    // Rights an open of this key may ask for, kKeyRead for a key the user may
    // read but not change, 0 for one the user may not open at all.
    void setRights(std::int32_t root, const std::string &keyPath, std::uint32_t granted);

    // Back to four empty roots. Handles still open become invalid.
    void clear();

    // Handles handed out and not yet taken back.
    std::size_t openHandleCount() const;

private:
    InProcessRegistry();

    struct CaseInsensitiveLess
    {
        bool operator()(const std::string &left, const std::string &right) const;
    };
    struct Value
    {
        std::uint32_t type = kRegNone;
        std::vector<unsigned char> data;
    };
    struct Key
    {
        std::uint32_t granted = kKeyAllAccess;
        std::map<std::string, Value, CaseInsensitiveLess> values;
        // Held by pointer so that an open handle's key stays where it is.
        std::map<std::string, std::unique_ptr<Key>, CaseInsensitiveLess> subKeys;
    };
    struct OpenKey
    {
        Key *key = nullptr;
        std::uint32_t granted = 0;
    };

    const OpenKey *find(RegKey handle) const;
    Key &createPath(std::int32_t root, const std::string &keyPath);

    mutable std::mutex m_mutex;
    std::map<RegKey, OpenKey> m_roots;
    std::map<RegKey, OpenKey> m_handles;
    std::vector<std::unique_ptr<Key>> m_rootKeys;
    std::uintptr_t m_lastHandle = 0;
};

} // namespace qxm
