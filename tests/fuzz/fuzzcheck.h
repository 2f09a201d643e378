#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What the fuzz targets share: a failed property ends the run at once, so
// that libFuzzer keeps the input as a crash and the corpus replay fails.
#define QXM_FUZZ_REQUIRE(condition)                                                                                    \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: property does not hold: %s\n", __FILE__, __LINE__, #condition);               \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

namespace qxm::fuzz {

// Takes the input apart front to back; what runs out reads as zeros.
class InputReader
{
public:
    InputReader(const std::uint8_t *data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    std::uint8_t byte() { return m_offset < m_size ? m_data[m_offset++] : 0; }

    std::uint16_t uint16()
    {
        const unsigned low = byte();
        return static_cast<std::uint16_t>(low | (unsigned{byte()} << 8));
    }

    std::uint32_t uint32()
    {
        const std::uint32_t low = uint16();
        return low | (std::uint32_t{uint16()} << 16);
    }

    const std::uint8_t *rest() const { return m_data + m_offset; }
    std::size_t restSize() const { return m_offset < m_size ? m_size - m_offset : 0; }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_offset = 0;
};

} // namespace qxm::fuzz
