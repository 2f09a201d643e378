#include "platform/streams/replacementfile.h"

#include "platform/streams/standardstreams.h"

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
    return WriteWhole(m_system->file, bytes);
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
