#include "platform/streams/replacementfile.h"

#include "platform/streams/standardstreams.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace qxm {

namespace {

// Linux's own limit on the links followed in one path.
constexpr int kMaxLinks = 40;

// Where the links from name end: the file that is replaced, as cp and a
// shell's redirection write through a link and leave it a link. Empty, with
// errno set, on a loop or a path that cannot be followed.
std::string LinkTarget(std::string name)
{
    for (int links = 0; links <= kMaxLinks; ++links) {
        std::vector<char> target(PATH_MAX);
        const ssize_t size = readlink(name.c_str(), target.data(), target.size());
        if (size < 0)
            return errno == EINVAL || errno == ENOENT ? name : std::string();
        // A relative link starts from the link's own folder.
        const std::size_t slash = name.rfind('/');
        name.resize(target.front() == '/' || slash == std::string::npos ? 0 : slash + 1);
        name.append(target.data(), static_cast<std::size_t>(size));
    }
    errno = ELOOP;
    return {};
}

std::string FolderOf(const std::string &name)
{
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? std::string(".") : name.substr(0, slash == 0 ? 1 : slash);
}

// Every extended attribute of the old file, its ACL among them
// (system.posix_acl_access), as cp --preserve=all keeps them. One the system
// will not set here (another's security label, say) is left as the new file
// got it.
void CopyAttributes(const char *from, int to)
{
    std::vector<char> names(static_cast<std::size_t>(std::max<ssize_t>(listxattr(from, nullptr, 0), 0)));
    const ssize_t size = names.empty() ? 0 : listxattr(from, names.data(), names.size());
    for (ssize_t at = 0; at < size; at += static_cast<ssize_t>(std::strlen(names.data() + at)) + 1) {
        const char *name = names.data() + at;
        std::vector<char> value(static_cast<std::size_t>(std::max<ssize_t>(getxattr(from, name, nullptr, 0), 0)));
        const ssize_t length = getxattr(from, name, value.data(), value.size());
        if (length >= 0)
            static_cast<void>(fsetxattr(to, name, value.data(), static_cast<std::size_t>(length), 0));
    }
}

} // namespace

// The new file is written unnamed (O_TMPFILE) in the old one's folder, so that
// a killed run leaves nothing, and gets a short name of its own only for the
// rename over the old one: a name built from the old one's could pass the
// file system's limit. Where the file system has no unnamed files, it is
// written under that short name from the start.
struct ReplacementFile::System
{
    std::string name;
    std::string target;
    std::string aside; // named, until it takes the target's place
    int file = -1;
    int error = 0;
    bool inFolder = false; // the folder refused the new file

    bool Failed(bool folder = false)
    {
        error = errno;
        inFolder = folder;
        return false;
    }

    // Gives the file a name beside the target that no other file has yet:
    // the unnamed file when there is one, or a new file.
    bool NameAside()
    {
        const bool unnamed = file >= 0;
        const std::string openFile = "/proc/self/fd/" + std::to_string(file);
        const auto take = [&] {
            if (unnamed)
                return linkat(AT_FDCWD, openFile.c_str(), AT_FDCWD, aside.c_str(), AT_SYMLINK_FOLLOW) == 0;
            file = open(aside.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            return file >= 0;
        };
        for (int attempt = 0; attempt < 100; ++attempt) {
            aside = FolderOf(target) + "/.qxm-" + std::to_string(getpid()) + "-" + std::to_string(attempt);
            if (take())
                return true;
            if (errno != EEXIST)
                break;
        }
        aside.clear();
        return Failed(true);
    }

    // The old file's owner and group where the process may set them (root
    // may; others may set a group they are in), its attributes and its
    // permission bits, setuid and sticky included, last, since a change of
    // owner clears them.
    bool TakeOverOldFile()
    {
        struct stat old = {};
        if (stat(target.c_str(), &old) != 0)
            return errno == ENOENT || Failed();
        static_cast<void>(fchown(file, old.st_uid, old.st_gid) == 0
                          || fchown(file, static_cast<uid_t>(-1), old.st_gid) == 0);
        CopyAttributes(target.c_str(), file);
        return fchmod(file, old.st_mode & 07777) == 0 || Failed();
    }
};

ReplacementFile::ReplacementFile(const QString &name)
    : m_system(new System)
{
    m_system->name = QFile::encodeName(name).toStdString();
}

ReplacementFile::~ReplacementFile()
{
    if (m_system->file >= 0)
        close(m_system->file);
    if (!m_system->aside.empty())
        unlink(m_system->aside.c_str());
}

bool ReplacementFile::Open()
{
    System &system = *m_system;
    system.target = LinkTarget(system.name);
    if (system.target.empty())
        return system.Failed();
    // Refused as it would be written in place: root may replace a read-only
    // file, no one a file on a read-only mount.
    if (faccessat(AT_FDCWD, system.target.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT)
        return system.Failed();
    system.file = open(FolderOf(system.target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (system.file >= 0)
        return true;
    if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)
        return system.NameAside();
    return system.Failed(true);
}

bool ReplacementFile::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = write(m_system->file, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR)
            return m_system->Failed();
        bytes.remove_prefix(static_cast<std::size_t>(std::max<ssize_t>(written, 0)));
    }
    return true;
}

bool ReplacementFile::Commit()
{
    System &system = *m_system;
    if (!system.TakeOverOldFile())
        return false;
    if (fsync(system.file) != 0 && errno != EINVAL)
        return system.Failed();
    if (system.aside.empty() && !system.NameAside())
        return false;
    if (rename(system.aside.c_str(), system.target.c_str()) != 0)
        return system.Failed();
    system.aside.clear();
    const int file = system.file;
    system.file = -1;
    return close(file) == 0 || system.Failed();
}

QString ReplacementFile::ErrorString() const
{
    QString reason = SystemReason(m_system->error);
    if (!m_system->inFolder)
        return reason;
    return QStringLiteral("cannot create a file in its folder \"%1\": %2")
        .arg(QFile::decodeName(QByteArray::fromStdString(FolderOf(m_system->target))), reason);
}

} // namespace qxm
