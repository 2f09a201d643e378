#include "cli/outputtarget.h"

#include "platform/streams/replacementfile.h"
#include "platform/streams/standardstreams.h"

#include <QByteArray>
#include <QFile>

#include <cstdio>
#include <filesystem>
#include <system_error>

void WriteError(const QString &message)
{
    std::fprintf(stderr, "qxm-convert: %s\n", qxm::TerminalText(message).constData());
}

OutputTarget::OutputTarget() = default;
OutputTarget::~OutputTarget() = default;

bool OutputTarget::Open(const QString &name)
{
    const bool standardOutput = name.isEmpty() || name == QLatin1String("-");
    m_shownName = standardOutput ? QStringLiteral("standard output") : name;
    const int stream = standardOutput ? qxm::StandardOutputHandle() : qxm::StandardStreamNamed(name);
    if (stream != 0) {
        m_stream = std::make_unique<QFile>();
        return m_stream->open(stream, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle)
               || Failed(m_stream->errorString());
    }
    std::error_code failure;
    const auto status = std::filesystem::status(qxm::FileSystemPath(name), failure);
    if (!std::filesystem::exists(status) || std::filesystem::is_regular_file(status)) {
        m_file = std::make_unique<qxm::ReplacementFile>(name);
        return m_file->Open() || Failed(m_file->ErrorString());
    }
    // An existing name only: if it went away meanwhile, nothing is created in
    // its place.
    m_stream = std::make_unique<QFile>(name);
    return m_stream->open(QIODevice::WriteOnly | QIODevice::ExistingOnly | QIODevice::Unbuffered)
           || Failed(m_stream->errorString());
}

bool OutputTarget::Write(std::string_view bytes)
{
    if (m_file)
        return m_file->Write(bytes) || Failed(m_file->ErrorString());
    return qxm::WriteWhole(*m_stream, bytes) || Failed(m_stream->errorString());
}

bool OutputTarget::Finish()
{
    return !m_file || m_file->Commit() || Failed(m_file->ErrorString());
}

bool OutputTarget::Failed(const QString &reason)
{
    WriteError(QStringLiteral("cannot write %1: %2").arg(m_shownName, reason));
    return false;
}
