#include "SafeFile.h"

#include "DiskSync.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

SafeFile::Identity identityOf(const struct stat& st)
{
    SafeFile::Identity id;
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
bool sameFile(const SafeFile::Identity& a, const SafeFile::Identity& b)
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

int createTemp(const QString& target, mode_t mode, QByteArray& tempPath)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = QFile::encodeName(SafeFile::tempName(target));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            tempPath = name;
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
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

} // namespace

namespace SafeFile {

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
    Replaced out;
    const QString target = followLinks(path);
    const QByteArray targetName = QFile::encodeName(target);
    const QFileInfo info(target);
    if (info.isDir() || (info.exists() && !info.isWritable()))
        return out;
    struct stat old {};
    const bool existed = ::stat(targetName.constData(), &old) == 0;
    QByteArray temp;
    const int fd = createTemp(target, existed ? (old.st_mode & 07777) : 0666, temp);
    if (fd < 0)
        return out;
    // The creation mode passed the umask; the file it replaces did not.
    if ((existed && ::fchmod(fd, old.st_mode & 07777) != 0) || !writeAll(fd, bytes) ||
        !DiskSync::flushFile(fd)) {
        ::close(fd);
        ::unlink(temp.constData());
        return out;
    }
    auto finish = [&](Replaced::Result result) {
        struct stat st {};
        if (::fstat(fd, &st) == 0)
            out.written = identityOf(st);
        ::close(fd);
        DiskSync::syncFolder(QFileInfo(target).absolutePath());
        out.result = result;
        return out;
    };
    auto fail = [&] {
        ::close(fd);
        ::unlink(temp.constData());
        return out;
    };

    int error = 0;
    if (expected.exists) {
        // The swap leaves what was in place under the temporary name, so the
        // moment between the caller's check and this one can be looked at.
        if (::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, targetName.constData(),
                        RENAME_EXCHANGE) == 0) {
            struct stat st {};
            const bool seen = ::lstat(temp.constData(), &st) == 0;
            const Identity was = seen ? identityOf(st) : Identity();
            Replaced::Result result = Replaced::Done;
            if (!sameFile(was, expected)) {
                // Something that is no file, or cannot be read, goes back in place.
                if (!was.regular || !readAll(temp, out.other)) {
                    ::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, targetName.constData(),
                                RENAME_EXCHANGE);
                    out.other.clear();
                    return fail();
                }
                result = Replaced::Displaced;
            }
            ::unlink(temp.constData());
            return finish(result);
        }
        error = errno;
        if (error != ENOENT && !refused(error))
            return fail();
    }
    // Gone since the check, or never there: a file that appears meanwhile is not
    // overwritten unseen.
    if (!expected.exists || error == ENOENT) {
        if (::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, targetName.constData(),
                        RENAME_NOREPLACE) == 0)
            return finish(Replaced::Done);
        if (errno == EEXIST) {
            fail();
            out.result = Replaced::Appeared;
            return out;
        }
        if (!refused(errno))
            return fail();
    }
    // File systems that cannot swap: the old moment stays unwatched.
    if (::rename(temp.constData(), targetName.constData()) != 0)
        return fail();
    return finish(Replaced::Done);
}

} // namespace SafeFile
