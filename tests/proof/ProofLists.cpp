#include "ProofLists.h"

#include "Reminder.h"

namespace {

qsizetype descriptionSize(qint64 k)
{
    static constexpr qsizetype kSizes[] = {8, 64 * 1024, 1024 * 1024};
    return kSizes[k % 3];
}

const QStringList& body()
{
    // Quotes, accents and the euro sign go through the file's escapes and code page.
    static const QStringList rows = [] {
        QStringList out;
        for (int i = 0; i < 12; ++i)
            out.append(Reminder{QStringLiteral("26.01.%1.08.30.00").arg(i + 10), Reminder::kNoDue,
                                i % 2 ? Reminder::kDone : Reminder::kOpen,
                                QStringLiteral("Linha \"%1\" ação").arg(i),
                                QStringLiteral("Preço € %1¥segunda linha").arg(i)}
                           .toRow());
        return out;
    }();
    return rows;
}

} // namespace

namespace ProofLists {

QString header(qint64 k)
{
    const QString filler(descriptionSize(k), QChar(u'a' + int(k % 26)));
    return Reminder{QStringLiteral("26.12.07.21.00.00"), Reminder::kNoDue, Reminder::kOpen,
                    QStringLiteral("lista %1").arg(k), filler}
        .toRow();
}

QStringList rows(qint64 k)
{
    return QStringList{header(k)} + body();
}

qint64 which(const QStringList& rows)
{
    if (rows.isEmpty())
        return -1;
    const QString title = Reminder::fromRow(rows.first()).title;
    if (!title.startsWith(QStringLiteral("lista ")))
        return -1;
    bool ok = false;
    const qint64 k = title.mid(6).toLongLong(&ok);
    return ok && k >= 0 && rows == ProofLists::rows(k) ? k : -1;
}

} // namespace ProofLists
