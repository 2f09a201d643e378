#pragma once

#include "platform/registry.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Keys and values for the tests, put where the registry calls will find
// them: in the in-process registry, or on Windows (and so under Wine) in the
// system's own registry. The same tests then run against both.
class TestRegistry
{
public:
    // Everything a test writes lives below this key of its root, and is
    // removed again when the TestRegistry goes.
    static constexpr const char *kTestKey = "Software\\QXM tests";

    TestRegistry();
    ~TestRegistry();
    TestRegistry(const TestRegistry &) = delete;
    TestRegistry &operator=(const TestRegistry &) = delete;

    void setValue(std::int32_t root, const std::string &keyPath, const std::string &valueName, std::uint32_t type,
                  const std::vector<unsigned char> &data);
    void createKey(std::int32_t root, const std::string &keyPath);
    // The key may be opened for reading only.
    void makeReadOnly(std::int32_t root, const std::string &keyPath);
    // The key may not be opened for reading.
    void makeUnreadable(std::int32_t root, const std::string &keyPath);

    // Keys opened and not closed; nothing where the registry cannot tell.
    std::optional<std::size_t> openHandles() const;

private:
    // Keys whose rights were narrowed, to be widened again for their removal.
    std::vector<std::pair<std::int32_t, std::string>> m_restricted;
};

// Every test ends with no key left open, where that can be seen.
class RegistryTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (const auto handles = registry.openHandles()) {
            EXPECT_EQ(*handles, 0u) << "a key was left open";
        }
    }

    static std::string TestKey(const std::string &name) { return std::string(TestRegistry::kTestKey) + "\\" + name; }

    TestRegistry registry;
};
