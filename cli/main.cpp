#include "core/conversion.h"
#include "core/preview.h"
#include "core/productinfo.h"
#include "platform/qtext.h"
#include "platform/runtimeerrortext.h"
#include "platform/windows1252codepage.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <QtGlobal>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_WIN
const int kStandardOutput = _fileno(stdout);
#else
const int kStandardOutput = STDOUT_FILENO;
#endif

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

// Makes the standard streams safe to use as raw bytes before anything opens a
// file of its own.
bool prepareStandardStreams()
{
#ifdef Q_OS_WIN
    // Text mode would turn the CR LF line ends into CR CR LF and end the input
    // at a Ctrl+Z.
    return _setmode(_fileno(stdin), _O_BINARY) != -1 && _setmode(_fileno(stdout), _O_BINARY) != -1;
#else
    // A closed stream's number would go to the next file opened, Qt's event
    // dispatcher among them, and the program would then read or write that
    // file as if it were the stream. So a closed stream is held by /dev/null,
    // read-only: reading gives the end of the input and writing fails, just as
    // the closed stream would.
    for (int stream = STDIN_FILENO; stream <= STDERR_FILENO; ++stream) {
        if (fcntl(stream, F_GETFD) == -1 && errno == EBADF && open("/dev/null", O_RDONLY) != stream)
            return false;
    }
    return true;
#endif
}

// Strict UTF-8: a sequence cut off at the end is an error too, not held back
// for bytes that will never come.
std::optional<QString> decodeUtf8(const QByteArray &bytes, bool dropByteOrderMark)
{
    QStringDecoder decoder(QStringConverter::Utf8, dropByteOrderMark ? QStringConverter::Flag::Stateless
                                                                     : QStringConverter::Flag::Stateless
                                                                           | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// The command line as the user typed it. Windows hands Qt the arguments in
// UTF-16; elsewhere they are bytes, refused when they are not UTF-8 rather
// than turned into '?'.
std::optional<QStringList> commandLine(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    Q_UNUSED(argc)
    Q_UNUSED(argv)
    return QCoreApplication::arguments();
#else
    QStringList arguments{QString::fromLocal8Bit(argv[0])};
    for (int index = 1; index < argc; ++index) {
        const auto argument = decodeUtf8(QByteArray(argv[index]), false);
        if (!argument) {
            writeError(QStringLiteral("argument %1 is not valid UTF-8; nothing was converted").arg(index));
            return std::nullopt;
        }
        arguments.append(*argument);
    }
    return arguments;
#endif
}

bool writeOutput(QFile &output, const QByteArray &bytes)
{
    if (output.write(bytes) == bytes.size())
        return true;
    writeError(QStringLiteral("cannot write the output: %1").arg(output.errorString()));
    return false;
}

enum class Outcome {
    Converted,
    Stopped,
    OutputFailed,
};

// Writes what the text converts to, Data lines or the dot picture, and says
// why a run stopped, after prefix.
Outcome writeConversion(QFile &output, const QString &text, bool preview, const QString &prefix)
{
    const std::u16string_view units = qxm::Utf16View(text);
    const auto &codePage = qxm::Windows1252CodePage::instance();
    QByteArray bytes;
    std::optional<qxm::RunTimeError> error;
    if (preview) {
        const qxm::Preview picture = qxm::PreviewText(qxm::FilledCharData(), codePage, units);
        for (const std::string &row : picture.rows)
            bytes.append(row.data(), static_cast<qsizetype>(row.size())).append('\n');
        error = picture.error;
    } else {
        const qxm::ConversionResult result = qxm::ConvertText(qxm::FilledCharData(), codePage, units);
        bytes = qxm::ToQString(result.text).toUtf8();
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
int convertStandardInput(QFile &output, bool preview)
{
    for (qint64 lineNumber = 1;; ++lineNumber) {
        const std::optional<QByteArray> bytes = readLine(stdin);
        if (std::ferror(stdin)) {
            writeError(
                QStringLiteral("cannot read standard input: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
            return ExitRunStopped;
        }
        if (!bytes)
            return ExitSuccess;
        const QString prefix = QStringLiteral("line %1: ").arg(lineNumber);
        // A byte order mark is dropped at the start of the input only.
        const std::optional<QString> line = decodeUtf8(*bytes, lineNumber == 1);
        if (!line) {
            writeError(prefix + QStringLiteral("standard input is not valid UTF-8"));
            return ExitRunStopped;
        }
        if (writeConversion(output, *line, preview, prefix) != Outcome::Converted)
            return ExitRunStopped;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (!prepareStandardStreams()) {
        writeError(QStringLiteral("cannot prepare the standard streams: %1")
                       .arg(QString::fromLocal8Bit(std::strerror(errno))));
        return ExitRunStopped;
    }
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QString::fromLatin1(kProgram));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(qxm::ProductInfo::Version));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("%1: writes one BASIC Data line per character of TEXT, the five column bytes of its\n"
                       "5x7 LED glyph. Without TEXT, converts each line of standard input.")
            .arg(QString::fromLatin1(qxm::ProductInfo::Description)));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption previewOption(
        QStringList{QStringLiteral("p"), QStringLiteral("preview")},
        QStringLiteral("Print the dot-matrix picture of the text ('#' lit, '.' dark) instead of Data lines."));
    parser.addOption(previewOption);
    parser.addPositionalArgument(QStringLiteral("TEXT"),
                                 QStringLiteral("The text to convert; several are joined by spaces."),
                                 QStringLiteral("[TEXT...]"));

    const std::optional<QStringList> arguments = commandLine(argc, argv);
    if (!arguments)
        return ExitRunStopped;
    if (!parser.parse(*arguments)) {
        writeError(parser.errorText());
        std::fputs(parser.helpText().toLocal8Bit().constData(), stderr);
        return ExitUsage;
    }

    QFile output;
    if (!output.open(kStandardOutput, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle)) {
        writeError(QStringLiteral("cannot write the output: %1").arg(output.errorString()));
        return ExitRunStopped;
    }
    if (parser.isSet(helpOption))
        return writeOutput(output, parser.helpText().toUtf8()) ? ExitSuccess : ExitRunStopped;
    if (parser.isSet(versionOption)) {
        const QString version = QStringLiteral("%1 %2\n").arg(QString::fromLatin1(kProgram),
                                                              QString::fromLatin1(qxm::ProductInfo::Version));
        return writeOutput(output, version.toUtf8()) ? ExitSuccess : ExitRunStopped;
    }

    if (!qxm::Windows1252CodePage::instance().isValid()) {
        writeError(QStringLiteral("this Qt build has no windows-1252 converter; nothing was converted"));
        return ExitRunStopped;
    }

    const bool preview = parser.isSet(previewOption);
    const QStringList texts = parser.positionalArguments();
    if (texts.isEmpty())
        return convertStandardInput(output, preview);
    return writeConversion(output, texts.join(QLatin1Char(' ')), preview, QString()) == Outcome::Converted
               ? ExitSuccess
               : ExitRunStopped;
}
