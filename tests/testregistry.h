#pragma once

#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// Values for the tests, put where the registry calls find them: in the
// in-process registry, or on Windows (and so under Wine) in the system's own.
// Everything lives below kTestKey and goes again with the TestRegistry.
class TestRegistry
{
public:
    static constexpr const char *kTestKey = "Software\\QXM tests";

    TestRegistry();
    ~TestRegistry();
    TestRegistry(const TestRegistry &) = delete;
    TestRegistry &operator=(const TestRegistry &) = delete;

    void setValue(std::int32_t root, const std::string &keyPath, const std::string &valueName, std::uint32_t type,
                  const std::vector<unsigned char> &data);
    // Lets everyone open the key with these rights only (0: not at all);
    // false where the registry has no access rights.
    bool restrictAccess(std::int32_t root, const std::string &keyPath, std::uint32_t rights);
    // Keys opened and not closed since the registry was made (at least 1
    // where the system only tells whether any are).
    long openHandles() const;

private:
    std::vector<std::pair<std::int32_t, std::string>> m_restricted;
    // On Windows, the handle a key opened afresh gets: another one later
    // means a key stayed open.
    [[maybe_unused]] void *m_probe = nullptr;
};
