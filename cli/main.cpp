#include "cli/outputtarget.h"
#include "core/conversion.h"
#include "core/fontdata.h"
#include "core/fontdatarun.h"
#include "core/glyphfont.h"
#include "core/productinfo.h"
#include "core/runtimeerrortext.h"
#include "core/windows1252codepage.h"
#include "platform/fontfile/freetypefont.h"
#include "platform/streams/standardstreams.h"
#include "platform/text/qtext.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

enum ExitStatus {
    ExitSuccess = 0,
    ExitRunStopped = 1,
    ExitUsage = 2,
};

constexpr char kProgram[] = "qxm-convert";

// Says why a run ended early, after the input line's number when the text
// came from standard input.
void ReportEnd(const qxm::RunEnd &end)
{
    const QString where = end.line > 0 ? QStringLiteral("line %1: ").arg(end.line) : QString();
    switch (end.kind) {
    case qxm::RunEnd::Kind::Converted:
    case qxm::RunEnd::Kind::OutputFailed: // the output has said why
        break;
    case qxm::RunEnd::Kind::Stopped:
        WriteError(where + QString::fromStdString(qxm::DescribeRunTimeError(*end.error)));
        break;
    case qxm::RunEnd::Kind::NotUtf8:
        WriteError(where + QStringLiteral("standard input is not valid UTF-8"));
        break;
    case qxm::RunEnd::Kind::LineTooLong:
        WriteError(where
                   + QStringLiteral("Overflow: the text has more than %1 characters, at most %1 can be "
                                    "converted")
                         .arg(qxm::kMaxTextLength));
        break;
    case qxm::RunEnd::Kind::ReadFailed:
        WriteError(QStringLiteral("cannot read standard input: %1").arg(qxm::SystemReason(end.readError)));
        break;
    }
}

struct CommandLine
{
    qxm::RunSettings settings;
    bool table = false;
    QString outputFile;
    std::optional<QString> fontFile; // the built-in font without one
    QStringList texts;
};

QString Latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// "bascom (BASCOM Data lines), gcb (...)"
QString FormatList()
{
    QStringList names;
    for (const qxm::FormatInfo &info : qxm::FontDataFormats())
        names.append(Latin1(info.id) + QStringLiteral(" (") + Latin1(info.description) + QLatin1Char(')'));
    return names.join(QStringLiteral(", "));
}

// The options, in the order the help lists them.
struct Options
{
    QCommandLineOption format{
        QStringList{QStringLiteral("f"), QStringLiteral("format")},
        QStringLiteral("Write FORMAT, one of %1; the first, the default, is the converter window's Data "
                       "lines.")
            .arg(FormatList()),
        QStringLiteral("FORMAT"), Latin1(qxm::FontDataFormats().front().id)};
    QCommandLineOption size{QStringLiteral("size"),
                            QStringLiteral("The display's character cell, W columns by H rows of dots, each from 1 "
                                           "to 32; the default is 5x7. A smaller font sits in its top-left corner."),
                            QStringLiteral("WxH")};
    QCommandLineOption rows{QStringLiteral("rows"),
                            QStringLiteral("Bytes by dot rows, top row first, each row in ceil(W/8) bytes, instead "
                                           "of by columns, leftmost first, each column in ceil(H/8) bytes.")};
    QCommandLineOption firstBit{QStringLiteral("first-bit"),
                                QStringLiteral("The bit of each byte's first dot (the top one of a column's byte, "
                                               "the leftmost of a row's); the next dots take the bits below it, or "
                                               "above it with 0. Default: where a column (row) fits one byte, the bit "
                                               "that puts its last dot in bit 0 (6 for 5x7 columns, 4 for rows); "
                                               "else 0 for columns and 7 for rows."),
                                QStringLiteral("N")};
    QCommandLineOption proportional{QStringLiteral("proportional"),
                                    QStringLiteral("Keep only each glyph's columns from its leftmost to its rightmost "
                                                   "lit dot (a space keeps half the cell), and write each glyph's "
                                                   "width.")};
    QCommandLineOption name{QStringLiteral("name"),
                            QStringLiteral("The label, table or array name; the default is LedText. bascom writes "
                                           "a label only when it is given. A word the format's language reserves is "
                                           "refused, in C also a name that C's library or Arduino's headers use."),
                            QStringLiteral("NAME")};
    QCommandLineOption table{QStringLiteral("table"),
                             QStringLiteral("Write the whole font instead of a text, indexed by code: every code "
                                            "from its first glyph to its last, blank where one has none.")};
    QCommandLineOption lookup{QStringLiteral("lookup"),
                              QStringLiteral("Add a C function, int NAME_Index(const char **text), that reads one "
                                             "UTF-8 character, steps past it and returns its glyph's index, or -1 "
                                             "(c and arduino with --table, adafruit-gfx).")};
    QCommandLineOption output{QStringList{QStringLiteral("o"), QStringLiteral("output")},
                              QStringLiteral("Write to FILE, replacing it only when the whole run succeeds."),
                              QStringLiteral("FILE")};
    QCommandLineOption font{QStringLiteral("font"),
                            QStringLiteral("Use the glyphs of FILE, a font FreeType reads (BDF, PCF, a bitmap strike), "
                                           "instead of the built-in font: codes 32 to 255 of Windows-1252."),
                            QStringLiteral("FILE")};
    QCommandLineOption preview{
        QStringList{QStringLiteral("p"), QStringLiteral("preview")},
        QStringLiteral("Print the dot-matrix picture of the text ('#' lit, '.' dark) instead of font data.")};
};

