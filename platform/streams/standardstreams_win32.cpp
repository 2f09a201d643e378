#include "platform/streams/standardstreams.h"

#include "core/printabletext.h"
#include "platform/text/qtext.h"

#include <QString>

#include <cstdio>
#include <new>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h> // needs windows.h first

namespace qxm {

bool PrepareStandardStreams()
{
    // Text mode would turn the CR LF line ends into CR CR LF (and a message's
    // LF into CR LF) and end the input at a Ctrl+Z.
    return _setmode(_fileno(stdin), _O_BINARY) != -1 && _setmode(_fileno(stdout), _O_BINARY) != -1
           && _setmode(_fileno(stderr), _O_BINARY) != -1;
}

int StandardOutputHandle()
{
    return _fileno(stdout);
}

int StandardStreamNamed(const QString &)
{
    // No file name stands for an open stream here; CON and NUL are devices,
    // written into as such.
    return 0;
}

std::optional<QStringList> CommandLineArguments(int, char *[], int &badArgument)
{
    // In UTF-16 from the system, not from the program's 8-bit argv.
    badArgument = 0;
    int count = 0;
    wchar_t **arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments)
        throw std::bad_alloc(); // its only failure
    QStringList list;
    for (int index = 0; index < count; ++index)
        list.append(QString::fromWCharArray(arguments[index]));
    LocalFree(arguments);
    return list;
}

void KeepSystemReasonsInEnglish()
{
    // The C runtime's reasons are in English already.
}

QByteArray TerminalText(const QString &message)
{
    return ToQString(PrintableText(Utf16View(message), false)).toLocal8Bit();
}

std::filesystem::path FileSystemPath(const QString &name)
{
    return std::filesystem::path(name.toStdWString());
}

} // namespace qxm
