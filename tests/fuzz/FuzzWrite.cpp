// The store's guard on what it writes, against reminders with any UTF-16 in
// their fields: one the store takes reads back field for field, in whatever
// form the list then writes it; what the guard keeps of a field it takes.
#include "DataFile.h"
#include "FileRows.h"
#include "Reminder.h"
#include "RowList.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// Every byte is the Latin-1 character of its value, so the reader's corpus of
// files makes fields full of separators and marks; 0xFE ends a field, and 0xFF
// brings the UTF-16 code unit of the next two bytes (surrogates, NUL, €, ...).
Reminder reminderOf(const std::uint8_t* data, std::size_t size)
{
    QStringList f(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFE) {
            f.append(QString());
        } else if (data[i] == 0xFF && i + 2 < size) {
            f.last() += QChar(char16_t(data[i + 1] | data[i + 2] << 8));
            i += 2;
        } else {
            f.last() += QChar(char16_t(data[i]));
        }
    }
    auto field = [&f](int i) { return i < f.size() ? f.at(i) : QString(); };
    return {field(0), field(1), field(2), field(3), field(4)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Reminder asked = reminderOf(data, size);
    const QString fields[] = {asked.posted, asked.due, asked.status, asked.title,
                              asked.description};
    bool all = true;
    for (int i = 0; i < DataFile::kFields; ++i) {
        const bool description = i == DataFile::kFields - 1;
        const QString kept = DataFile::carried(fields[i], description);
        require(DataFile::carries(kept, description), "what is kept of a field is carried");
        all = all && kept == fields[i];
    }
    require(asked.fitsLine() == all, "a reminder fits when each field is carried whole");
    if (!asked.fitsLine())
        return 0;

    Reminder held = asked;
    held.description = Reminder::markedLineBreaks(held.description);
    const RowList fresh = RowList::fromFile(DataFile::kFreshFile);
    const RowList appended = fresh.appended(asked.toRow());
    const RowList one = RowList::fromFile(appended.file());
    for (const RowList& written : {appended, appended.saved(), one.with(0, held.toRow())}) {
        const QStringList reread = FileRows::parse(written.file());
        require(reread.size() == 1, "one reminder is one line");
        require(Reminder::fromRow(reread.at(0)) == held, "a reminder taken reads back whole");
    }
    return 0;
}
