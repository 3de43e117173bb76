#pragma once

#include "DueRule.h"
#include "RowList.h"

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
    // Called for most rows of a list: the usual row costs a compare or two.
    void keep(const RowList& list, int k)
    {
        if (next_ < readable_.size())
            addBefore(list.line(k));
        out_.add(list, k);
    }
    // A row made by the merge.
    void keep(QByteArrayView line);
    RowList take();

private:
    struct Addition {
        qint64 key;
        ListRow row;
    };
    void addBefore(QByteArrayView kept);
    void add(const ListRow& row) { out_.add(*row.list, row.k); }
    bool surelyNotLater(QByteArrayView kept) const;

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
