#pragma once

#include <QString>

#include <memory>
#include <string_view>

class QFile;

namespace qxm {
class ReplacementFile;
} // namespace qxm

// Where qxm-convert writes. A regular file, or a name that is none yet, is
// written aside and takes the old file's place only after a complete run; a
// device, a FIFO or a socket is written into, as cp and tee do, since
// replacing it would cut off whoever reads it; a name for standard output or
// standard error, or "-", writes into that stream as the shell opened it.
class OutputTarget
{
public:
    OutputTarget();
    ~OutputTarget();
    OutputTarget(const OutputTarget &) = delete;
    OutputTarget &operator=(const OutputTarget &) = delete;

    // Standard output when the name is empty; false, with the reason said,
    // when the target cannot be opened.
    bool Open(const QString &name);
    // Each write is checked at once, so that a full disk ends the run before
    // anything is replaced; false, with the reason said, when it failed.
    bool Write(std::string_view bytes);
    // Puts a written-aside file in the old one's place; on any other ending
    // the old file stays as it was and the new one is thrown away.
    bool Finish();

private:
    bool Failed(const QString &reason);

    QString m_shownName;
    std::unique_ptr<QFile> m_stream;              // what is written into
    std::unique_ptr<qxm::ReplacementFile> m_file; // or what is written aside
};

// Says what went wrong, as "qxm-convert: message".
void WriteError(const QString &message);
