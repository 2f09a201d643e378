// Arbitrary registry values through the About window's reader: whatever the
// value's type, bytes and size, and whatever the key grants, the reader gives
// what its rules say and leaves no key open.
//
// Input layout (little endian):
//   byte 0     bit 0: the value lives below HKEY_LOCAL_MACHINE, not
//              HKEY_CURRENT_USER;
//              bits 1-2: the key grants full access, read access only, no
//              access, or rights given below;
//              bits 3-4: the reader asks below the value's root, the other
//              root, or a root given below;
//              bits 5-6: the reader asks for the key and value as stored, for
//              both in another case, for a missing value, or a missing key;
//              bit 7: KeyVal is also the value name
//   4 bytes    the value's type
//   4 bytes    the rights, when given
//   4 bytes    the root, when given
//   1 byte     length of the text KeyVal holds before the call (0 to 15)
//   the rest   the value's data

#include "platform/inprocessregistry.h"
#include "platform/registry.h"
#include "tests/fuzz/fuzzcheck.h"
#include "windows/companion/keyvaluereader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr const char *kKeyPath = "Software\\QXM fuzz";
constexpr const char *kValueName = "Value";
constexpr std::size_t kBufferSize = 1024;

struct Expected
{
    bool read = false;
    std::string text;
};

// The reader's rules, for a value it could open and query.
Expected ExpectedOf(std::uint32_t type, const std::vector<unsigned char> &data)
{
    if (data.size() > kBufferSize || (type != qxm::kRegSz && type != qxm::kRegDword))
        return {};
    std::size_t kept = data.size();
    if (kept > 0 && data[kept - 1] == 0)
        --kept;
    if (type == qxm::kRegSz)
        return {true, std::string(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(kept))};
    if (data.empty())
        return {true, std::string()};
    if (kept > 4)
        return {};
    // Least significant byte first, read as an unsigned number.
    unsigned long long number = 0;
    for (std::size_t i = 0; i < kept; ++i)
        number += static_cast<unsigned long long>(data[i]) << (8 * i);
    return {true, std::to_string(number)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    qxm::fuzz::InputReader input(bytes, size);
    const std::uint8_t mode = input.byte();
    const std::uint32_t type = input.uint32();

    const std::int32_t root = (mode & 1U) != 0 ? qxm::kHkeyLocalMachine : qxm::kHkeyCurrentUser;
    const std::int32_t otherRoot = (mode & 1U) != 0 ? qxm::kHkeyCurrentUser : qxm::kHkeyLocalMachine;
    std::uint32_t granted = qxm::kKeyAllAccess;
    switch ((mode >> 1) & 3U) {
    case 1:
        granted = qxm::kKeyRead;
        break;
    case 2:
        granted = 0;
        break;
    case 3:
        granted = input.uint32();
        break;
    default:
        break;
    }
    std::int32_t askedRoot = root;
    switch ((mode >> 3) & 3U) {
    case 1:
        askedRoot = otherRoot;
        break;
    case 2:
    case 3:
        askedRoot = static_cast<std::int32_t>(input.uint32());
        break;
    default:
        break;
    }
    std::string askedKey = kKeyPath;
    std::string askedValue = kValueName;
    const unsigned naming = (mode >> 5) & 3U;
    if (naming == 1) {
        askedKey = "SOFTWARE\\qxm FUZZ";
        askedValue = "vALUE";
    } else if (naming == 2) {
        askedValue = "Missing";
    } else if (naming == 3) {
        askedKey = std::string(kKeyPath) + "\\Missing";
    }
    const bool keyValIsValueName = (mode & 0x80U) != 0;
    std::string KeyVal(input.byte() % 16U, 'x');
    const std::vector<unsigned char> data(input.rest(), input.rest() + input.restSize());

    qxm::InProcessRegistry &registry = qxm::InProcessRegistry::instance();
    registry.clear();
    registry.setValue(root, kKeyPath, kValueName, type, data);
    registry.setRights(root, kKeyPath, granted);

    bool read = false;
    if (keyValIsValueName) {
        KeyVal = askedValue;
        read = qxm::GetKeyValue(askedRoot, askedKey, KeyVal, KeyVal);
    } else {
        read = qxm::GetKeyValue(askedRoot, askedKey, askedValue, KeyVal);
    }

    // Opening for reading needs every right KEY_READ stands for.
    const bool opens = askedRoot == root && naming != 3 && (granted & qxm::kKeyRead) == qxm::kKeyRead;
    const Expected expected = opens && naming != 2 ? ExpectedOf(type, data) : Expected{};
    QXM_FUZZ_REQUIRE(read == expected.read);
    QXM_FUZZ_REQUIRE(KeyVal == expected.text);
    QXM_FUZZ_REQUIRE(registry.openHandleCount() == 0);
    return 0;
}
