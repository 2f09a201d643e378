#include "platform/streams/replacementfile.h"

#include <QSaveFile>

namespace qxm {

// Qt writes an unnamed file (O_TMPFILE) where the file system has them, and
// names it only as it takes the old file's place: a killed run leaves nothing.
// Unbuffered, so that each write's failure is seen at once, not lost in a
// flush at the commit.
struct ReplacementFile::System
{
    QSaveFile file;
};

ReplacementFile::ReplacementFile(const QString &name)
    : m_system(new System)
{
    m_system->file.setFileName(name);
}

ReplacementFile::~ReplacementFile() = default;

bool ReplacementFile::Open()
{
    return m_system->file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool ReplacementFile::Write(std::string_view bytes)
{
    // A write cut short says nothing; the next one gives the system's reason.
    while (!bytes.empty()) {
        const qint64 written = m_system->file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool ReplacementFile::Commit()
{
    return m_system->file.commit();
}

QString ReplacementFile::ErrorString() const
{
    return m_system->file.errorString();
}

} // namespace qxm
