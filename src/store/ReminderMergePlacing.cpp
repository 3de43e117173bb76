#include "ReminderMergeSteps.h"

#include "WrittenRow.h"

#include <algorithm>

using DataFile::kStampSize;
using namespace WrittenRow;

namespace {

// A key is the stamp's date and time as the decimal number yyyymmddhhmmss.
constexpr qint64 kOneYear = 10'000'000'000;

} // namespace

namespace ReminderMerge {

qint64 keyOf(QByteArrayView stamp, const DueRule::Window& window)
{
    if (stamp.size() != kStampSize)
        return -1;
    int part[DataFile::kStampParts];
    for (int i = 0; i < DataFile::kStampParts; ++i) {
        const qsizetype at = DataFile::stampPartAt(i);
        if (i > 0 && stamp[at - 1] != DataFile::kStampDot)
            return -1;
        part[i] = DataFile::twoDigits(stamp.data() + at);
        if (part[i] < 0)
            return -1;
    }
    const auto [yy, month, day, hour, minute, second] = part;
    if (month < 1 || month > 12 || hour > 23 || minute > 59 || second > 59)
        return -1;
    const int year = window.yearOf(yy, month, day);
    if (!QDate::isValid(year, month, day))
        return -1;
    return year * kOneYear +
           ((((qint64(month) * 100 + day) * 100 + hour) * 100 + minute) * 100 + second);
}

Placing::Placing(const std::vector<ListRow>& added, const QDate& today, const RowList& home,
                 std::size_t kept)
    : window_(today), out_(home.file(), kept + added.size())
{
    for (int yy = 0; yy < 100; ++yy) {
        const int year = window_.yearOf(yy, 12, 31);
        years_[std::size_t(yy)] = window_.yearOf(yy, 1, 1) == year ? year : 0;
    }
    for (const ListRow& row : added) {
        const QByteArrayView stamp = stampOf(row.line());
        const qint64 key = keyOf(stamp, window_);
        if (key < 0)
            unreadable_.push_back(row);
        else
            readable_.push_back({key, stamp, row});
    }
    std::stable_sort(readable_.begin(), readable_.end(),
                     [](const Addition& x, const Addition& y) { return x.key < y.key; });
    if (!readable_.empty())
        nextYear_ = int(readable_.front().key / kOneYear);
}

void Placing::addBefore(QByteArrayView kept)
{
    while (next_ < readable_.size() && !surelyNotLater(kept) &&
           keyOf(stampOf(kept), window_) > readable_[next_].key) {
        add(readable_[next_].row);
        if (++next_ < readable_.size())
            nextYear_ = int(readable_[next_].key / kOneYear);
    }
}

void Placing::keep(QByteArrayView line)
{
    addBefore(line);
    out_.add(line);
}

RowList Placing::take()
{
    for (; next_ < readable_.size(); ++next_)
        add(readable_[next_].row);
    for (const ListRow& row : unreadable_)
        add(row);
    return out_.take();
}

} // namespace ReminderMerge
