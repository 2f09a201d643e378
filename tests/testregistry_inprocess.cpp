#include "tests/testregistry.h"

#include "platform/inprocessregistry.h"

namespace {

qxm::InProcessRegistry &Registry()
{
    return qxm::InProcessRegistry::instance();
}

} // namespace

TestRegistry::TestRegistry()
{
    Registry().clear();
}

TestRegistry::~TestRegistry()
{
    Registry().clear();
}

void TestRegistry::setValue(std::int32_t root, const std::string &keyPath, const std::string &valueName,
                            std::uint32_t type, const std::vector<unsigned char> &data)
{
    Registry().setValue(root, keyPath, valueName, type, data);
}

void TestRegistry::createKey(std::int32_t root, const std::string &keyPath)
{
    Registry().createKey(root, keyPath);
}

void TestRegistry::makeReadOnly(std::int32_t root, const std::string &keyPath)
{
    Registry().setRights(root, keyPath, qxm::kKeyRead);
}

void TestRegistry::makeUnreadable(std::int32_t root, const std::string &keyPath)
{
    Registry().setRights(root, keyPath, 0);
}

std::optional<std::size_t> TestRegistry::openHandles() const
{
    return Registry().openHandleCount();
}
