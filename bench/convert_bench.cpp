#include "core/fontdata.h"
#include "core/glyphfont.h"
#include "core/windows1252codepage.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace {

// Printable text that cycles through the whole font, so every glyph row and
// the Windows-1252 lookup are exercised as a user's text would.
std::u16string SampleText(std::size_t length)
{
    std::u16string text;
    text.reserve(length);
    for (std::size_t i = 0; i < length; ++i)
        text.push_back(static_cast<char16_t>(u' ' + i % 95));
    return text;
}

void BM_Convert(benchmark::State &state)
{
    const auto &codePage = qxm::Windows1252CodePage::Instance();
    const std::u16string text = SampleText(static_cast<std::size_t>(state.range(0)));
    for ([[maybe_unused]] auto _ : state) {
        qxm::FontDataResult result = qxm::ConvertText(qxm::BuiltInFont(), codePage, text);
        benchmark::DoNotOptimize(result.text.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Convert)->Arg(1)->Arg(100)->Arg(1000)->Arg(4096)->Arg(32767)->Unit(benchmark::kMicrosecond);

// The built-in font in a display's cell; its glyphs fill the larger cells'
// corners, so that each cell's bytes are all written.
qxm::FontDataOptions OptionsFor(qxm::Format format, qxm::CellSize cell)
{
    qxm::FontDataOptions options;
    options.format = format;
    options.cell = cell;
    options.cellChosen = cell != qxm::kDesignCell;
    options.layout = qxm::DefaultLayout(false, cell);
    return options;
}

// The command's formats on the same text, from the frame's opening to its
// closing, reporting the output's bytes per second, so that cells of any size
// compare.
void BM_Format(benchmark::State &state, qxm::Format format, qxm::CellSize cell)
{
    const auto &codePage = qxm::Windows1252CodePage::Instance();
    const std::u16string text = SampleText(static_cast<std::size_t>(state.range(0)));
    const qxm::FontDataOptions options = OptionsFor(format, cell);
    const qxm::GlyphFont font = *qxm::FontInCell(qxm::BuiltInFont(), cell);
    std::size_t bytes = 0;
    for ([[maybe_unused]] auto _ : state) {
        // The whole run's output, in pieces as a run writes them: a
        // library's font comes in the footer.
        const std::unique_ptr<qxm::FontWriter> writer = qxm::MakeWriter(options, font);
        const std::string header = writer->Header();
        const qxm::FontDataResult result = qxm::FormatText(*writer, font, codePage, text);
        const std::string footer = writer->Footer();
        bytes = header.size() + result.text.size() + footer.size();
        benchmark::DoNotOptimize(result.text.data());
        benchmark::DoNotOptimize(footer.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// The whole font in one format.
void BM_Table(benchmark::State &state, qxm::Format format)
{
    const qxm::FontDataOptions options = OptionsFor(format, qxm::kDesignCell);
    for ([[maybe_unused]] auto _ : state) {
        std::string table = qxm::FormatTable(qxm::BuiltInFont(), qxm::Windows1252CodePage::Instance(), options);
        benchmark::DoNotOptimize(table.data());
    }
}

// One of each per format and cell, named after them: BM_Format/c/32767,
// BM_Format/c/8x8/32767, BM_Table/c.
const bool kFormatBenchmarks = [] {
    for (const qxm::FormatInfo &info : qxm::FontDataFormats()) {
        const std::string id(info.id);
        for (const qxm::CellSize cell : {qxm::kDesignCell, qxm::CellSize{8, 8}, qxm::CellSize{16, 32}}) {
            std::string name = "BM_Format/" + id;
            if (cell != qxm::kDesignCell)
                name.append("/").append(std::to_string(cell.width)).append("x").append(std::to_string(cell.height));
            benchmark::RegisterBenchmark(name.c_str(), BM_Format, info.format, cell)
                ->Arg(32767)
                ->Unit(benchmark::kMicrosecond);
        }
        benchmark::RegisterBenchmark(("BM_Table/" + id).c_str(), BM_Table, info.format)->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

} // namespace
