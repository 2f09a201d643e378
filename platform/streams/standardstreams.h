#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>

// What a command-line program needs of the system to treat its streams,
// arguments and file names as the user gave them, on every system.
namespace qxm {

// Makes the standard streams safe to use as raw bytes; call it before
// anything opens a file of its own. False, with errno set, when it cannot.
bool PrepareStandardStreams();

// The number of the standard output stream.
int StandardOutputHandle();

// The number of the standard stream, output or error, that the named file
// already is open as (/dev/stdout, or the very file the shell redirected it
// to), so that writing it goes through the stream in the mode the shell
// opened it with, appending included; 0 when it is neither.
int StandardStreamNamed(const QString &name);

// The arguments as the user typed them, the program's name first, read from
// the system rather than from Qt, which takes its own options (-platform,
// -qmljsdebugger=...) out of the arguments it is given; nothing, with the
// 1-based number of the first one that is not UTF-8 in badArgument, when one
// is not.
std::optional<QStringList> CommandLineArguments(int argc, char *argv[], int &badArgument);

// Makes the system give its reasons for a failure (strerror) in English,
// as the rest of every message is, whatever the user's locale; call it once
// Qt has set the locale from the environment.
void KeepSystemReasonsInEnglish();

// The system's reason for the failure numbered `error` (an errno).
inline QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The bytes that show a message on the terminal as text: every control
// character written as its code, so that nothing from a file or an argument
// can act on the terminal, and in the terminal's own character set.
QByteArray TerminalText(const QString &message);

// Writes all of the bytes, or fails. A write cut short says nothing; the next
// one gives the system's reason, in the device's error string.
inline bool WriteWhole(QIODevice &device, std::string_view bytes)
{
    while (!bytes.empty()) {
        const qint64 written = device.write(bytes.data(), static_cast<qint64>(bytes.size()));
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The file system's own name for a file named on the command line.
std::filesystem::path FileSystemPath(const QString &name);

} // namespace qxm