// Reads the options into command; returns the usage error that refuses them.
std::optional<QString> ReadCommandLine(const QCommandLineParser &parser, const Options &options, CommandLine &command)
{
    qxm::RunSettings &settings = command.settings;
    settings.preview = parser.isSet(options.preview);
    const std::string format = parser.value(options.format).toStdString();
    const std::string firstBit = parser.value(options.firstBit).toStdString();
    const std::string name = parser.value(options.name).toStdString();
    const std::string size = parser.value(options.size).toStdString();
    const auto given = [&parser](const QCommandLineOption &option, const std::string &value) {
        return parser.isSet(option) ? std::optional<std::string_view>(value) : std::nullopt;
    };
    qxm::OptionChoices choices;
    choices.format = format;
    choices.rows = parser.isSet(options.rows);
    choices.firstBit = given(options.firstBit, firstBit);
    choices.name = given(options.name, name);
    choices.size = given(options.size, size);
    choices.proportional = parser.isSet(options.proportional);
    choices.table = parser.isSet(options.table);
    choices.lookup = parser.isSet(options.lookup);
    qxm::OptionsChoice choice = qxm::ChooseOptions(choices);
    if (!choice.refusal.empty())
        return QString::fromStdString(choice.refusal);
    settings.options = std::move(choice.options);

    command.table = parser.isSet(options.table);
    command.texts = parser.positionalArguments();
    if (command.table && (!command.texts.isEmpty() || settings.preview))
        return QStringLiteral("--table writes the whole font: it takes no TEXT and no --preview");
    command.outputFile = parser.value(options.output);
    if (parser.isSet(options.output) && command.outputFile.isEmpty())
        return QStringLiteral("-o takes a file name, or - for standard output");
    if (parser.isSet(options.font))
        command.fontFile = parser.value(options.font);
    return std::nullopt;
}

int UsageError(const QCommandLineParser &parser, const QString &message)
{
    WriteError(message);
    std::fputs(parser.helpText().toLocal8Bit().constData(), stderr);
    return ExitUsage;
}

