#include "tests/testregistry.h"

#include <windows.h>

#include <sddl.h>

namespace {

// The key restrictToReading restricted, to be freed again.
std::string restricted;
// The handle a key opened afresh gets: another one later means a key stayed open.
HKEY probe = nullptr;

// Gives the key below HKEY_CURRENT_USER an access list, in the system's SDDL
// notation; its owner may still change the list, which frees it again.
void SetAccessList(const std::string &keyPath, const char *list)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(list, SDDL_REVISION_1, &descriptor, nullptr));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, WRITE_DAC, &key), ERROR_SUCCESS) << keyPath;
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
    LocalFree(descriptor);
    RegCloseKey(key);
}

// The handle a key opened now gets. Windows hands out the handle last freed,
// Wine the lowest free one, and neither counts a process's registry handles
// (Wine's count is 0): a key left open shows as a probe handle other than the
// one before. The probe queries a value as the reader does, since the system
// keeps what the first such read opens (a root, the code page's tables) for
// good.
HKEY ProbeHandle()
{
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, TestRegistry::kTestKey, 0, KEY_READ, &key);
    RegQueryValueExA(key, "Probe", nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return key;
}

} // namespace

TestRegistry::TestRegistry()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    SetValue(qxm::kHkeyCurrentUser, kTestKey, "Probe", REG_SZ, {'x', 0});
}

TestRegistry::~TestRegistry()
{
    if (!restricted.empty())
        SetAccessList(restricted, "D:P(A;;KA;;;WD)");
    restricted.clear();
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
}

void TestRegistry::SetValue(std::int32_t root, const std::string &keyPath, const std::string &valueName,
                            std::uint32_t type, const std::vector<unsigned char> &data)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(reinterpret_cast<HKEY>(qxm::RegKeyFromRoot(root)), keyPath.c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << keyPath;
    EXPECT_EQ(RegSetValueExA(key, valueName.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
    // What the system keeps of making a key is none of the reader's doing.
    probe = ProbeHandle();
}

bool TestRegistry::RestrictToReading(const std::string &keyPath)
{
    restricted = keyPath;
    SetAccessList(keyPath, "D:P(A;;KR;;;WD)");
    return true;
}

long TestRegistry::OpenHandles() const
{
    return ProbeHandle() == probe ? 0 : 1;
}
