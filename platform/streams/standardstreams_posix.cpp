#include "platform/streams/standardstreams.h"

#include "core/printabletext.h"
#include "core/utf8.h"
#include "platform/text/qtext.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <string_view>

#include <fcntl.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qxm {

bool PrepareStandardStreams()
{
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
}

int StandardOutputHandle()
{
    return STDOUT_FILENO;
}

int StandardStreamNamed(const QString &name)
{
    struct stat file = {};
    if (stat(QFile::encodeName(name).constData(), &file) != 0)
        return 0;
    for (const int stream : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat open = {};
        if (fstat(stream, &open) == 0 && open.st_dev == file.st_dev && open.st_ino == file.st_ino)
            return stream;
    }
    return 0;
}

std::optional<QStringList> CommandLineArguments(int argc, char *argv[], int &badArgument)
{
    // Arguments are bytes here: refused when they are not UTF-8 rather than
    // turned into '?'.
    badArgument = 0;
    QStringList arguments{QString::fromLocal8Bit(argv[0])};
    for (int index = 1; index < argc; ++index) {
        const std::optional<std::u16string> argument = DecodeUtf8(std::string_view(argv[index]));
        if (!argument) {
            badArgument = index;
            return std::nullopt;
        }
        arguments.append(ToQString(*argument));
    }
    return arguments;
}

void KeepSystemReasonsInEnglish()
{
    // In a locale of another character set a translated reason would also
    // come in bytes that Qt, which takes every locale for UTF-8, misreads.
    std::setlocale(LC_MESSAGES, "C");
}

QByteArray TerminalText(const QString &message)
{
    // Arguments and file names are read as UTF-8 whatever the locale; a
    // terminal set to an 8-bit character set (ISO-8859-9, say) would show
    // UTF-8 wrongly, and might take some of its bytes (0x80 to 0x9F) for C1
    // controls, so there everything past ASCII is written by its code. The
    // plain C locale names ASCII, yet its terminals are UTF-8 nearly always,
    // as Python also assumes. The character set is the environment's, not
    // that of the locale Qt may have switched to.
    static const bool utf8 = [] {
        const locale_t environment = newlocale(LC_CTYPE_MASK, "", nullptr);
        const char *characterSet = environment ? nl_langinfo_l(CODESET, environment) : "UTF-8";
        const bool isUtf8 = std::strcmp(characterSet, "UTF-8") == 0 || std::strcmp(characterSet, "ANSI_X3.4-1968") == 0;
        if (environment)
            freelocale(environment);
        return isUtf8;
    }();
    return ToQString(PrintableText(Utf16View(message), !utf8)).toUtf8();
}

std::filesystem::path FileSystemPath(const QString &name)
{
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

} // namespace qxm
