#include "FileSwap.h"

#include "SafeFile.h"

#include "DiskFlush.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <windows.h>

#include <string>

namespace {

std::wstring native(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// File times count 100 ns steps.
qint64 nanoseconds(qint64 ticks)
{
    return ticks * 100;
}

qint64 nanoseconds(const FILETIME& t)
{
    return nanoseconds(qint64(t.dwHighDateTime) << 32 | t.dwLowDateTime);
}

// The file a swap took out is the one expected when nothing wrote it since.
bool sameFile(const FileSwap::Identity& a, const FileSwap::Identity& b)
{
    return a.regular && b.regular && a.device == b.device && a.inode == b.inode &&
           a.size == b.size && a.modified == b.modified;
}

bool readAll(const QString& path, QByteArray& out)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    out = file.readAll();
    return file.error() == QFileDevice::NoError;
}

// File systems that cannot swap say so with one of these.
bool refused(DWORD error)
{
    return error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION ||
           error == ERROR_INVALID_PARAMETER;
}

bool gone(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

constexpr DWORD kReplaceFlags = REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS;

// A new file beside path holding bytes, flushed to disk and closed; empty when
// none could be made.
QString writtenTemp(const QString& path, const QByteArray& bytes)
{
    QFile file;
    for (int attempt = 0; attempt < 100 && !file.isOpen(); ++attempt) {
        file.setFileName(SafeFile::tempName(path));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !file.exists())
            return {};
    }
    if (!file.isOpen())
        return {};
    const bool whole =
        file.write(bytes) == bytes.size() && file.flush() && DiskFlush::flushFile(file.handle());
    file.close();
    if (!whole || file.error() != QFileDevice::NoError) {
        QFile::remove(file.fileName());
        return {};
    }
    return file.fileName();
}

// After ReplaceFile the file taken out is the backup: compared with the one
// expected, and removed.
FileSwap::Replaced replacedOut(const QString& backup, const std::wstring& target,
                               const FileSwap::Identity& expected)
{
    const FileSwap::Identity was = FileSwap::identify(backup);
    FileSwap::Replaced out{FileSwap::Replaced::Done, {}, {}};
    if (!sameFile(was, expected)) {
        // Something that is no file, or cannot be read, goes back in place.
        if (!was.regular || !readAll(backup, out.other)) {
            ::ReplaceFileW(target.c_str(), native(backup).c_str(), nullptr, kReplaceFlags, nullptr,
                           nullptr);
            return {};
        }
        out.result = FileSwap::Replaced::Displaced;
    }
    QFile::remove(backup);
    return out;
}

// Puts the temporary file in place of the one at path. The replaced file stays
// as the backup, so the moment between the caller's check and this one can be
// looked at.
FileSwap::Replaced putInPlace(const QString& temp, const QString& path,
                              const FileSwap::Identity& expected)
{
    using FileSwap::Replaced;
    const std::wstring target = native(path);
    const std::wstring replacement = native(temp);
    DWORD error = 0;
    if (expected.exists) {
        const QString backup = SafeFile::tempName(path);
        const std::wstring backupName = native(backup);
        if (::ReplaceFileW(target.c_str(), replacement.c_str(), backupName.c_str(), kReplaceFlags,
                           nullptr, nullptr))
            return replacedOut(backup, target, expected);
        error = ::GetLastError();
        // The old file went to the backup and the new one could not follow it.
        if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
            ::MoveFileExW(backupName.c_str(), target.c_str(), 0);
            return {};
        }
        if (!gone(error) && !refused(error))
            return {};
    }
    // Gone since the check, or never there: a file that appears meanwhile is not
    // overwritten unseen.
    if (!expected.exists || gone(error)) {
        if (::MoveFileExW(replacement.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
            return {Replaced::Done, {}, {}};
        error = ::GetLastError();
        if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
            return {Replaced::Appeared, {}, {}};
        if (!refused(error))
            return {};
    }
    // File systems that cannot swap: the old moment stays unwatched.
    if (!::MoveFileExW(replacement.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return {Replaced::Done, {}, {}};
}

} // namespace

namespace FileSwap {

Identity identify(const QString& path)
{
    const std::wstring name = native(path);
    Identity id;
    // Opened for its metadata alone, which no other program's sharing mode refuses.
    const HANDLE h =
        ::CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data))
            return id;
        id.exists = true;
        id.size = qint64(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
        id.modified = nanoseconds(data.ftLastWriteTime);
        return id;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO basic{};
    id.exists = true;
    if (::GetFileInformationByHandle(h, &info)) {
        id.regular = !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                     ::GetFileType(h) == FILE_TYPE_DISK;
        id.size = qint64(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
        id.modified = nanoseconds(info.ftLastWriteTime);
        id.device = info.dwVolumeSerialNumber;
        id.inode = quint64(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
    }
    if (::GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic))
        id.changed = nanoseconds(basic.ChangeTime.QuadPart);
    ::CloseHandle(h);
    return id;
}

Replaced replace(const QString& path, const QByteArray& bytes, const Identity& expected)
{
    const QFileInfo info(path);
    if (info.isDir() || (info.exists() && !info.isWritable()))
        return {};
    const QString temp = writtenTemp(path, bytes);
    if (temp.isEmpty())
        return {};
    Replaced out = putInPlace(temp, path, expected);
    if (out.result == Replaced::Failed || out.result == Replaced::Appeared)
        QFile::remove(temp);
    else
        out.written = identify(path);
    return out;
}

} // namespace FileSwap
