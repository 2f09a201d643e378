#include "core/fontdata.h"
#include "core/glyphfont.h"
#include "core/preview.h"
#include "core/productinfo.h"
#include "platform/freetypefont.h"
#include "platform/qtext.h"
#include "platform/runtimeerrortext.h"
#include "platform/standardstreams.h"
#include "platform/windows1252codepage.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileDevice>
#include <QRegularExpression>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

enum ExitStatus {
    ExitSuccess = 0,
    ExitRunStopped = 1,
    ExitUsage = 2,
};

constexpr char kProgram[] = "qxm-convert";

void writeError(const QString &message)
{
    std::fprintf(stderr, "%s: %s\n", kProgram, message.toLocal8Bit().constData());
}

// What a run writes, and from which font.
struct Settings
{
    const qxm::GlyphFont *font = &qxm::BuiltInFont();
    bool preview = false;
    qxm::FontDataOptions options;
};

bool writeOutput(QFileDevice &output, const QByteArray &bytes)
{
    if (output.write(bytes) == bytes.size())
        return true;
    const QString name = output.fileName().isEmpty() ? QStringLiteral("standard output") : output.fileName();
    writeError(QStringLiteral("cannot write %1: %2").arg(name, output.errorString()));
    return false;
}

QByteArray bytesOf(const std::string &text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

enum class Outcome {
    Converted,
    Stopped,
    OutputFailed,
};

// Writes what the text converts to, font data lines or the dot picture, and
// says why a run stopped, after prefix.
Outcome writeConversion(QFileDevice &output, const QString &text, const Settings &settings, const QString &prefix)
{
    const std::u16string_view units = qxm::Utf16View(text);
    const auto &codePage = qxm::Windows1252CodePage::instance();
    QByteArray bytes;
    std::optional<qxm::RunTimeError> error;
    if (settings.preview) {
        const qxm::Preview picture = qxm::PreviewText(*settings.font, codePage, units);
        for (const std::string &row : picture.rows)
            bytes.append(bytesOf(row)).append('\n');
        error = picture.error;
    } else {
        const qxm::FontDataResult result = qxm::FormatText(*settings.font, codePage, units, settings.options);
        bytes = bytesOf(result.text);
        error = result.error;
    }
    if (!writeOutput(output, bytes))
        return Outcome::OutputFailed;
    if (!error)
        return Outcome::Converted;
    writeError(prefix + DescribeRunTimeError(*error));
    return Outcome::Stopped;
}

// The next line of the input as bytes, without its LF or CR LF; nothing at
// the end of the input. Bytes, not C strings: a NUL stays in the line.
std::optional<QByteArray> readLine(std::FILE *input)
{
    QByteArray line;
    int byte = 0;
    while ((byte = std::getc(input)) != EOF && byte != '\n')
        line.append(static_cast<char>(byte));
    if (byte == EOF && line.isEmpty())
        return std::nullopt;
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

// Converts each line of standard input as a text of its own, each as soon as
// it arrives. Stops at the first line that stops a run, as a script would
// want, and at the first output that cannot be written.
Outcome convertStandardInput(QFileDevice &output, const Settings &settings)
{
    for (qint64 lineNumber = 1;; ++lineNumber) {
        const std::optional<QByteArray> bytes = readLine(stdin);
        if (std::ferror(stdin)) {
            writeError(
                QStringLiteral("cannot read standard input: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
            return Outcome::Stopped;
        }
        if (!bytes)
            return Outcome::Converted;
        const QString prefix = QStringLiteral("line %1: ").arg(lineNumber);
        // A byte order mark is dropped at the start of the input only.
        const std::optional<QString> line = qxm::DecodeUtf8(*bytes, lineNumber == 1);
        if (!line) {
            writeError(prefix + QStringLiteral("standard input is not valid UTF-8"));
            return Outcome::Stopped;
        }
        if (const Outcome outcome = writeConversion(output, *line, settings, prefix); outcome != Outcome::Converted)
            return outcome;
    }
}

// The run the command line asks for, inside the format's frame, so that even
// a stopped run leaves well-formed source behind.
Outcome convert(QFileDevice &output, const Settings &settings, bool table, const QStringList &texts)
{
    const bool framed = !settings.preview;
    if (framed && !writeOutput(output, bytesOf(qxm::FontDataHeader(settings.options))))
        return Outcome::OutputFailed;
    Outcome outcome = Outcome::Converted;
    if (table) {
        const std::string lines =
            qxm::FormatTable(*settings.font, qxm::Windows1252CodePage::instance(), settings.options);
        outcome = writeOutput(output, bytesOf(lines)) ? Outcome::Converted : Outcome::OutputFailed;
    } else if (texts.isEmpty()) {
        outcome = convertStandardInput(output, settings);
    } else {
        outcome = writeConversion(output, texts.join(QLatin1Char(' ')), settings, QString());
    }
    if (outcome != Outcome::OutputFailed && framed
        && !writeOutput(output, bytesOf(qxm::FontDataFooter(settings.options))))
        return Outcome::OutputFailed;
    return outcome;
}

struct CommandLine
{
    Settings settings;
    bool table = false;
    QString outputFile;
    std::optional<QString> fontFile; // the built-in font without one
    QStringList texts;
};

// A label or identifier every one of the formats' compilers accepts.
bool isPlainName(const QString &name)
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return identifier.match(name).hasMatch();
}

QString formatList()
{
    QStringList names;
    for (const std::string_view name : qxm::FontDataFormats())
        names.append(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    return names.join(QStringLiteral(", "));
}

// The options, in the order the help lists them.
struct Options
{
    QCommandLineOption format{
        QStringList{QStringLiteral("f"), QStringLiteral("format")},
        QStringLiteral("Write the lines in FORMAT, one of %1; the first, the default, is the converter "
                       "window's Data lines.")
            .arg(formatList()),
        QStringLiteral("FORMAT"),
        QString::fromLatin1(qxm::FontDataFormats().front().data(),
                            static_cast<qsizetype>(qxm::FontDataFormats().front().size()))};
    QCommandLineOption rows{QStringLiteral("rows"),
                            QStringLiteral("One byte per dot row, 7 per character, top row first, instead of one byte "
                                           "per column, 5 per character, leftmost column first.")};
    QCommandLineOption firstBit{QStringLiteral("first-bit"),
                                QStringLiteral("The bit of a byte's first dot (top dot of a column, leftmost of a "
                                               "row); the next dots take the bits below it, or above it with 0. "
                                               "Default: 6 for columns, 4 for rows."),
                                QStringLiteral("N")};
    QCommandLineOption name{QStringLiteral("name"),
                            QStringLiteral("The label, table or array name; the default is LedText. bascom writes "
                                           "a label only when it is given."),
                            QStringLiteral("NAME")};
    QCommandLineOption table{QStringLiteral("table"),
                             QStringLiteral("Write the whole font, every code from 32 that has a glyph, instead of "
                                            "a text.")};
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
std::optional<QString> readCommandLine(const QCommandLineParser &parser, const Options &options, CommandLine &command)
{
    Settings &settings = command.settings;
    settings.preview = parser.isSet(options.preview);
    const QString format = parser.value(options.format);
    const std::vector<std::string_view> formats = qxm::FontDataFormats();
    const auto found = std::find(formats.begin(), formats.end(), format.toStdString());
    if (found == formats.end())
        return QStringLiteral("unknown format '%1': use one of %2").arg(format, formatList());
    settings.options.format = *found;

    settings.options.layout.rows = parser.isSet(options.rows);
    settings.options.layout.firstBit = settings.options.layout.rows ? qxm::kRowsFirstBit : qxm::kColumnsFirstBit;
    if (parser.isSet(options.firstBit)) {
        bool isNumber = false;
        settings.options.layout.firstBit = parser.value(options.firstBit).toInt(&isNumber);
        if (!isNumber || !qxm::FitsEveryDot(settings.options.layout)) {
            return QStringLiteral("--first-bit %1 is not a bit that leaves room for every dot: use %2")
                .arg(parser.value(options.firstBit), settings.options.layout.rows
                                                         ? QStringLiteral("0, 4, 5, 6 or 7 with --rows")
                                                         : QStringLiteral("0, 6 or 7"));
        }
    }
    if (parser.isSet(options.name)) {
        const QString name = parser.value(options.name);
        if (!isPlainName(name))
            return QStringLiteral("--name '%1' is not a name: use letters, digits and _, not a digit first").arg(name);
        settings.options.name = name.toStdString();
        settings.options.named = true;
    }

    command.table = parser.isSet(options.table);
    command.texts = parser.positionalArguments();
    if (command.table && (!command.texts.isEmpty() || settings.preview))
        return QStringLiteral("--table writes the whole font: it takes no TEXT and no --preview");
    command.outputFile = parser.value(options.output);
    if (parser.isSet(options.font))
        command.fontFile = parser.value(options.font);
    return std::nullopt;
}

int usageError(const QCommandLineParser &parser, const QString &message)
{
    writeError(message);
    std::fputs(parser.helpText().toLocal8Bit().constData(), stderr);
    return ExitUsage;
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qxm::PrepareStandardStreams()) {
        writeError(QStringLiteral("cannot prepare the standard streams: %1")
                       .arg(QString::fromLocal8Bit(std::strerror(errno))));
        return ExitRunStopped;
    }
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QString::fromLatin1(kProgram));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(qxm::ProductInfo::Version));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("%1: writes the 5x7 LED font bytes of each character of TEXT as a line of BASIC or C\n"
                       "source. Without TEXT, converts each line of standard input.")
            .arg(QString::fromLatin1(qxm::ProductInfo::Description)));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const Options options;
    parser.addOptions({options.format, options.rows, options.firstBit, options.name, options.table, options.output,
                       options.font, options.preview});
    parser.addPositionalArgument(QStringLiteral("TEXT"),
                                 QStringLiteral("The text to convert; several are joined by spaces."),
                                 QStringLiteral("[TEXT...]"));

    int badArgument = 0;
    const std::optional<QStringList> arguments = qxm::CommandLineArguments(argc, argv, badArgument);
    if (!arguments) {
        writeError(QStringLiteral("argument %1 is not valid UTF-8; nothing was converted").arg(badArgument));
        return ExitRunStopped;
    }
    if (!parser.parse(*arguments))
        return usageError(parser, parser.errorText());

    QFile standardOutput;
    if (!standardOutput.open(qxm::StandardOutputHandle(), QIODevice::WriteOnly | QIODevice::Unbuffered,
                             QFileDevice::DontCloseHandle)) {
        writeError(QStringLiteral("cannot write standard output: %1").arg(standardOutput.errorString()));
        return ExitRunStopped;
    }
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all")))
        return writeOutput(standardOutput, parser.helpText().toUtf8()) ? ExitSuccess : ExitRunStopped;
    if (parser.isSet(versionOption)) {
        const QString version = QStringLiteral("%1 %2\n").arg(QString::fromLatin1(kProgram),
                                                              QString::fromLatin1(qxm::ProductInfo::Version));
        return writeOutput(standardOutput, version.toUtf8()) ? ExitSuccess : ExitRunStopped;
    }

    CommandLine command;
    if (const std::optional<QString> error = readCommandLine(parser, options, command))
        return usageError(parser, *error);

    if (!qxm::Windows1252CodePage::instance().isValid()) {
        writeError(QStringLiteral("this Qt build has no windows-1252 converter; nothing was converted"));
        return ExitRunStopped;
    }

    // Read before any output is opened, so that a font refused leaves nothing
    // behind; it then serves the whole run.
    std::optional<qxm::GlyphFont> fileFont;
    if (command.fontFile) {
        const qxm::FontFileResult loaded =
            qxm::ReadFontFile(qxm::FileSystemPath(*command.fontFile), qxm::Windows1252CodePage::instance());
        if (!loaded.font) {
            writeError(qxm::ToQString(loaded.error));
            return ExitRunStopped;
        }
        fileFont = loaded.font;
        command.settings.font = &*fileFont;
    }

    // A file is written aside and takes the old one's place only after a
    // complete run; otherwise QSaveFile throws the new one away.
    QSaveFile file(command.outputFile);
    const bool toFile = !command.outputFile.isEmpty();
    if (toFile && !file.open(QIODevice::WriteOnly)) {
        writeError(QStringLiteral("cannot write %1: %2").arg(command.outputFile, file.errorString()));
        return ExitRunStopped;
    }
    QFileDevice &output = toFile ? static_cast<QFileDevice &>(file) : standardOutput;
    if (convert(output, command.settings, command.table, command.texts) != Outcome::Converted)
        return ExitRunStopped;
    if (toFile && !file.commit()) {
        writeError(QStringLiteral("cannot write %1: %2").arg(command.outputFile, file.errorString()));
        return ExitRunStopped;
    }
    return ExitSuccess;
}
