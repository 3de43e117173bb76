#include "Cp1252.h"
#include "Clock.h"
#include "ReminderStore.h"
#include "QtPrinters.h"
#include "TempFolder.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

#include <array>

namespace {

// Byte to code point, read from the table made with another codec.
std::array<char16_t, 256> referenceTable()
{
    std::array<char16_t, 256> table{};
    std::array<bool, 256> seen{};
    QFile file(QStringLiteral(QR_TEST_DATA "/cp1252.txt"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> parts = line.split(' ');
        bool okByte = false, okCode = false;
        const int byte = parts.value(0).toInt(&okByte, 16);
        const int code = parts.value(1).toInt(&okCode, 16);
        EXPECT_TRUE(okByte && okCode && byte >= 0 && byte < 256) << line.constData();
        table[byte] = char16_t(code);
        seen[byte] = true;
    }
    for (int b = 0; b < 256; ++b)
        EXPECT_TRUE(seen[b]) << "no entry for byte " << b;
    return table;
}

QByteArray allBytes()
{
    QByteArray bytes(256, Qt::Uninitialized);
    for (int b = 0; b < 256; ++b)
        bytes[b] = char(b);
    return bytes;
}

} // namespace

TEST(Cp1252, decodesEveryByteAsTheReference)
{
    const auto table = referenceTable();
    const QString text = Cp1252::decode(allBytes());
    ASSERT_EQ(text.size(), 256);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(text.at(b).unicode(), table[b]) << "byte " << b;
}

TEST(Cp1252, encodesEveryReferenceCharacterToItsByte)
{
    const auto table = referenceTable();
    QString text;
    for (char16_t u : table)
        text += QChar(u);
    EXPECT_EQ(Cp1252::encode(text), allBytes());
}

TEST(Cp1252, encodesNothingOutsideTheReference)
{
    const auto table = referenceTable();
    const QSet<char16_t> known(table.begin(), table.end());
    int refused = 0;
    for (int u = 0; u <= 0xFFFF; ++u) {
        char byte = 0;
        const bool ok = Cp1252::fromUnicode(QChar(char16_t(u)), byte);
        ASSERT_EQ(ok, known.contains(char16_t(u))) << "U+" << std::hex << u;
        ASSERT_EQ(Cp1252::canEncode(QChar(char16_t(u))), ok);
        if (!ok) {
            ++refused;
            ASSERT_EQ(Cp1252::encode(QString(QChar(char16_t(u)))), QByteArray("?"));
        }
    }
    EXPECT_EQ(refused, 0x10000 - 256);
}

// A hand-edited file holding every byte value comes back byte for byte from a
// load and a save. The structural bytes keep their roles: four "§" make the five
// fields, CR and LF never stand side by side, and the quote and TAB, which a
// load rewrites, are left out here and tested on their own.
TEST(Cp1252, fileWithEveryByteRoundTripsThroughLoadAndSave)
{
    QByteArray payload;
    payload += '\n';
    for (int b = 0; b < 256; ++b) {
        if (b == '"' || b == '\t' || b == '\r' || b == '\n' || b == 0xA7)
            continue;
        payload += char(b);
    }
    payload += '\r';
    const int quarter = int(payload.size() / 4);
    QByteArray line;
    for (int f = 0; f < 4; ++f)
        line += payload.mid(f * quarter, quarter) + '\xA7';
    line += payload.mid(4 * quarter);
    // The first line also holds the opening quote; the others are read without one.
    const QByteArray file = '"' + line + "\r\n" + line + "\r\n" + line + "\r\n\"\r\n";
    ASSERT_EQ(payload.size(), 256 - 5 + 2);

    TempFolder folder;
    folder.write(QStringLiteral("lembretes.dat"), file);
    FixedClock clock(QDateTime::currentDateTime());
    ReminderStore store(folder.path(), clock);
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    ASSERT_EQ(store.count(), 3);
    ASSERT_EQ(store.saveAll(), StoreStatus::Ok);
    EXPECT_EQ(folder.read(QStringLiteral("lembretes.dat")), file);
    ReminderStore reloaded(folder.path(), clock);
    ASSERT_EQ(reloaded.load(), StoreStatus::Ok);
    ASSERT_EQ(reloaded.count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(reloaded.rowAt(i), store.rowAt(i));
}

TEST(Cp1252, quoteAndTabBytesAreTheOnlyOnesALoadRewrites)
{
    TempFolder folder;
    folder.write(QStringLiteral("lembretes.dat"), "\"a\"b\xA7" "c\td\xA7\xA7\xA7\r\n\"\r\n");
    FixedClock clock(QDateTime::currentDateTime());
    ReminderStore store(folder.path(), clock);
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    ASSERT_EQ(store.saveAll(), StoreStatus::Ok);
    EXPECT_EQ(folder.read(QStringLiteral("lembretes.dat")),
              QByteArray("\"ab\xA7" "c d\xA7\xA7\xA7\r\n\"\r\n"));
}
