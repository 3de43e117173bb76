// The file reader and the code page against any bytes a hand-edited or damaged
// file can hold: no crash, no undefined behaviour, and what is read is stable.
#include "Cp1252.h"
#include "DataFile.h"
#include "FileRows.h"
#include "Reminder.h"
#include "RowList.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));

    // Every byte has a character and goes back to itself.
    const QString text = Cp1252::decode(bytes);
    require(text.size() == bytes.size(), "decode keeps one character per byte");
    require(Cp1252::encode(text) == bytes, "encode(decode(x)) == x");

    const QStringList rows = FileRows::parse(bytes);
    for (const QString& row : rows) {
        require(row.count(Reminder::kFieldSep) == 4, "a row holds exactly five fields");
        require(Reminder::fromRow(row).toRow() == row, "a row splits into its fields and back");
    }
    // Writing what was read and reading it again gives the same list, whichever
    // way the last row ends.
    require(FileRows::parse(DataFile::serialize(rows)) == rows, "saved form reads back");
    require(FileRows::parse(DataFile::serialize(rows, true)) == rows, "appended form reads back");

    // The store keeps rows as the bytes a save writes: it reads as parse does and
    // writes, hand-edited lines cleaned, what serialize writes.
    const RowList list = RowList::fromFile(bytes.toByteArray());
    require(list.count() == rows.size(), "the store holds every row");
    for (int k = 0; k < list.count(); ++k)
        require(list.at(k) == rows.at(k), "the store reads each row as parse does");
    require(list.saved().file() == DataFile::serialize(rows), "a save writes what serialize does");
    if (!rows.isEmpty()) {
        QStringList fewer = rows;
        fewer.removeAt(rows.size() / 2);
        require(list.without(int(rows.size() / 2)).file() == DataFile::serialize(fewer),
                "a delete writes what serialize does");
    }
    // Read beside a list read or written before, whose rows at its start and end it
    // may take, a file reads as it does alone.
    const QByteArray half = bytes.first(bytes.size() / 2).toByteArray();
    std::vector<RowList> likes = {RowList::fromFile(half),
                                  RowList::fromFile(bytes.sliced(half.size()).toByteArray()), list};
    if (!rows.isEmpty())
        likes.push_back(list.without(0));
    for (const RowList& like : likes) {
        const RowList beside = RowList::fromFile(bytes.toByteArray(), like);
        require(beside.count() == list.count(), "read beside another list: every row");
        for (int k = 0; k < list.count(); ++k)
            require(beside.line(k) == list.line(k), "read beside another list: each row");
    }
    // Typed fields may hold anything; what a reload of the write gives is the list.
    const QString field = text.left(60);
    const QString typed = Reminder{field, field, field, field, field}.toRow();
    for (const RowList& written : {list.appended(typed), list.with(0, typed)}) {
        const QStringList reread = FileRows::parse(written.file());
        require(reread.size() == written.count(), "a write keeps every row");
        for (int k = 0; k < written.count(); ++k)
            require(written.at(k) == reread.at(k), "the list after a write is the reloaded one");
    }
    require(FileRows::parse(list.appended(typed).file()) ==
                FileRows::parse(DataFile::serialize(rows + QStringList{typed}, true)),
            "an append reads back as before");
    return 0;
}
