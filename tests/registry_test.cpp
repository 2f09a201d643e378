// How keys open. Run against the in-process registry and against Wine's,
// these keep the two alike.

#include "platform/registry.h"
#include "tests/testregistry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using qxm::kHkeyCurrentUser;

const qxm::RegKey kCurrentUser = qxm::RegKeyFromRoot(kHkeyCurrentUser);

struct OpenCase
{
    const char *behaviour;
    qxm::RegKey root;
    std::string subKey;
    std::uint32_t access;
    std::int32_t result;
};

void PrintTo(const OpenCase &c, std::ostream *out)
{
    *out << c.behaviour;
}

class RegistryOpenTest : public RegistryTest, public ::testing::WithParamInterface<OpenCase>
{
};

TEST_P(RegistryOpenTest, givesTheSystemsResult)
{
    registry.createKey(kHkeyCurrentUser, TestKey("key"));
    registry.makeReadOnly(kHkeyCurrentUser, TestKey("read only"));
    const OpenCase &open = GetParam();

    qxm::RegKey key = nullptr;
    EXPECT_EQ(qxm::RegOpenKeyExA(open.root, open.subKey.c_str(), 0, open.access, &key), open.result);
    if (open.result == qxm::kErrorSuccess) {
        EXPECT_EQ(qxm::RegCloseKey(key), qxm::kErrorSuccess);
    }
}

const std::string kTest = TestRegistry::kTestKey;

INSTANTIATE_TEST_SUITE_P(
    Open, RegistryOpenTest,
    ::testing::Values(
        OpenCase{"anExistingKeyOpens", kCurrentUser, kTest + "\\key", qxm::kKeyRead, qxm::kErrorSuccess},
        OpenCase{"aMissingKeyIsNotFound", kCurrentUser, kTest + "\\absent", qxm::kKeyRead, qxm::kErrorFileNotFound},
        OpenCase{"aTrailingSeparatorIsAllowed", kCurrentUser, kTest + "\\key\\", qxm::kKeyRead, qxm::kErrorSuccess},
        OpenCase{"aLeadingSeparatorIsABadPath", kCurrentUser, "\\" + kTest, qxm::kKeyRead, qxm::kErrorBadPathname},
        OpenCase{"aNullRootIsNoHandle", nullptr, kTest, qxm::kKeyRead, qxm::kErrorInvalidHandle},
        OpenCase{"aReadOnlyKeyOpensForReading", kCurrentUser, kTest + "\\read only", qxm::kKeyRead, qxm::kErrorSuccess},
        OpenCase{"aReadOnlyKeyRefusesWriting", kCurrentUser, kTest + "\\read only", qxm::kKeyWrite,
                 qxm::kErrorAccessDenied},
        OpenCase{"aReadOnlyKeyRefusesGenericWriting", kCurrentUser, kTest + "\\read only", qxm::kGenericWrite,
                 qxm::kErrorAccessDenied},
        OpenCase{"aReadOnlyKeyOpensForTheMostItAllows", kCurrentUser, kTest + "\\read only", qxm::kMaximumAllowed,
                 qxm::kErrorSuccess}),
    [](const auto &info) { return std::string(info.param.behaviour); });

} // namespace
