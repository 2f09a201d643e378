#include "platform/streams/replacementfile.h"

#include <QDir>

#include <algorithm>
#include <string>
#include <vector>

#include <windows.h>

namespace qxm {

// The file written aside is marked for deletion from the start, so that the
// system deletes it when its handle closes, even when the process is killed;
// the commit takes the mark back and renames the still open file over the old
// one.
struct ReplacementFile::System
{
    std::wstring name;
    HANDLE handle = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_SUCCESS;

    bool Failed()
    {
        error = GetLastError();
        return false;
    }

    bool MarkForDeletion(bool deletion)
    {
        FILE_DISPOSITION_INFO disposition{static_cast<BOOLEAN>(deletion)};
        return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition) != 0;
    }
};

ReplacementFile::ReplacementFile(const QString &name)
    : m_system(new System)
{
    m_system->name = QDir::toNativeSeparators(QDir::current().absoluteFilePath(name)).toStdWString();
}

ReplacementFile::~ReplacementFile()
{
    if (m_system->handle != INVALID_HANDLE_VALUE)
        CloseHandle(m_system->handle);
}

bool ReplacementFile::Open()
{
    // Beside the old file, so that the rename stays within its volume, under
    // a short name of its own: one built from the old file's could pass the
    // file system's limit on a name.
    const std::wstring &name = m_system->name;
    const std::wstring aside =
        name.substr(0, name.find_last_of(L'\\') + 1) + L".qxm-" + std::to_wstring(GetCurrentProcessId());
    m_system->handle =
        CreateFileW(aside.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_system->handle == INVALID_HANDLE_VALUE)
        return m_system->Failed();
    return m_system->MarkForDeletion(true) || m_system->Failed();
}

bool ReplacementFile::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        if (!WriteFile(m_system->handle, bytes.data(), chunk, &written, nullptr) || written == 0)
            return m_system->Failed();
        bytes.remove_prefix(written);
    }
    return true;
}

bool ReplacementFile::Commit()
{
    if (!FlushFileBuffers(m_system->handle) || !m_system->MarkForDeletion(false))
        return m_system->Failed();
    const std::size_t nameBytes = m_system->name.size() * sizeof(wchar_t);
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto *rename = reinterpret_cast<FILE_RENAME_INFO *>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(nameBytes);
    m_system->name.copy(rename->FileName, m_system->name.size());
    if (!SetFileInformationByHandle(m_system->handle, FileRenameInfo, rename, static_cast<DWORD>(buffer.size()))) {
        m_system->Failed();
        m_system->MarkForDeletion(true);
        return false;
    }
    CloseHandle(m_system->handle);
    m_system->handle = INVALID_HANDLE_VALUE;
    return true;
}

QString ReplacementFile::ErrorString() const
{
    wchar_t *text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   m_system->error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    const QString message =
        text ? QString::fromWCharArray(text).trimmed() : QStringLiteral("error %1").arg(m_system->error);
    LocalFree(text);
    return message;
}

} // namespace qxm
