#include "tests/testregistry.h"

#include <windows.h>

#include <aclapi.h>

#include <stdexcept>

namespace {

HKEY SystemRoot(std::int32_t root)
{
    return reinterpret_cast<HKEY>(qxm::RegKeyFromRoot(root));
}

void Check(LONG result, const char *what, const std::string &keyPath)
{
    if (result != ERROR_SUCCESS)
        throw std::runtime_error(std::string(what) + " failed with " + std::to_string(result) + ": " + keyPath);
}

// Closes the key whatever happens in between.
class OpenedKey
{
public:
    OpenedKey(std::int32_t root, const std::string &keyPath, REGSAM access, bool create)
    {
        const LONG result =
            create ? RegCreateKeyExA(SystemRoot(root), keyPath.c_str(), 0, nullptr, 0, access, nullptr, &m_key, nullptr)
                   : RegOpenKeyExA(SystemRoot(root), keyPath.c_str(), 0, access, &m_key);
        Check(result, create ? "RegCreateKeyExA" : "RegOpenKeyExA", keyPath);
    }
    ~OpenedKey() { RegCloseKey(m_key); }
    OpenedKey(const OpenedKey &) = delete;
    OpenedKey &operator=(const OpenedKey &) = delete;

    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// Replaces the key's access list by one that grants everyone the given
// rights, and nothing more: an empty list when there are none. The owner
// keeps the right to change the list, which is how the keys are freed again.
void GrantEveryone(std::int32_t root, const std::string &keyPath, DWORD rights)
{
    const OpenedKey key(root, keyPath, WRITE_DAC, false);
    ACL empty;
    PACL acl = &empty;
    if (rights == 0) {
        if (!InitializeAcl(&empty, sizeof empty, ACL_REVISION))
            throw std::runtime_error("InitializeAcl failed");
    } else {
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        PSID everyone = nullptr;
        if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone))
            throw std::runtime_error("AllocateAndInitializeSid failed");
        EXPLICIT_ACCESSA access{};
        access.grfAccessPermissions = rights;
        access.grfAccessMode = SET_ACCESS;
        access.grfInheritance = NO_INHERITANCE;
        access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
        access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
        access.Trustee.ptstrName = static_cast<LPSTR>(everyone);
        const DWORD result = SetEntriesInAclA(1, &access, nullptr, &acl);
        FreeSid(everyone);
        Check(static_cast<LONG>(result), "SetEntriesInAclA", keyPath);
    }
    const DWORD result =
        SetSecurityInfo(key.get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                        nullptr, nullptr, acl, nullptr);
    if (acl != &empty)
        LocalFree(acl);
    Check(static_cast<LONG>(result), "SetSecurityInfo", keyPath);
}

// What a test leaves behind, also one that stopped half-way.
void RemoveTestKeys()
{
    for (const std::int32_t root : {qxm::kHkeyCurrentUser, qxm::kHkeyLocalMachine})
        RegDeleteTreeA(SystemRoot(root), TestRegistry::kTestKey);
}

} // namespace

TestRegistry::TestRegistry()
{
    RemoveTestKeys();
}

TestRegistry::~TestRegistry()
{
    for (const auto &[root, keyPath] : m_restricted) {
        try {
            GrantEveryone(root, keyPath, KEY_ALL_ACCESS);
        } catch (const std::exception &error) {
            ADD_FAILURE() << error.what();
        }
    }
    RemoveTestKeys();
}

void TestRegistry::setValue(std::int32_t root, const std::string &keyPath, const std::string &valueName,
                            std::uint32_t type, const std::vector<unsigned char> &data)
{
    const OpenedKey key(root, keyPath, KEY_SET_VALUE, true);
    Check(RegSetValueExA(key.get(), valueName.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())),
          "RegSetValueExA", keyPath);
}

void TestRegistry::createKey(std::int32_t root, const std::string &keyPath)
{
    const OpenedKey key(root, keyPath, KEY_READ, true);
}

void TestRegistry::makeReadOnly(std::int32_t root, const std::string &keyPath)
{
    createKey(root, keyPath);
    m_restricted.emplace_back(root, keyPath);
    GrantEveryone(root, keyPath, KEY_READ);
}

void TestRegistry::makeUnreadable(std::int32_t root, const std::string &keyPath)
{
    createKey(root, keyPath);
    m_restricted.emplace_back(root, keyPath);
    GrantEveryone(root, keyPath, 0);
}

// Registry handles are kernel handles here, and Wine does not count those
// (GetProcessHandleCount gives 0), so the count is left to the in-process
// registry.
std::optional<std::size_t> TestRegistry::openHandles() const
{
    return std::nullopt;
}
