#include "SafeFile.h"

#include "DiskFlush.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <algorithm>

namespace {

// The save's temporary files, like QSaveFile's: the name, a dot, six letters.
constexpr int kTempLetters = 6;

bool isTempLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

} // namespace

namespace SafeFile {

bool write(const QString& path, const QByteArray& bytes)
{
    // A folder at the path would otherwise be replaced by a file.
    if (QFileInfo(path).isDir())
        return false;

    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Qt 6.4 can report a short write or a failed final flush and still commit, and
    // it ignores a failed sync: check every step before letting the rename happen.
    // A cancelled QSaveFile removes its temporary file when it goes.
    if (file.write(bytes) != bytes.size() || !file.flush() ||
        !DiskFlush::flushFile(file.handle())) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    DiskFlush::syncFolder(QFileInfo(path).absolutePath());
    return true;
}

QString tempName(const QString& path)
{
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    QString name = path + u'.';
    for (int i = 0; i < kTempLetters; ++i)
        name += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(52)]);
    return name;
}

int removeLeftovers(const QString& path)
{
    const QFileInfo data(path);
    const QString prefix = data.fileName() + u'.';
    QDir folder = data.absoluteDir();
    int removed = 0;
    const QStringList names =
        folder.entryList({prefix + QString(kTempLetters, u'?')}, QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        const QStringView tail = QStringView(name).sliced(prefix.size());
        if (tail.size() != kTempLetters || !std::all_of(tail.begin(), tail.end(), isTempLetter))
            continue;
        // Only regular files: a link by that name may point anywhere.
        if (!QFileInfo(folder.filePath(name)).isSymLink() && folder.remove(name))
            ++removed;
    }
    return removed;
}

} // namespace SafeFile
