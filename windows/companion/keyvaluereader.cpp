#include "windows/companion/keyvaluereader.h"

#include "platform/registry/registry.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qxm {

namespace {

constexpr std::size_t kBufferSize = 1024;
constexpr std::size_t kDwordSize = 4;

// Values are stored least significant byte first. Fewer than four bytes are
// read as the number they spell; more are no 32-bit value, and give false.
bool DecimalOfDword(const unsigned char *bytes, std::size_t count, std::string &text)
{
    if (count > kDwordSize)
        return false;
    std::uint32_t number = 0;
    for (std::size_t i = count; i-- > 0;)
        number = (number << 8) | bytes[i];
    // Unsigned, as the registry defines the type: FF FF FF FF is 4294967295,
    // not -1.
    text = std::to_string(number);
    return true;
}

} // namespace

bool GetKeyValue(std::int32_t KeyRoot, const std::string &KeyName, const std::string &SubKeyRef, std::string &KeyVal)
{
    // Read access only: asking for write rights as well would fail on keys the
    // user may read but not change.
    RegKey key = nullptr;
    if (RegOpenKeyExA(RegKeyFromRoot(KeyRoot), KeyName.c_str(), 0, kKeyRead, &key) != kErrorSuccess) {
        KeyVal.clear();
        return false;
    }

    std::array<unsigned char, kBufferSize> buffer{};
    auto size = static_cast<std::uint32_t>(buffer.size());
    std::uint32_t type = kRegNone;
    const std::int32_t queried = RegQueryValueExA(key, SubKeyRef.c_str(), nullptr, &type, buffer.data(), &size);
    // Everything after the query works on the copy in the buffer, so closing
    // here covers every way out. KeyName and SubKeyRef may be KeyVal itself:
    // they are not looked at again.
    RegCloseKey(key);
    KeyVal.clear();

    if (queried != kErrorSuccess || (type != kRegSz && type != kRegDword))
        return false;

    // The size counts bytes, so the terminator is cut here, before the caller
    // converts to characters: in a multi-byte code page the text has fewer
    // characters than the data has bytes.
    const std::size_t length = std::min<std::size_t>(size, buffer.size());
    const std::size_t kept = length > 0 && buffer[length - 1] == '\0' ? length - 1 : length;

    if (type == kRegSz) {
        KeyVal.assign(reinterpret_cast<const char *>(buffer.data()), kept);
        return true;
    }
    // No bytes spell no number: the value was read, and it is empty.
    if (length == 0)
        return true;
    return DecimalOfDword(buffer.data(), kept, KeyVal);
}

} // namespace qxm
