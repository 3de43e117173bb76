#pragma once

#include "DueRule.h"
#include "RowList.h"
#include "WrittenRow.h"

#include <QByteArrayView>
#include <QDate>

#include <array>
#include <vector>

// The steps of ReminderMerge::merge, each in a file of its own.
namespace ReminderMerge {

// Row k of one of the lists merged.
struct ListRow {
    const RowList* list;
    int k;
    QByteArrayView line() const { return list->line(k); }
};

// Which rows of two lists are one reminder: for each row of a its row in b,
// and the reverse; -1 for none.
struct Pairing {
    std::vector<int> bOfA;
    std::vector<int> aOfB;
    // Lists of one length whose rows pair with the rows at their place, as most
    // reloads find ours: said so, without a vector the length of the list.
    bool rowForRow = false;

    int ofA(std::size_t i) const { return rowForRow ? int(i) : bOfA[i]; }
    int ofB(std::size_t j) const { return rowForRow ? int(j) : aOfB[j]; }
};

// Against the base, a row sharing a stamp may be a correction, so the rest pair
// in order once equal texts have paired. Between rows the base lacks, nothing
// tells a correction from a reminder written in the same second elsewhere, and
// a wrong guess loses one: only equal texts pair.
enum class Match { TextThenOrder, TextOnly };

// Rows two lists are known to share byte for byte, paired without reading them:
// the first `start` of each, and the last `end` of a and of b without b's last
// `addedLast` (reminders added after that end).
struct Shared {
    int start = 0;
    int end = 0;
    int addedLast = 0;
};

// Same stamp and equal title and description first; then, by TextThenOrder,
// the rest of a stamp in their order.
Pairing pair(const RowList& a, const RowList& b, Match match, Shared shared = {});
Pairing pair(const std::vector<ListRow>& a, const std::vector<ListRow>& b, Match match);

// The merged list, row by row: the rows kept in their order, each addition
// before the first kept row whose stamp is later, those whose stamp cannot be
// read last. Taken in stamp order, each addition's place depends on the kept
// rows alone, and comes no earlier than the one before.
class Placing {
public:
    // Rows of home, the list whose file the result lies in, stay in its bytes.
    Placing(const std::vector<ListRow>& added, const QDate& today, const RowList& home,
            std::size_t kept);
    // Called for most rows of a list: the usual row costs a compare or two,
    // and inline, no call (a reload's merge runs a tenth faster).
    Q_ALWAYS_INLINE void keep(const RowList& list, int k)
    {
        if (next_ < readable_.size() && !surelyNotLater(list.line(k)))
            addBefore(list.line(k));
        out_.add(list, k);
    }
    // A row made by the merge.
    void keep(QByteArrayView line);
    RowList take();

private:
    struct Addition {
        qint64 key;
        QByteArrayView stamp;
        ListRow row;
    };
    void addBefore(QByteArrayView kept);
    void add(const ListRow& row) { out_.add(*row.list, row.k); }
    // Most kept rows come before the next addition, and most tell so by their
    // year alone (earlier, or the same with bytes no later), unread: that
    // spares a reload reading every stamp of the list in full.
    bool surelyNotLater(QByteArrayView kept) const
    {
        const int yy = kept.size() < DataFile::kStampSize ? -1 : DataFile::twoDigits(kept.data());
        if (yy < 0)
            return true;
        const int year = years_[std::size_t(yy)];
        if (year == 0 || year > nextYear_)
            return false;
        return year < nextYear_ || WrittenRow::stampOrder(kept.first(DataFile::kStampSize),
                                                          readable_[next_].stamp) <= 0;
    }

    const DueRule::Window window_;
    // The year of each two-digit year, 0 for the one whose century hangs on the
    // month and day.
    std::array<int, 100> years_{};
    RowList::Builder out_;
    std::vector<Addition> readable_;
    std::vector<ListRow> unreadable_;
    std::size_t next_ = 0;
    int nextYear_ = 0;
};

// The stamp as a number that orders by date and time, -1 when it is no stamp.
qint64 keyOf(QByteArrayView stamp, const DueRule::Window& window);

} // namespace ReminderMerge
