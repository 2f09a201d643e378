#pragma once

#include "core/codepage.h"
#include "core/fontdata.h"
#include "core/glyphfont.h"
#include "core/runtimeerror.h"

#include <cstddef>
#include <cstdio>
#include <functional>
#include <optional>
#include <string_view>

// What qxm-convert does between its command line and its output, without Qt,
// so that it can be fuzzed as it runs.
namespace qxm {

// What a run writes, and from which font.
struct RunSettings
{
    const GlyphFont *font = &BuiltInFont();
    const CodePage *codePage = nullptr;
    bool preview = false;
    FontDataOptions options;
};

// What a run converts: the text of the arguments, each line of a stream, or
// the whole font.
struct RunInput
{
    enum class Source {
        Text,
        Lines,
        Table,
    };
    Source source = Source::Text;
    std::u16string_view text;
    std::FILE *lines = nullptr;
};

// Takes each piece of output as soon as it is made; false when it could not
// be written (the writer has then said why).
using OutputWriter = std::function<bool(std::string_view bytes)>;

// How a run ended.
struct RunEnd
{
    enum class Kind {
        Converted,
        Stopped,      // a character stopped the conversion: error says which
        NotUtf8,      // a line of the stream is not UTF-8
        LineTooLong,  // a line of the stream passed the longest text, and was not read further
        ReadFailed,   // the stream could not be read: readError holds errno
        OutputFailed, // the writer failed
    };
    Kind kind = Kind::Converted;
    std::optional<RunTimeError> error;
    std::size_t line = 0; // 1-based line of the stream; 0 for the arguments' text
    int readError = 0;
};

// Writes what the input converts to, inside the format's frame, so that even
// a stopped run leaves well-formed source behind; a preview has no frame. The
// font is the one the run draws from (see FontForRun).
RunEnd Run(const RunSettings &settings, const RunInput &input, const OutputWriter &write);

} // namespace qxm
