#include "core/conversion.h"
#include "core/fontdata.h"
#include "core/glyphfont.h"
#include "core/windows1252codepage.h"

#include <benchmark/benchmark.h>

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
    std::int16_t CharPos = 0;
    for ([[maybe_unused]] auto _ : state) {
        qxm::ConversionResult result = qxm::ConvertText(qxm::FilledCharData(), codePage, text, CharPos);
        benchmark::DoNotOptimize(result.text.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Convert)->Arg(1)->Arg(100)->Arg(1000)->Arg(4096)->Arg(32767)->Unit(benchmark::kMicrosecond);

// The command's formats on the same text, from the font's glyph bytes.
void BM_Format(benchmark::State &state, std::string_view format)
{
    const auto &codePage = qxm::Windows1252CodePage::Instance();
    const std::u16string text = SampleText(static_cast<std::size_t>(state.range(0)));
    qxm::FontDataOptions options;
    options.format = format;
    for ([[maybe_unused]] auto _ : state) {
        qxm::FontDataResult result = qxm::FormatText(qxm::BuiltInFont(), codePage, text, options);
        benchmark::DoNotOptimize(result.text.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The whole font in one format.
void BM_Table(benchmark::State &state, std::string_view format)
{
    qxm::FontDataOptions options;
    options.format = format;
    for ([[maybe_unused]] auto _ : state) {
        std::string table = qxm::FormatTable(qxm::BuiltInFont(), qxm::Windows1252CodePage::Instance(), options);
        benchmark::DoNotOptimize(table.data());
    }
}

// One of each per format, named after it: BM_Format/c/32767, BM_Table/c.
const bool kFormatBenchmarks = [] {
    for (const std::string_view format : qxm::FontDataFormats()) {
        benchmark::RegisterBenchmark(("BM_Format/" + std::string(format)).c_str(), BM_Format, format)
            ->Arg(32767)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_Table/" + std::string(format)).c_str(), BM_Table, format)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

} // namespace
