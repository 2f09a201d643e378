#pragma once

#include <QString>

#include <memory>
#include <string_view>

namespace qxm {

// A file written aside that takes the named file's place only when
// committed. Until then the named file stays as it was, byte for byte, and
// however the program ends (killed too, where the system allows) nothing of
// the new one is left behind.
class ReplacementFile
{
public:
    explicit ReplacementFile(const QString &name);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile &) = delete;
    ReplacementFile &operator=(const ReplacementFile &) = delete;

    bool Open();
    // All of the bytes, or false.
    bool Write(std::string_view bytes);
    bool Commit();
    // The system's reason for the last failure.
    QString ErrorString() const;

private:
    struct System;
    std::unique_ptr<System> m_system;
};

} // namespace qxm
