#include "core/fontdatarun.h"

#include "core/conversion.h"
#include "core/preview.h"
#include "core/utf8.h"

#include <cerrno>
#include <memory>
#include <string>

namespace qxm {

namespace {

// No line of at most kMaxTextLength UTF-16 code units takes more bytes than
// this in UTF-8 (three a unit at most), with a byte order mark and a CR.
constexpr std::size_t kInputLineByteLimit = 3 * kMaxTextLength + 3 + 1;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The writer has already said why.
RunEnd OutputFailed()
{
    RunEnd end;
    end.kind = RunEnd::Kind::OutputFailed;
    return end;
}

RunEnd WriteText(std::u16string_view text, const RunSettings &settings, FontWriter *writer, const OutputWriter &write)
{
    std::string bytes;
    RunEnd end;
    if (settings.preview) {
        const Preview picture = PreviewText(*settings.font, *settings.codePage, text);
        for (const std::string &row : picture.rows)
            bytes.append(row).append("\n");
        end.error = picture.error;
    } else {
        FontDataResult result = FormatText(*writer, *settings.font, *settings.codePage, text);
        bytes = std::move(result.text);
        end.error = result.error;
    }
    if (!write(bytes))
        return OutputFailed();
    if (end.error)
        end.kind = RunEnd::Kind::Stopped;
    return end;
}

enum class LineRead {
    Line,
    End,
    TooLong,
    Failed,
};

// The next line as bytes, without its LF or CR LF. A NUL stays in the line.
// Reading stops once a line is too long to convert, so that one endless line
// takes no more memory than a long one.
LineRead ReadLine(std::FILE *input, std::string &line)
{
    line.clear();
    int byte = 0;
    while ((byte = std::getc(input)) != EOF && byte != '\n') {
        if (line.size() == kInputLineByteLimit)
            return LineRead::TooLong;
        line += static_cast<char>(byte);
    }
    if (std::ferror(input))
        return LineRead::Failed;
    if (byte == EOF && line.empty())
        return LineRead::End;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return LineRead::Line;
}

// Each line as a text of its own, each written as soon as it arrives; the
// first line that stops a run ends it, as a script would want.
RunEnd WriteLines(std::FILE *input, const RunSettings &settings, FontWriter *writer, const OutputWriter &write)
{
    std::string bytes;
    for (std::size_t lineNumber = 1;; ++lineNumber) {
        RunEnd end;
        end.line = lineNumber;
        switch (ReadLine(input, bytes)) {
        case LineRead::End:
            end.line = 0;
            return end;
        case LineRead::TooLong:
            end.kind = RunEnd::Kind::LineTooLong;
            return end;
        case LineRead::Failed:
            end.kind = RunEnd::Kind::ReadFailed;
            end.readError = errno;
            return end;
        case LineRead::Line:
            break;
        }
        std::string_view line = bytes;
        if (lineNumber == 1 && line.substr(0, kByteOrderMark.size()) == kByteOrderMark)
            line.remove_prefix(kByteOrderMark.size());
        const std::optional<std::u16string> text = DecodeUtf8(line);
        if (!text) {
            end.kind = RunEnd::Kind::NotUtf8;
            return end;
        }
        const RunEnd converted = WriteText(*text, settings, writer, write);
        if (converted.kind != RunEnd::Kind::Converted) {
            end.kind = converted.kind;
            end.error = converted.error;
            return end;
        }
    }
}

} // namespace

RunEnd Run(const RunSettings &settings, const RunInput &input, const OutputWriter &write)
{
    // The whole font comes in its own frame, with its first and last codes.
    if (input.source == RunInput::Source::Table) {
        if (!write(FormatTable(*settings.font, *settings.codePage, settings.options)))
            return OutputFailed();
        return {};
    }
    const std::unique_ptr<FontWriter> writer =
        settings.preview ? nullptr : MakeWriter(settings.options, *settings.font);
    if (writer && !write(writer->Header()))
        return OutputFailed();
    const RunEnd end = input.source == RunInput::Source::Lines ? WriteLines(input.lines, settings, writer.get(), write)
                                                               : WriteText(input.text, settings, writer.get(), write);
    if (end.kind != RunEnd::Kind::OutputFailed && writer && !write(writer->Footer()))
        return OutputFailed();
    return end;
}

} // namespace qxm
