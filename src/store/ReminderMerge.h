#pragma once

#include "Reminder.h"
#include "RowList.h"

#include <QByteArrayView>
#include <QDate>

// The three-way merge of two lists that grew apart from one base, reminder by
// reminder and field by field. A reminder is known by its posting stamp: a row
// of the base pairs with a side's row of its stamp, by equal title and
// description first, then in order, so a correction is told from a new
// reminder. Rows the base lacks (both sides' additions, and the union) pair only
// when stamp, title and description are all equal: two computers may post in
// the same second, and of two rows kept where one was meant, one can be
// deleted, while a row taken for another is lost.
//
// - A field changed on one side takes that side's value; changed on both, ours.
// - Deleted on one side and unchanged on the other, it goes; changed on the
//   other, it stays with the change.
// - Added on either side, it goes before the first row whose stamp is later
//   (added on both, once). Additions whose stamp cannot be read go last, in
//   their order; the base's rows keep the base's order.
// - Without a base, the union: every row of ours as it is, and theirs' rows
//   that ours lacks added as above. A title corrected on one side alone thus
//   shows as two rows, the old and the new.
//
// The result depends on nothing but its inputs and today's date (which places
// two-digit years, as the due rule does), so two computers merging the same
// conflict write the same bytes.
namespace ReminderMerge {

// On the store's lists, without decoding rows; no base (null), the union. The
// result holds the merged rows, in memory: write it through RowList::saved().
RowList merge(const RowList* base, const RowList& ours, const RowList& theirs, const QDate& today);

// The row holding r: its stamp, and among rows sharing it the first with r's
// title and description, else the only one; -1 when no row has it, or several
// do and none has r's texts. Row hint is taken when it is r exactly.
int find(const RowList& rows, const Reminder& r, int hint = -1);

// Where a reminder with this stamp goes when it is added: before the first row
// whose stamp is later, or last.
int placeFor(const RowList& rows, QByteArrayView stamp, const QDate& today);

} // namespace ReminderMerge
