#include "ConflictName.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

namespace {

// The date and time a tag carries must be real ones: a name that only looks
// like a conflict copy is someone's own file.
bool realMoment(QStringView date, QStringView time)
{
    return QDate::fromString(date.toString(), QStringLiteral("yyyyMMdd")).isValid() &&
           QTime::fromString(time.toString(), QStringLiteral("HHmmss")).isValid();
}

bool allTagsReal(const QRegularExpression& tag, const QString& tags)
{
    qsizetype at = 0;
    while (at < tags.size()) {
        const QRegularExpressionMatch m =
            tag.match(tags, at, QRegularExpression::NormalMatch,
                          QRegularExpression::AnchorAtOffsetMatchOption);
        if (!m.hasMatch())
            return false;
        // Either form's pair of captures is set, the other's empty.
        QString date = m.captured(1) + m.captured(3);
        date.remove(u'-');
        if (!realMoment(date, m.captured(2) + m.captured(4)))
            return false;
        at = m.capturedEnd();
    }
    return at > 0;
}

} // namespace

namespace ConflictName {

bool isConflictCopy(QStringView fileName)
{
    if (!fileName.startsWith(u"lembretes") || !fileName.endsWith(u".dat"))
        return false;
    const QString tags = fileName.sliced(9, fileName.size() - 9 - 4).toString();

    static const QRegularExpression syncthing(
        QStringLiteral("^\\.sync-conflict-(\\d{8})-(\\d{6})-[A-Z2-7]{7}$"));
    if (const auto m = syncthing.match(tags); m.hasMatch())
        return realMoment(m.capturedView(1), m.capturedView(2));

    static const QRegularExpression dropbox(
        QStringLiteral("^ \\([^()/]+'s conflicted copy (\\d{4})-(\\d{2})-(\\d{2})( [1-9]\\d*)?\\)$"));
    if (const auto m = dropbox.match(tags); m.hasMatch())
        return realMoment(m.captured(1) + m.captured(2) + m.captured(3), u"000000");

    // Nextcloud and ownCloud tag a copy of a copy once more.
    static const QRegularExpression cloud(QStringLiteral(
        "(?: \\(conflicted copy (?:[^()/]+ )?(\\d{4}-\\d{2}-\\d{2}) (\\d{6})\\)"
        "|_conflict-(\\d{8})-(\\d{6}))"));
    return allTagsReal(cloud, tags);
}

} // namespace ConflictName
