#pragma once

#include <QIODevice>
#include <QStringList>

#include <filesystem>
#include <optional>
#include <string_view>

class QString;

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

// The arguments as the user typed them, the program's name first; nothing,
// with the 1-based number of the first one that is not UTF-8 in
// badArgument, when one is not.
std::optional<QStringList> CommandLineArguments(int argc, char *argv[], int &badArgument);

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
