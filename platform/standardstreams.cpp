#include "platform/standardstreams.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QStringDecoder>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace qxm {

bool PrepareStandardStreams()
{
#ifdef Q_OS_WIN
    // Text mode would turn the CR LF line ends into CR CR LF (and a message's
    // LF into CR LF) and end the input at a Ctrl+Z.
    return _setmode(_fileno(stdin), _O_BINARY) != -1 && _setmode(_fileno(stdout), _O_BINARY) != -1
           && _setmode(_fileno(stderr), _O_BINARY) != -1;
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

int StandardOutputHandle()
{
#ifdef Q_OS_WIN
    return _fileno(stdout);
#else
    return STDOUT_FILENO;
#endif
}

std::optional<QString> DecodeUtf8(const QByteArray &bytes, bool dropByteOrderMark)
{
    QStringDecoder decoder(QStringConverter::Utf8, dropByteOrderMark ? QStringConverter::Flag::Stateless
                                                                     : QStringConverter::Flag::Stateless
                                                                           | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

std::optional<QStringList> CommandLineArguments(int argc, char *argv[], int &badArgument)
{
    badArgument = 0;
#ifdef Q_OS_WIN
    // Windows hands Qt the arguments in UTF-16 already.
    Q_UNUSED(argc)
    Q_UNUSED(argv)
    return QCoreApplication::arguments();
#else
    // Elsewhere they are bytes: refused when they are not UTF-8 rather than
    // turned into '?'.
    QStringList arguments{QString::fromLocal8Bit(argv[0])};
    for (int index = 1; index < argc; ++index) {
        const std::optional<QString> argument = DecodeUtf8(QByteArray(argv[index]), false);
        if (!argument) {
            badArgument = index;
            return std::nullopt;
        }
        arguments.append(*argument);
    }
    return arguments;
#endif
}

std::filesystem::path FileSystemPath(const QString &name)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(name.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(name).toStdString());
#endif
}

} // namespace qxm
