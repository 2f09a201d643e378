#pragma once

#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// Values for the tests, put where the registry calls find them: in the
// in-process registry, or on Windows (and so under Wine) in the system's own.
// Everything lives below kTestKey and goes again with the TestRegistry; one
// exists at a time.
class TestRegistry
{
public:
    static constexpr const char *kTestKey = "Software\\QXM tests";

    TestRegistry();
    ~TestRegistry();

    void SetValue(std::int32_t root, const std::string &keyPath, const std::string &valueName, std::uint32_t type,
                  const std::vector<unsigned char> &data);
    // Lets everyone, the user too, open the key below HKEY_CURRENT_USER for
    // reading only; false where the registry has no access rights.
    bool RestrictToReading(const std::string &keyPath);
    // Keys opened and not closed since the registry was made (at least 1
    // where the system only tells whether any are).
    long OpenHandles() const;
};
