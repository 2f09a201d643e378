// Arbitrary bytes on standard input through qxm-convert's run, in every
// format and layout: the frame always closes, no raw control byte reaches the
// output, and the run ends as converted exactly when nothing stopped it.
//
// Input: byte 0 picks the format, the layout and a picture instead; byte 1,
// when not 0, makes the output fail from that write on; the rest is the input.

#include "core/fontdatarun.h"
#include "tests/testcodepage.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    static const qxm::ByteLayout kLayouts[] = {{false, 0}, {false, 6}, {false, 7}, {true, 0},
                                               {true, 4},  {true, 5},  {true, 6},  {true, 7}};
    const TestCodePage codePage;
    qxm::RunSettings settings;
    settings.codePage = &codePage;
    const auto formats = qxm::FontDataFormats();
    settings.options.format = formats[data[0] % formats.size()];
    settings.options.layout = kLayouts[(data[0] / formats.size()) % 8];
    settings.options.named = (data[0] & 0x40) != 0;
    settings.preview = (data[0] & 0x80) != 0;

    std::string input(reinterpret_cast<const char *>(data) + 2, size - 2);
    std::FILE *stream = fmemopen(input.data(), input.size(), "r");
    if (stream == nullptr)
        return 0;
    std::string output;
    std::size_t writes = 0;
    const qxm::RunEnd end = qxm::Run(settings, {qxm::RunInput::Source::Lines, {}, stream}, [&](std::string_view bytes) {
        if (data[1] != 0 && ++writes >= data[1])
            return false;
        output += bytes;
        return true;
    });
    std::fclose(stream);

    using Kind = qxm::RunEnd::Kind;
    const std::string header = settings.preview ? std::string() : qxm::FontDataHeader(settings.options);
    const std::string footer = settings.preview ? std::string() : qxm::FontDataFooter(settings.options, end.count);
    if (end.kind != Kind::OutputFailed
        && (output.compare(0, header.size(), header) != 0 || output.size() < header.size() + footer.size()
            || output.compare(output.size() - footer.size(), footer.size(), footer) != 0))
        std::abort();
    if ((end.kind == Kind::Stopped) != end.error.has_value()
        || (end.kind == Kind::Converted && data[1] != 0 && writes >= data[1]))
        std::abort();
    for (std::size_t at = 0; at < output.size(); ++at) {
        const auto byte = static_cast<unsigned char>(output[at]);
        const bool c1 = byte == 0xC2 && at + 1 < output.size() && static_cast<unsigned char>(output[at + 1]) < 0xA0;
        if ((byte < 0x20 && byte != '\r' && byte != '\n') || byte == 0x7F || c1)
            std::abort();
    }
    return 0;
}
