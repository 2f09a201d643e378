#include "cli/outputtarget.h"

#include "platform/streams/standardstreams.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>

#include <cstdio>
#include <filesystem>
#include <system_error>

void WriteError(const QString &message)
{
    std::fprintf(stderr, "qxm-convert: %s\n", message.toLocal8Bit().constData());
}

OutputTarget::OutputTarget() = default;
OutputTarget::~OutputTarget() = default;

bool OutputTarget::Open(const QString &name)
{
    const bool standardOutput = name.isEmpty() || name == QLatin1String("-");
    m_shownName = standardOutput ? QStringLiteral("standard output") : name;
    const int stream = standardOutput ? qxm::StandardOutputHandle() : qxm::StandardStreamNamed(name);
    if (stream != 0) {
        auto file = std::make_unique<QFile>();
        const bool opened =
            file->open(stream, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle);
        m_device = std::move(file);
        return opened || Failed();
    }
    std::error_code failure;
    const auto status = std::filesystem::status(qxm::FileSystemPath(name), failure);
    m_replaces = !std::filesystem::exists(status) || std::filesystem::is_regular_file(status);
    if (m_replaces) {
        auto file = std::make_unique<QSaveFile>(name);
        const bool opened = file->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        m_device = std::move(file);
        return opened || Failed();
    }
    // An existing name only: if it went away meanwhile, nothing is created in
    // its place.
    auto file = std::make_unique<QFile>(name);
    const bool opened = file->open(QIODevice::WriteOnly | QIODevice::ExistingOnly | QIODevice::Unbuffered);
    m_device = std::move(file);
    return opened || Failed();
}

bool OutputTarget::Write(std::string_view bytes)
{
    // A write cut short says nothing; the next one gives the system's reason.
    while (!bytes.empty()) {
        const qint64 written = m_device->write(bytes.data(), static_cast<qint64>(bytes.size()));
        if (written <= 0)
            return Failed();
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool OutputTarget::Finish()
{
    return !m_replaces || static_cast<QSaveFile &>(*m_device).commit() || Failed();
}

bool OutputTarget::Failed()
{
    WriteError(QStringLiteral("cannot write %1: %2").arg(m_shownName, m_device->errorString()));
    return false;
}
