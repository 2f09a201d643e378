#include "tests/testregistry.h"

#include <windows.h>

#include <aclapi.h>

namespace {

HKEY Root(std::int32_t root)
{
    return reinterpret_cast<HKEY>(qxm::RegKeyFromRoot(root));
}

// Replaces the key's access list by one that grants everyone these rights and
// nothing more; its owner may still change the list, which frees it again.
void GrantEveryone(std::int32_t root, const std::string &keyPath, DWORD rights)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(Root(root), keyPath.c_str(), 0, WRITE_DAC, &key), ERROR_SUCCESS) << keyPath;
    ACL empty;
    PACL acl = &empty;
    InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    if (rights != 0) {
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        PSID everyone = nullptr;
        ASSERT_TRUE(AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone));
        EXPLICIT_ACCESSA access{};
        access.grfAccessPermissions = rights;
        access.grfAccessMode = SET_ACCESS;
        BuildTrusteeWithSidA(&access.Trustee, everyone);
        const DWORD result = SetEntriesInAclA(1, &access, nullptr, &acl);
        FreeSid(everyone);
        ASSERT_EQ(result, ERROR_SUCCESS);
    }
    EXPECT_EQ(SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                              nullptr, nullptr, acl, nullptr),
              ERROR_SUCCESS);
    if (acl != &empty)
        LocalFree(acl);
    RegCloseKey(key);
}

// The handle a key opened now gets. Windows hands out the handle last freed,
// Wine the lowest free one, and neither counts a process's registry handles
// (Wine's count is 0): a key left open shows as a probe handle other than the
// one before. The probe reads a value as the reader does, since the system
// keeps what the first such read opens (a root, the code page's tables) for
// good.
void *ProbeHandle()
{
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, TestRegistry::kTestKey, 0, 0x2003F, &key);
    char data[8];
    DWORD type = 0;
    DWORD size = sizeof data;
    RegQueryValueExA(key, "Probe", nullptr, &type, reinterpret_cast<BYTE *>(data), &size);
    RegCloseKey(key);
    return key;
}

void RemoveTestKeys()
{
    for (const std::int32_t root : {qxm::kHkeyCurrentUser, qxm::kHkeyLocalMachine})
        RegDeleteTreeA(Root(root), TestRegistry::kTestKey);
}

} // namespace

TestRegistry::TestRegistry()
{
    RemoveTestKeys();
    setValue(qxm::kHkeyCurrentUser, kTestKey, "Probe", REG_SZ, {'x', 0});
}

TestRegistry::~TestRegistry()
{
    for (const auto &[root, keyPath] : m_restricted)
        GrantEveryone(root, keyPath, KEY_ALL_ACCESS);
    RemoveTestKeys();
}

void TestRegistry::setValue(std::int32_t root, const std::string &keyPath, const std::string &valueName,
                            std::uint32_t type, const std::vector<unsigned char> &data)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(Root(root), keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << keyPath;
    EXPECT_EQ(RegSetValueExA(key, valueName.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
    // What the system keeps of making a key is none of the reader's doing.
    m_probe = ProbeHandle();
}

bool TestRegistry::restrictAccess(std::int32_t root, const std::string &keyPath, std::uint32_t rights)
{
    m_restricted.emplace_back(root, keyPath);
    GrantEveryone(root, keyPath, rights);
    return true;
}

long TestRegistry::openHandles() const
{
    return ProbeHandle() == m_probe ? 0 : 1;
}
