// Arbitrary bytes on standard input through qxm-convert's run, in every
// format and layout: the frame always closes, no raw control byte reaches the
// output, and the run ends as converted exactly when nothing stopped it.
//
// Input: byte 0 picks the format, the layout and a picture instead; byte 1,
// when not 0, makes the output fail from that write on; byte 2 the cell and
// proportional glyphs; the rest is the input.

#include "core/fontdatarun.h"
#include "tests/testcodepage.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 3)
        return 0;
    static const qxm::CellSize kCells[] = {{5, 7}, {8, 8}, {3, 10}, {16, 32}, {1, 1}, {9, 2}, {32, 32}, {6, 8}};
    const TestCodePage codePage;
    const auto &formats = qxm::FontDataFormats();
    const qxm::CellSize cell = kCells[data[2] % std::size(kCells)];
    qxm::RunSettings settings;
    settings.codePage = &codePage;
    qxm::FontDataOptions &options = settings.options;
    options.format = formats[data[0] % formats.size()].format;
    options.cell = cell;
    options.cellChosen = (data[2] & 0x40) != 0;
    const bool rows = (data[0] / formats.size()) % 2 != 0;
    const std::vector<int> bits = qxm::FittingFirstBits(rows, cell);
    options.layout = {rows, bits[(data[0] / formats.size() / 2) % bits.size()]};
    options.proportional = (data[2] & 0x80) != 0;
    options.named = (data[0] & 0x40) != 0;
    settings.preview = (data[0] & 0x80) != 0;
    // The built-in font, cut where the cell is smaller than its own.
    qxm::GlyphFont inCell = qxm::BuiltInFont();
    inCell.cell = cell;
    for (std::optional<qxm::Glyph> &glyph : inCell.glyphs) {
        if (glyph)
            glyph = qxm::InCell(*glyph, cell);
    }
    const qxm::GlyphFont font = qxm::FontForRun(inCell, options);
    settings.font = &font;

    std::string input(reinterpret_cast<const char *>(data) + 3, size - 3);
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
    // The frame opens as the format opens it and, in a C array, closes with
    // the count of the entries written.
    const std::string header = settings.preview ? std::string() : qxm::MakeWriter(options, font)->Header();
    if (end.kind != Kind::OutputFailed && output.compare(0, header.size(), header) != 0)
        std::abort();
    const bool array = options.format == qxm::Format::C || options.format == qxm::Format::Arduino;
    if (end.kind != Kind::OutputFailed && !settings.preview && array) {
        std::size_t entries = 0;
        for (std::size_t at = output.find("\n    {"); at != std::string::npos; at = output.find("\n    {", at + 1))
            entries += output.compare(output.find('}', at), 8, "} /* a b") != 0 ? 1 : 0;
        const std::size_t countAt = output.rfind("_COUNT ");
        if (countAt == std::string::npos || std::stoul(output.substr(countAt + 7)) != entries)
            std::abort();
    }
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
