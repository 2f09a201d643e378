#include "platform/streams/standardstreams.h"

#include <QCoreApplication>
#include <QString>

#include <cstdio>

#include <fcntl.h>
#include <io.h>

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
    // Windows hands Qt the arguments in UTF-16 already.
    badArgument = 0;
    return QCoreApplication::arguments();
}

std::filesystem::path FileSystemPath(const QString &name)
{
    return std::filesystem::path(name.toStdWString());
}

} // namespace qxm