int Convert(int argc, char *argv[])
{
    if (!qxm::PrepareStandardStreams()) {
        WriteError(QStringLiteral("cannot prepare the standard streams: %1").arg(qxm::SystemReason(errno)));
        return ExitRunStopped;
    }
    // Qt would take its own options (-platform, -qmljsdebugger=...) out of
    // argv, even after "--": it gets the program's name alone, and the
    // command's arguments come from the system.
    std::string programName = kProgram;
    char *qtArguments[] = {programName.data(), nullptr};
    int qtArgumentCount = 1;
    QCoreApplication app(qtArgumentCount, qtArguments);
    qxm::KeepSystemReasonsInEnglish();
    QCoreApplication::setApplicationName(QString::fromLatin1(kProgram));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(qxm::ProductInfo::Version));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("%1: writes the LED font bytes of each character of TEXT as a line of BASIC or C\n"
                       "source. Without TEXT, converts each line of standard input.")
            .arg(QString::fromLatin1(qxm::ProductInfo::Description)));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const Options options;
    parser.addOptions({options.format, options.size, options.rows, options.firstBit, options.proportional, options.name,
                       options.table, options.lookup, options.output, options.font, options.preview});
    parser.addPositionalArgument(QStringLiteral("TEXT"),
                                 QStringLiteral("The text to convert; several are joined by spaces."),
                                 QStringLiteral("[TEXT...]"));

    int badArgument = 0;
    const std::optional<QStringList> arguments = qxm::CommandLineArguments(argc, argv, badArgument);
    if (!arguments) {
        WriteError(QStringLiteral("argument %1 is not valid UTF-8; nothing was converted").arg(badArgument));
        return ExitRunStopped;
    }
    if (!parser.parse(*arguments))
        return UsageError(parser, parser.errorText());

    OutputTarget standardOutput;
    if (!standardOutput.Open(QString()))
        return ExitRunStopped;
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all")))
        return standardOutput.Write(parser.helpText().toStdString()) ? ExitSuccess : ExitRunStopped;
    if (parser.isSet(versionOption)) {
        const QString version = QStringLiteral("%1 %2\n").arg(QString::fromLatin1(kProgram),
                                                              QString::fromLatin1(qxm::ProductInfo::Version));
        return standardOutput.Write(version.toStdString()) ? ExitSuccess : ExitRunStopped;
    }

    CommandLine command;
    if (const std::optional<QString> error = ReadCommandLine(parser, options, command))
        return UsageError(parser, *error);

    command.settings.codePage = &qxm::Windows1252CodePage::Instance();

    // Read before any output is opened, so that a font refused leaves nothing
    // behind; it then serves the whole run.
    const qxm::CellSize cell = command.settings.options.cell;
    std::optional<qxm::GlyphFont> fontInCell;
    if (command.fontFile) {
        qxm::FontFileResult loaded =
            qxm::ReadFontFile(qxm::FileSystemPath(*command.fontFile), *command.settings.codePage, cell);
        if (!loaded.font) {
            WriteError(qxm::ToQString(loaded.error));
            return ExitRunStopped;
        }
        fontInCell = loaded.font;
    } else {
        fontInCell = qxm::FontInCell(qxm::BuiltInFont(), cell);
        if (!fontInCell) {
            WriteError(QStringLiteral("the built-in font ")
                       + QString::fromStdString(qxm::LargerThanCell(qxm::BuiltInFont().cell, cell)));
            return ExitRunStopped;
        }
    }
    const qxm::GlyphFont font = qxm::FontForRun(*fontInCell, command.settings.options);
    command.settings.font = &font;

    OutputTarget output;
    if (!output.Open(command.outputFile))
        return ExitRunStopped;
    const QString text = command.texts.join(QLatin1Char(' '));
    qxm::RunInput input;
    // A library's font without a text is the whole font: a font is what
    // such a format is for, and a command that waited for standard input
    // there would surprise.
    const bool wholeFont =
        command.table
        || (command.texts.isEmpty() && !command.settings.preview && qxm::InfoOf(command.settings.options.format).font);
    input.source = wholeFont                 ? qxm::RunInput::Source::Table
                   : command.texts.isEmpty() ? qxm::RunInput::Source::Lines
                                             : qxm::RunInput::Source::Text;
    input.text = qxm::Utf16View(text);
    input.lines = stdin;
    const qxm::RunEnd end =
        qxm::Run(command.settings, input, [&output](std::string_view bytes) { return output.Write(bytes); });
    ReportEnd(end);
    if (end.kind != qxm::RunEnd::Kind::Converted || !output.Finish())
        return ExitRunStopped;
    return ExitSuccess;
}

} // namespace

int main(int argc, char *argv[])
{
    // Memory runs out only on a machine already short of it: the run ends
    // as any failed run does, its file written aside thrown away, the old
    // one untouched.
    try {
        return Convert(argc, argv);
    } catch (const std::bad_alloc &) {
        WriteError(QStringLiteral("there was not enough memory to finish; no file was replaced"));
        return ExitRunStopped;
    }
}
