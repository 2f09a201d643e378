// Arbitrary registry values through the About window's reader: whatever the
// type and the bytes, it ends cleanly, leaves no key open, gives empty text
// when it reads nothing, and never more text than the value holds.
//
// Input: byte 0 the value's type, the rest its data.

#include "tests/testregistry.h"
#include "windows/companion/keyvaluereader.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    TestRegistry registry;
    registry.SetValue(qxm::kHkeyCurrentUser, "Software\\QXM fuzz", "Value", data[0], {data + 1, data + size});

    std::string KeyVal = "earlier";
    const bool read = qxm::GetKeyValue(qxm::kHkeyCurrentUser, "Software\\QXM fuzz", "Value", KeyVal);
    if (registry.OpenHandles() != 0 || (!read && !KeyVal.empty()) || (read && KeyVal.size() > 1024)
        || (read && data[0] != qxm::kRegSz && data[0] != qxm::kRegDword))
        std::abort();
    return 0;
}
