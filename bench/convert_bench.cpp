#include "core/conversion.h"
#include "platform/windows1252codepage.h"

#include <benchmark/benchmark.h>

#include <string>

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
    const auto &codePage = qxm::Windows1252CodePage::instance();
    const std::u16string text = SampleText(static_cast<std::size_t>(state.range(0)));
    for ([[maybe_unused]] auto _ : state) {
        qxm::ConversionResult result = qxm::ConvertText(qxm::FilledCharData(), codePage, text);
        benchmark::DoNotOptimize(result.text.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Convert)->Arg(1)->Arg(100)->Arg(1000)->Arg(4096)->Arg(32767)->Unit(benchmark::kMicrosecond);

} // namespace
