#include "SampleList.h"

#include "DataFile.h"
#include "Reminder.h"

#include <QDateTime>

#include <map>
#include <random>

namespace SampleList {

// Titles of 5 to 45 characters, descriptions of up to 130 with the odd accent,
// quote and line break; about 4 MB for the largest list. The same seed gives the
// same file every run.
QStringList rows(int n)
{
    static const QString kWords[] = {
        QStringLiteral("comprar"), QStringLiteral("reunião"),  QStringLiteral("pão"),
        QStringLiteral("médico"),  QStringLiteral("\"urgente\""), QStringLiteral("ligar"),
        QStringLiteral("conta"),   QStringLiteral("às"),       QStringLiteral("amanhã"),
        QStringLiteral("e"),       QStringLiteral("café"),     QStringLiteral("\u00A5"),
    };
    std::mt19937 random(12345);
    auto text = [&](int minLength, int maxLength) {
        const int length = std::uniform_int_distribution<int>(minLength, maxLength)(random);
        QString out;
        while (out.size() < length) {
            if (!out.isEmpty())
                out += u' ';
            out += kWords[random() % std::size(kWords)];
        }
        out.truncate(length);
        return out;
    };
    QStringList rows;
    rows.reserve(n);
    QDateTime posted(QDate(2020, 1, 1), QTime(8, 0, 0));
    for (int i = 0; i < n; ++i) {
        posted = posted.addSecs(3600 + random() % 7200);
        const QString due = random() % 3 ? Reminder::kNoDue : QStringLiteral("20/03/26");
        const QString status = random() % 4 ? Reminder::kOpen : Reminder::kDone;
        rows << Reminder{Reminder::stamp(posted), due, status, text(5, 45), text(0, 130)}.toRow();
    }
    return rows;
}

QByteArray file(int n)
{
    static std::map<int, QByteArray> made;
    QByteArray& bytes = made[n];
    if (bytes.isEmpty())
        bytes = DataFile::serialize(rows(n));
    return bytes;
}

} // namespace SampleList
