#include "core/conversion.h"
#include "core/preview.h"
#include "core/productinfo.h"
#include "platform/qtext.h"
#include "platform/standardstreams.h"
#include "platform/windows1252codepage.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

#include <cstdio>
#include <optional>

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

QString describeError(const qxm::RunTimeError &error)
{
    using Cause = qxm::RunTimeError::Cause;
    if (error.cause == Cause::TextTooLong) {
        return QStringLiteral("overflow: the text has %1 characters, at most %2 can be converted")
            .arg(error.length)
            .arg(qxm::kMaxTextLength);
    }
    const QString where = QStringLiteral("at character %1 (U+%2, code %3)")
                              .arg(error.position)
                              .arg(qxm::CodeUnitNumber(error.character))
                              .arg(error.code);
    if (error.cause == Cause::CodeTooLow)
        return QStringLiteral("overflow %1: its code is below the font's range").arg(where);
    return QStringLiteral("subscript out of range %1: it has no glyph").arg(where);
}

// Writes what the text converts to, Data lines or the dot picture; returns
// the error that stopped it.
std::optional<qxm::RunTimeError> writeConversion(const QString &text, bool preview)
{
    const std::u16string_view units = qxm::Utf16View(text);
    const auto &codePage = qxm::Windows1252CodePage::instance();
    if (preview) {
        const qxm::Preview picture = qxm::PreviewText(qxm::FilledCharData(), codePage, units);
        for (const std::string &row : picture.rows) {
            std::fwrite(row.data(), 1, row.size(), stdout);
            std::fputc('\n', stdout);
        }
        return picture.error;
    }
    const qxm::ConversionResult result = qxm::ConvertText(qxm::FilledCharData(), codePage, units);
    const QByteArray utf8 = qxm::ToQString(result.text).toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stdout);
    return result.error;
}

// Converts each line of standard input as a text of its own. Stops at the
// first line that stops a run, as a script would want.
int convertStandardInput(bool preview)
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly)) {
        writeError(QStringLiteral("cannot read standard input: %1").arg(input.errorString()));
        return ExitRunStopped;
    }
    for (qint64 lineNumber = 1; !input.atEnd(); ++lineNumber) {
        QByteArray bytes = input.readLine();
        if (bytes.endsWith('\n'))
            bytes.chop(1);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        // A byte order mark is dropped at the start of the input only.
        QStringDecoder decoder(QStringConverter::Utf8, lineNumber == 1 ? QStringConverter::Flag::Default
                                                                       : QStringConverter::Flag::ConvertInitialBom);
        const QString line = decoder.decode(bytes);
        if (decoder.hasError()) {
            writeError(QStringLiteral("line %1: standard input is not valid UTF-8").arg(lineNumber));
            return ExitRunStopped;
        }
        if (const auto error = writeConversion(line, preview)) {
            std::fflush(stdout);
            writeError(QStringLiteral("line %1: %2").arg(lineNumber).arg(describeError(*error)));
            return ExitRunStopped;
        }
    }
    return ExitSuccess;
}

} // namespace

int main(int argc, char *argv[])
{
    qxm::UseBinaryStandardStreams();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QString::fromLatin1(kProgram));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(qxm::ProductInfo::Version));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("%1: writes one BASIC Data line per character of TEXT, the five column bytes of its\n"
                       "5x7 LED glyph. Without TEXT, converts each line of standard input.")
            .arg(QString::fromLatin1(qxm::ProductInfo::Description)));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption previewOption(
        QStringList{QStringLiteral("p"), QStringLiteral("preview")},
        QStringLiteral("Print the dot-matrix picture of the text ('#' lit, '.' dark) instead of Data lines."));
    parser.addOption(previewOption);
    parser.addPositionalArgument(QStringLiteral("TEXT"),
                                 QStringLiteral("The text to convert; several are joined by spaces."),
                                 QStringLiteral("[TEXT...]"));

    if (!parser.parse(QCoreApplication::arguments())) {
        writeError(parser.errorText());
        std::fputs(parser.helpText().toLocal8Bit().constData(), stderr);
        return ExitUsage;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(ExitSuccess);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();

    if (!qxm::Windows1252CodePage::instance().isValid()) {
        writeError(QStringLiteral("this Qt build has no windows-1252 converter; nothing was converted"));
        return ExitRunStopped;
    }

    const bool preview = parser.isSet(previewOption);
    int status = ExitSuccess;
    const QStringList texts = parser.positionalArguments();
    if (texts.isEmpty()) {
        status = convertStandardInput(preview);
    } else if (const auto error = writeConversion(texts.join(QLatin1Char(' ')), preview)) {
        std::fflush(stdout);
        writeError(describeError(*error));
        status = ExitRunStopped;
    }

    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        writeError(QStringLiteral("cannot write standard output"));
        return ExitRunStopped;
    }
    return status;
}
