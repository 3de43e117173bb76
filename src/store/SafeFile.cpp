#include "SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

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
