// The file reader and the code page against any bytes a hand-edited or damaged
// file can hold: no crash, no undefined behaviour, and what is read is stable.
#include "Cp1252.h"
#include "DataFile.h"
#include "Reminder.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));

    // Every byte has a character and goes back to itself.
    const QString text = Cp1252::decode(bytes);
    require(text.size() == bytes.size(), "decode keeps one character per byte");
    require(Cp1252::encode(text) == bytes, "encode(decode(x)) == x");

    const QStringList rows = DataFile::parse(bytes);
    for (const QString& row : rows) {
        require(row.count(Reminder::kFieldSep) == 4, "a row holds exactly five fields");
        require(Reminder::fromRow(row).toRow() == row, "a row splits into its fields and back");
    }
    // Writing what was read and reading it again gives the same list, whichever
    // way the last row ends.
    require(DataFile::parse(DataFile::serialize(rows)) == rows, "saved form reads back");
    require(DataFile::parse(DataFile::serialize(rows, true)) == rows, "appended form reads back");
    return 0;
}
