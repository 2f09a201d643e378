#pragma once

#include <QByteArray>
#include <QStringList>

#include <filesystem>
#include <optional>

class QString;

// What a command-line program needs of the system to treat its streams,
// arguments and file names as the user gave them, on every system.
namespace qxm {

// Makes the standard streams safe to use as raw bytes; call it before
// anything opens a file of its own. False, with errno set, when it cannot.
bool PrepareStandardStreams();

// The number of the standard output stream.
int StandardOutputHandle();

// Strict UTF-8: a sequence cut off at the end is an error too, not held back
// for bytes that will never come.
std::optional<QString> DecodeUtf8(const QByteArray &bytes, bool dropByteOrderMark);

// The arguments as the user typed them, the program's name first; nothing,
// with the 1-based number of the first one that is not UTF-8 in
// badArgument, when one is not.
std::optional<QStringList> CommandLineArguments(int argc, char *argv[], int &badArgument);

// The file system's own name for a file named on the command line.
std::filesystem::path FileSystemPath(const QString &name);

} // namespace qxm
