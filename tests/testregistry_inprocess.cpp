#include "platform/inprocessregistry.h"
#include "tests/testregistry.h"

TestRegistry::TestRegistry()
{
    qxm::InProcessRegistry::instance().clear();
}

TestRegistry::~TestRegistry()
{
    qxm::InProcessRegistry::instance().clear();
}

void TestRegistry::setValue(std::int32_t root, const std::string &keyPath, const std::string &valueName,
                            std::uint32_t type, const std::vector<unsigned char> &data)
{
    qxm::InProcessRegistry::instance().setValue(root, keyPath, valueName, type, data);
}

bool TestRegistry::restrictAccess(std::int32_t, const std::string &, std::uint32_t)
{
    return false;
}

long TestRegistry::openHandles() const
{
    return static_cast<long>(qxm::InProcessRegistry::instance().openHandleCount());
}
