#pragma once

#include "platform/registry.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace qxm {

// What stands behind the registry calls where the system has no registry:
// keys below the two predefined roots, each with typed values, that can be
// opened for reading, queried and closed. It starts empty and only tests put
// values in; nothing is read from or written to disk. Names compare without
// regard to ASCII case, as the system's do.
class InProcessRegistry final
{
public:
    static InProcessRegistry &instance();

    std::int32_t open(RegKey root, const char *subKey, RegKey *opened);
    std::int32_t query(RegKey key, const char *valueName, std::uint32_t *type, unsigned char *data,
                       std::uint32_t *size) const;
    std::int32_t close(RegKey key);

    // Creates the key, and the value in it.
    void setValue(std::int32_t root, const std::string &keyPath, const std::string &valueName, std::uint32_t type,
                  std::vector<unsigned char> data);
    void clear();
    // Keys opened and not yet closed.
    std::size_t openHandleCount() const { return m_handles.size(); }

private:
    struct Value
    {
        std::uint32_t type = kRegNone;
        std::vector<unsigned char> data;
    };
    using Values = std::map<std::string, Value>;

    std::map<std::string, Values> m_keys; // by root and lower-case path
    std::map<RegKey, const Values *> m_handles;
    std::uintptr_t m_lastHandle = 0;
};

} // namespace qxm
