#include "FileSwap.h"

#include "SafeFile.h"

#include "DiskFlush.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

FileSwap::Identity identityOf(const struct stat& st)
{
    FileSwap::Identity id;
    id.exists = true;
    id.regular = S_ISREG(st.st_mode);
    id.size = st.st_size;
    id.modified = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    id.changed = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    return id;
}

// The file a swap took out is the one expected when nothing wrote it since: the
// swap itself moves its change time.
bool sameFile(const FileSwap::Identity& a, const FileSwap::Identity& b)
{
    return a.regular && b.regular && a.device == b.device && a.inode == b.inode &&
           a.size == b.size && a.modified == b.modified;
}

// A link is written through to its target, as QSaveFile does.
QString followLinks(const QString& path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 64 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

// A new file beside the target, open for writing; fd < 0 when none was made.
struct Temp {
    int fd = -1;
    QByteArray path;
};

Temp createTemp(const QString& target, mode_t mode)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = QFile::encodeName(SafeFile::tempName(target));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0)
            return {fd, name};
        if (errno != EEXIST)
            return {};
    }
    return {};
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

bool readAll(const QByteArray& path, QByteArray& out)
{
    QFile file(QFile::decodeName(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    out = file.readAll();
    return file.error() == QFileDevice::NoError;
}

bool refused(int error)
{
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// The temporary file holding bytes, with the mode of the file it replaces,
// synced and left open.
Temp writtenTemp(const QString& target, const QByteArray& bytes)
{
    struct stat old {};
    const bool existed = ::stat(QFile::encodeName(target).constData(), &old) == 0;
    Temp temp = createTemp(target, existed ? (old.st_mode & 07777) : 0666);
    if (temp.fd < 0)
        return temp;
    // The creation mode passed the umask; the file it replaces did not.
    if ((existed && ::fchmod(temp.fd, old.st_mode & 07777) != 0) || !writeAll(temp.fd, bytes) ||
        !DiskFlush::flushFile(temp.fd)) {
        ::close(temp.fd);
        ::unlink(temp.path.constData());
        return {};
    }
    return temp;
}

// After a swap the file taken out lies under the temporary name: compared with
// the one expected, and removed.
FileSwap::Replaced swappedOut(const QByteArray& temp, const QByteArray& target,
                              const FileSwap::Identity& expected)
{
    struct stat st {};
    const FileSwap::Identity was =
        ::lstat(temp.constData(), &st) == 0 ? identityOf(st) : FileSwap::Identity();
    FileSwap::Replaced out{FileSwap::Replaced::Done, {}, {}};
    if (!sameFile(was, expected)) {
        // Something that is no file, or cannot be read, goes back in place.
        if (!was.regular || !readAll(temp, out.other)) {
            ::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE);
            return {};
        }
        out.result = FileSwap::Replaced::Displaced;
    }
    ::unlink(temp.constData());
    return out;
}

// Puts the temporary file in place of the target. The swap leaves what was in
// place under the temporary name, so the moment between the caller's check and
// this one can be looked at.
FileSwap::Replaced putInPlace(const QByteArray& temp, const QByteArray& target,
                              const FileSwap::Identity& expected)
{
    using FileSwap::Replaced;
    int error = 0;
    if (expected.exists) {
        if (::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(),
                        RENAME_EXCHANGE) == 0)
            return swappedOut(temp, target, expected);
        error = errno;
        if (error != ENOENT && !refused(error))
            return {};
    }
    // Gone since the check, or never there: a file that appears meanwhile is not
    // overwritten unseen.
    if (!expected.exists || error == ENOENT) {
        if (::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(),
                        RENAME_NOREPLACE) == 0)
            return {Replaced::Done, {}, {}};
        if (errno == EEXIST)
            return {Replaced::Appeared, {}, {}};
        if (!refused(errno))
            return {};
    }
    // File systems that cannot swap: the old moment stays unwatched.
    if (::rename(temp.constData(), target.constData()) != 0)
        return {};
    return {Replaced::Done, {}, {}};
}

} // namespace

namespace FileSwap {

Identity identify(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) == 0)
        return identityOf(st);
    // A link to nothing is there all the same, and nothing to write through.
    Identity id;
    id.exists = ::lstat(name.constData(), &st) == 0;
    return id;
}

Replaced replace(const QString& path, const QByteArray& bytes, const Identity& expected)
{
    const QString target = followLinks(path);
    const QFileInfo info(target);
    if (info.isDir() || (info.exists() && !info.isWritable()))
        return {};
    const Temp temp = writtenTemp(target, bytes);
    if (temp.fd < 0)
        return {};
    Replaced out = putInPlace(temp.path, QFile::encodeName(target), expected);
    if (out.result == Replaced::Failed || out.result == Replaced::Appeared) {
        ::close(temp.fd);
        ::unlink(temp.path.constData());
        return out;
    }
    struct stat st {};
    if (::fstat(temp.fd, &st) == 0)
        out.written = identityOf(st);
    ::close(temp.fd);
    DiskFlush::syncFolder(QFileInfo(target).absolutePath());
    return out;
}

} // namespace FileSwap
