#include "ReminderStore.h"
#include "DataFile.h"
#include "FileRows.h"
#include "QtPrinters.h"
#include "StoreProbe.h"
#include "TempFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <functional>
#include <random>
#include <thread>

#ifdef Q_OS_LINUX
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

namespace {

// Moves one second on at every reading, as a real clock may between two reads.
class TickingClock final : public Clock {
public:
    explicit TickingClock(QDateTime at) : at_(std::move(at)) {}
    QDateTime now() const override
    {
        const QDateTime at = at_;
        at_ = at_.addSecs(1);
        return at;
    }

private:
    mutable QDateTime at_;
};

class ReminderStoreTest : public ::testing::Test {
protected:
    QByteArray bytes() const { return folder.read(ReminderStore::kFileName); }
    void writeFile(const QByteArray& b) const { folder.write(ReminderStore::kFileName, b); }

    // A store freshly loaded from the folder, as at the next start.
    std::unique_ptr<ReminderStore> reopened() const
    {
        auto s = std::make_unique<ReminderStore>(folder.path(), clock);
        EXPECT_EQ(s->load(), StoreStatus::Ok);
        return s;
    }

    QStringList rows(const ReminderStore& s) const
    {
        QStringList out;
        for (int i = 0; i < s.count(); ++i)
            out << s.rowAt(i);
        return out;
    }

    // n reminders appended one a second apart, titled T0, T1, ...
    void appendMany(int n)
    {
        for (int i = 0; i < n; ++i) {
            clock.set(clock.now().addSecs(1));
            ASSERT_EQ(store.append({.due = Reminder::kNoDue,
                                    .title = QStringLiteral("T%1").arg(i),
                                    .description = QString()}),
                      StoreStatus::Ok);
        }
    }

    // Another program's write: rows in place of the file, in place (as an editor
    // saves) or as a new file renamed over it (as a sync tool does).
    void elsewhere(const QStringList& fileRows, bool inPlace = false) const
    {
        writeElsewhere(DataFile::serialize(fileRows), inPlace);
    }
    void writeElsewhere(const QByteArray& b, bool inPlace = false) const
    {
        if (inPlace) {
            writeFile(b);
            return;
        }
        folder.write(QStringLiteral("novo"), b);
        // std::rename may refuse to replace a file; this one replaces on every platform.
        std::error_code error;
        std::filesystem::rename(folder.file("novo").toStdU16String(),
                                folder.file(ReminderStore::kFileName).toStdU16String(), error);
        ASSERT_FALSE(error) << error.message();
    }
    // Rows of the list titled as given, read from the file as a restart would.
    QStringList titlesOnFile() const
    {
        QStringList out;
        for (const QString& row : FileRows::parse(bytes()))
            out << Reminder::fromRow(row).title + Reminder::fromRow(row).status.trimmed();
        return out;
    }
    QStringList titles(const ReminderStore& s) const
    {
        QStringList out;
        for (int i = 0; i < s.count(); ++i)
            out << s.reminderAt(i).title + s.reminderAt(i).status.trimmed();
        return out;
    }
    QString row(const QString& stamp, const QString& title,
                const QString& status = Reminder::kOpen) const
    {
        return Reminder{stamp, Reminder::kNoDue, status, title, QString()}.toRow();
    }
    // The list as appendMany(3) leaves it: T0, T1, T2.
    QStringList three() const
    {
        return {row("26.03.14.09.05.01", "T0"), row("26.03.14.09.05.02", "T1"),
                row("26.03.14.09.05.03", "T2")};
    }
    // s loads three() and concludes T0; then another program adds X.
    StoreStatus loadToggleAndAddElsewhere(ReminderStore& s)
    {
        elsewhere(three());
        const StoreStatus loaded = s.load();
        if (loaded == StoreStatus::Ok)
            s.setStatus(0, Reminder::kDone);
        elsewhere({three()[0], three()[1], three()[2], row("26.03.14.10.00.00", "X")});
        return loaded;
    }

    TempFolder folder;
    FixedClock clock{QDateTime(QDate(2026, 3, 14), QTime(9, 5, 0))};
    ReminderStore store{folder.path(), clock};
};

// A clock that runs a step of another program the first time it is read once
// armed: the store reads it while merging, after its look at the file and
// before it swaps the new file in.
class MomentClock final : public Clock {
public:
    QDateTime now() const override
    {
        if (auto step = std::exchange(step_, nullptr))
            step();
        return QDateTime(QDate(2026, 3, 14), QTime(10, 0, 0));
    }
    void arm(std::function<void()> step) { step_ = std::move(step); }

private:
    mutable std::function<void()> step_;
};

} // namespace

TEST_F(ReminderStoreTest, firstStartCreatesTheSixByteFile)
{
    ASSERT_FALSE(QFile::exists(folder.file(ReminderStore::kFileName)));
    EXPECT_EQ(store.load(), StoreStatus::Ok);
    EXPECT_EQ(store.count(), 0);
    EXPECT_EQ(bytes(), QByteArray("\"\r\n\"\r\n"));
    EXPECT_EQ(store.path(), QDir(folder.path()).filePath(ReminderStore::kFileName));
}

// At start-up whatever is there is the list, even a file cut short: the rows it
// holds show, where refusing it would show none.
TEST_F(ReminderStoreTest, startUpReadsAFileCutShortAsItIs)
{
    writeFile(DataFile::serialize(three()).chopped(3));
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    EXPECT_EQ(titles(store), (QStringList{"T0", "T1", "T2"}));
    EXPECT_EQ(store.append({.due = Reminder::kNoDue, .title = "N"}), StoreStatus::Ok);
    EXPECT_EQ(titlesOnFile(), (QStringList{"T0", "T1", "T2", "N"}));
}

TEST_F(ReminderStoreTest, savingOrDeletingDownToNothingLeavesTwoQuotes)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    EXPECT_EQ(store.saveAll(), StoreStatus::Ok);
    EXPECT_EQ(bytes(), QByteArray("\"\"\r\n"));

    appendMany(1);
    EXPECT_EQ(store.deleteAt(0), StoreStatus::Ok);
    EXPECT_EQ(store.count(), 0);
    EXPECT_EQ(bytes(), QByteArray("\"\"\r\n"));
}

TEST_F(ReminderStoreTest, appendToAnEmptyListWritesOneOpenLine)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    ASSERT_EQ(store.append({.due = QStringLiteral("20/03/26"),
                            .title = QStringLiteral("Comprar pão"),
                            .description = QStringLiteral("Leite e \"café\"\r\novos")}),
              StoreStatus::Ok);
    // The 65 bytes of the one-reminder example.
    EXPECT_EQ(bytes(), QByteArray::fromHex("2232362e30332e31342e30392e30352e3030a732302f30332f3236"
                                           "a72020a7436f6d707261722070e36fa74c65697465206520a463"
                                           "6166e9a4a56f766f73220d0a"));
    const Reminder r = store.reminderAt(0);
    EXPECT_EQ(r, (Reminder{QStringLiteral("26.03.14.09.05.00"), QStringLiteral("20/03/26"),
                           Reminder::kOpen, QStringLiteral("Comprar pão"),
                           QStringLiteral("Leite e \"café\"\u00A5ovos")}));
    EXPECT_EQ(rows(*reopened()), rows(store));
}

TEST_F(ReminderStoreTest, appendAfterSaveKeepsTheEarlierLineBreaks)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    appendMany(2);
    const QByteArray afterAppend = bytes();
    EXPECT_TRUE(afterAppend.endsWith("T1\xA7\"\r\n"));
    EXPECT_EQ(afterAppend.count("\r\n"), 2);
    ASSERT_EQ(store.saveAll(), StoreStatus::Ok);
    EXPECT_TRUE(bytes().endsWith("T1\xA7\r\n\"\r\n"));
    EXPECT_EQ(FileRows::parse(bytes()), FileRows::parse(afterAppend));
}

TEST_F(ReminderStoreTest, everyWriteLeavesTheListAsAReloadGivesIt)
{
    writeFile("\"\r\n  \r\na\xA7"
              "b\r\n1\xA7"
              "2\xA7"
              "3\xA7"
              "4\xA7"
              "5\xA7"
              "6\xA7\"");
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    ASSERT_EQ(store.count(), 2);
    EXPECT_EQ(store.reminderAt(0), (Reminder{"a", "b", "", "", ""}));
    EXPECT_EQ(store.reminderAt(1), (Reminder{"1", "2", "3", "4", "5"}));

    // Missing fields are written as empty ones, extra fields and blank lines vanish.
    ASSERT_EQ(store.saveAll(), StoreStatus::Ok);
    EXPECT_EQ(bytes(), QByteArray("\"a\xA7"
                                  "b\xA7\xA7\xA7\r\n1\xA7"
                                  "2\xA7"
                                  "3\xA7"
                                  "4\xA7"
                                  "5\r\n\"\r\n"));
    EXPECT_EQ(rows(*reopened()), rows(store));
}

TEST_F(ReminderStoreTest, quotesSurviveEveryKindOfWrite)
{
    const QString title = QStringLiteral("\"Citação\" e \"\"");
    const QString desc = QStringLiteral("Ele disse \"sim\"\r\n\"fim\"");
    auto s = reopened();
    for (int round = 0; round < 5; ++round) {
        ASSERT_EQ(s->append({.due = Reminder::kNoDue, .title = title, .description = desc}),
                  StoreStatus::Ok);
        ASSERT_EQ(s->append({.due = Reminder::kNoDue,
                             .title = QStringLiteral("outro"),
                             .description = QString()}),
                  StoreStatus::Ok);
        ASSERT_EQ(s->saveAll(), StoreStatus::Ok);
        ASSERT_EQ(s->deleteAt(s->count() - 1), StoreStatus::Ok);
        ASSERT_EQ(s->replaceAt(round, s->reminderAt(round)), StoreStatus::Ok);
        s = reopened();
        const QByteArray onDisk = bytes();
        ASSERT_EQ(onDisk.count('"'), 2) << "round " << round;
        ASSERT_EQ(onDisk.count('\xA4'), 8 * (round + 1)) << "round " << round;
    }
    ASSERT_EQ(s->count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(s->reminderAt(i).title, title);
        EXPECT_EQ(s->reminderAt(i).description, QStringLiteral("Ele disse \"sim\"\u00A5\"fim\""));
    }
}

TEST_F(ReminderStoreTest, twoLineBreaksAreOneLineWithTwoMarks)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    ASSERT_EQ(store.append({.due = Reminder::kNoDue,
                            .title = QStringLiteral("t"),
                            .description = QStringLiteral("a\r\nb\r\nc")}),
              StoreStatus::Ok);
    EXPECT_EQ(bytes(), QByteArray("\"26.03.14.09.05.00\xA7----/----/----\xA7  \xA7t\xA7"
                                  "a\xA5"
                                  "b\xA5"
                                  "c\"\r\n"));
    EXPECT_EQ(store.reminderAt(0).description, QStringLiteral("a\u00A5b\u00A5c"));
    ASSERT_EQ(store.saveAll(), StoreStatus::Ok);
    EXPECT_EQ(store.reminderAt(0).description, QStringLiteral("a\u00A5b\u00A5c"));
}

TEST_F(ReminderStoreTest, pendingStatusIsWrittenByTheNextWriteOnly)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    appendMany(2);
    store.setStatus(0, Reminder::kDone);
    EXPECT_EQ(store.reminderAt(0).status, Reminder::kDone);
    EXPECT_EQ(store.reminderAt(0).title, QStringLiteral("T0"));
    // Closed without a write: the next start has the old status.
    EXPECT_EQ(reopened()->reminderAt(0).status, Reminder::kOpen);

    ASSERT_EQ(store.append({.due = Reminder::kNoDue, .title = QStringLiteral("T2")}),
              StoreStatus::Ok);
    EXPECT_EQ(reopened()->reminderAt(0).status, Reminder::kDone);
    EXPECT_TRUE(bytes().contains("\xA7\xD7\xA7T0\xA7"));
}

// Each pending toggle keeps the row's new bytes aside, and the old ones are swept
// out now and then: every other pending row must come through that intact.
TEST_F(ReminderStoreTest, thousandsOfPendingTogglesKeepEveryRow)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    appendMany(3);
    store.setStatus(0, Reminder::kDone);
    store.setStatus(2, Reminder::kDone);
    for (int i = 0; i < 5001; ++i)
        store.setStatus(1, i % 2 ? Reminder::kOpen : Reminder::kDone);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(store.reminderAt(k).status, Reminder::kDone) << k;
        EXPECT_EQ(store.reminderAt(k).title, QStringLiteral("T%1").arg(k));
    }
    ASSERT_EQ(store.saveAll(), StoreStatus::Ok);
    EXPECT_EQ(rows(*reopened()), rows(store));
}

TEST_F(ReminderStoreTest, setStatusOutsideTheListChangesNothing)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    appendMany(1);
    const QStringList before = rows(store);
    store.setStatus(-1, Reminder::kDone);
    store.setStatus(1, Reminder::kDone);
    EXPECT_EQ(rows(store), before);
}

TEST_F(ReminderStoreTest, deleteShiftsLaterRowsDownByOne)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    appendMany(5);
    ASSERT_EQ(store.deleteAt(1), StoreStatus::Ok);
    const auto s = reopened();
    ASSERT_EQ(s->count(), 4);
    const QStringList titles{"T0", "T2", "T3", "T4"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(s->reminderAt(i).title, titles[i]);
    EXPECT_EQ(rows(*s), rows(store));
}

TEST_F(ReminderStoreTest, replaceKeepsThePosition)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    appendMany(3);
    Reminder r = store.reminderAt(1);
    r.title = QStringLiteral("Novo \"título\"");
    r.due = QStringLiteral("01/02/27");
    ASSERT_EQ(store.replaceAt(1, r), StoreStatus::Ok);
    const auto s = reopened();
    ASSERT_EQ(s->count(), 3);
    EXPECT_EQ(s->reminderAt(1), r);
    EXPECT_EQ(s->reminderAt(0).title, QStringLiteral("T0"));
    EXPECT_EQ(s->reminderAt(2).title, QStringLiteral("T2"));
}

TEST_F(ReminderStoreTest, rowIndicesOutsideTheListAreRefused)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    appendMany(2);
    const QByteArray before = bytes();
    EXPECT_EQ(store.deleteAt(2), StoreStatus::NoSuchRow);
    EXPECT_EQ(store.deleteAt(-1), StoreStatus::NoSuchRow);
    EXPECT_EQ(store.replaceAt(2, Reminder{}), StoreStatus::NoSuchRow);
    EXPECT_EQ(store.replaceAt(-1, Reminder{}), StoreStatus::NoSuchRow);
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(store.count(), 2);
    EXPECT_EQ(store.rowAt(2), QString());
}

TEST_F(ReminderStoreTest, fileOrderIsKeptAtEveryReload)
{
    writeFile("\"26.05.01.00.00.00\xA7x\xA7  \xA7"
              "c\xA7\r\n"
              "26.01.01.00.00.00\xA7x\xA7  \xA7"
              "a\xA7\r\n"
              "26.03.01.00.00.00\xA7x\xA7  \xA7"
              "b\xA7\r\n\"\r\n");
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    appendMany(1);
    const auto s = reopened();
    ASSERT_EQ(s->count(), 4);
    EXPECT_EQ(s->reminderAt(0).title, QStringLiteral("c"));
    EXPECT_EQ(s->reminderAt(1).title, QStringLiteral("a"));
    EXPECT_EQ(s->reminderAt(2).title, QStringLiteral("b"));
    EXPECT_EQ(s->reminderAt(3).title, QStringLiteral("T0"));
}

TEST_F(ReminderStoreTest, postingStampComesFromOneClockReading)
{
    clock.set(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)));
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    ASSERT_EQ(store.append({.due = Reminder::kNoDue, .title = QStringLiteral("t")}),
              StoreStatus::Ok);
    EXPECT_EQ(store.reminderAt(0).posted, QStringLiteral("26.12.31.23.59.59"));

    // Read twice, a clock that moves would give the next day's date with the old
    // day's time (or the reverse).
    TickingClock ticking(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)));
    ReminderStore other(folder.path(), ticking);
    ASSERT_EQ(other.load(), StoreStatus::Ok);
    ASSERT_EQ(other.append({.due = Reminder::kNoDue, .title = QStringLiteral("u")}),
              StoreStatus::Ok);
    EXPECT_EQ(other.reminderAt(1).posted, QStringLiteral("26.12.31.23.59.59"));
    EXPECT_EQ(other.reminderAt(1).status, Reminder::kOpen);
}

TEST_F(ReminderStoreTest, postingStampIsZeroPaddedOnA24HourClock)
{
    clock.set(QDateTime(QDate(2031, 1, 2), QTime(3, 4, 5)));
    EXPECT_EQ(Reminder::stamp(clock.now()), QStringLiteral("31.01.02.03.04.05"));
    clock.set(QDateTime(QDate(2009, 11, 30), QTime(15, 0, 0)));
    EXPECT_EQ(Reminder::stamp(clock.now()), QStringLiteral("09.11.30.15.00.00"));
}

// Fields handed in by callers may hold anything UTF-16 can: separators, marks,
// controls, NUL, lone surrogates, what the code page lacks. A write either reads
// back as exactly the reminder given, or is refused with the file's bytes as
// they were; no line ever gains or loses a field.
TEST_F(ReminderStoreTest, anyTextIsWrittenWholeOrRefusedWithNothingWritten)
{
    writeFile("\"\r\n a\xA7\r\xA7\n\xA7\xA4\xA5\r\n\r\xA7x\xA7y\xA7z\xA7w\xA7v\r\"\r\n");
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    ASSERT_EQ(store.count(), 2);
    const QString odd = QStringLiteral("\u00A7\t\u00A4\u00A5\r\n\r\u03A9\n\x01");
    const QString letters = QStringLiteral("a\u00E3\"\u20AC \u00A5\u00D7");
    std::mt19937 random(41);
    auto field = [&](int most) {
        QString f;
        for (int n = int(random() % unsigned(most + 1)); n > 0; --n) {
            const bool oddOne = random() % 8 == 0;
            const QString& from = oddOne ? odd : letters;
            f += from.at(random() % unsigned(from.size()));
            if (random() % 40 == 0)
                f += QChar(char16_t(0xD800 + random() % 0x800)); // a lone surrogate
        }
        return f;
    };
    int written = 0, refused = 0;
    for (int i = 0; i < 200 && !HasFailure(); ++i) {
        const QByteArray before = bytes();
        const int count = store.count();
        const Reminder asked{store.reminderAt(count - 1).posted, field(3), Reminder::kOpen,
                             field(6), field(6)};
        const bool append = i % 2 == 0;
        const StoreStatus status =
            append ? store.append(
                         {.due = asked.due, .title = asked.title, .description = asked.description})
                   : store.replaceAt(count - 1, asked);
        DataFile::forEachLine(bytes(), [](QByteArrayView line) {
            ASSERT_EQ(line.count(DataFile::kSeparator), DataFile::kFields - 1);
        });
        if (status != StoreStatus::Ok) {
            ASSERT_EQ(status, StoreStatus::BadField);
            ASSERT_EQ(bytes(), before);
            ASSERT_EQ(store.count(), count);
            ++refused;
            continue;
        }
        ++written;
        const auto again = reopened();
        ASSERT_EQ(rows(*again), rows(store));
        const Reminder got = again->reminderAt(again->count() - 1);
        EXPECT_EQ(got.due, asked.due);
        EXPECT_EQ(got.title, asked.title);
        EXPECT_EQ(got.description, Reminder::markedLineBreaks(asked.description));
        // A status is memory's alone, and stays out when no line can carry it.
        const QString status0 = store.reminderAt(0).status;
        store.setStatus(0, odd);
        EXPECT_EQ(store.reminderAt(0).status, status0);
    }
    // Both ends were met often.
    EXPECT_GT(written, 40);
    EXPECT_GT(refused, 40);
}

// ---- the file changed by another program ----

TEST_F(ReminderStoreTest, ownWritesAreNoChangeAndAnotherProgramsAreMergedWithPendingStatus)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    EXPECT_EQ(store.followFile(false), FileChange::Unchanged);
    appendMany(3);
    EXPECT_EQ(store.followFile(false), FileChange::Unchanged);
    store.setStatus(0, Reminder::kDone);

    QStringList theirs = three();
    theirs[2] = row("26.03.14.09.05.03", "T2", Reminder::kDone);
    theirs << row("26.03.14.10.00.00", "X");
    elsewhere(theirs, true);
    const QByteArray written = bytes();
    EXPECT_EQ(store.followFile(false), FileChange::Reloaded);
    EXPECT_EQ(titles(store), (QStringList{"T0×", "T1", "T2×", "X"}));
    EXPECT_EQ(bytes(), written);
    EXPECT_EQ(store.followFile(false), FileChange::Unchanged);

    // The save writes the pending status over the merged list.
    ASSERT_EQ(store.saveAll(), StoreStatus::Ok);
    EXPECT_EQ(titlesOnFile(), (QStringList{"T0×", "T1", "T2×", "X"}));
    EXPECT_EQ(rows(*reopened()), rows(store));
}

TEST_F(ReminderStoreTest, writesAfterAnUnseenChangeKeepItAndActByIdentity)
{
    QStringList theirs = three();
    theirs[0] = row("26.03.14.09.05.01", "T0", Reminder::kDone);
    theirs << row("26.03.14.10.00.00", "X");
    struct Case {
        const char* what;
        std::function<StoreStatus(ReminderStore&)> write;
        QStringList onFile;
    };
    const Case cases[] = {
        {"save", [](ReminderStore& s) { return s.saveAll(); }, {"T0×", "T1", "T2", "X"}},
        {"append goes after the last row, whatever its stamp",
         [](ReminderStore& s) { return s.append({.due = Reminder::kNoDue, .title = "N"}); },
         {"T0×", "T1", "T2", "X", "N"}},
        {"delete by row", [](ReminderStore& s) { return s.deleteAt(1); }, {"T0×", "T2", "X"}},
        {"delete by reminder",
         [](ReminderStore& s) { return s.deleteReminder(s.reminderAt(2)); },
         {"T0×", "T1", "X"}},
        {"correction by row",
         [](ReminderStore& s) {
             Reminder r = s.reminderAt(0);
             r.title = QStringLiteral("Novo");
             return s.replaceAt(0, r);
         },
         {"Novo×", "T1", "T2", "X"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(folder.file(ReminderStore::kFileName));
        ASSERT_EQ(store.load(), StoreStatus::Ok);
        appendMany(3);
        clock.set(QDateTime(QDate(2026, 3, 14), QTime(9, 5, 0)));
        elsewhere(theirs);
        ASSERT_EQ(c.write(store), StoreStatus::Ok);
        EXPECT_EQ(titlesOnFile(), c.onFile);
        EXPECT_EQ(rows(store), rows(*reopened()));
    }
}

TEST_F(ReminderStoreTest, deletingAReminderAlreadyGoneRemovesNothingElse)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    appendMany(3);
    const Reminder gone = store.reminderAt(1);
    elsewhere({three()[0], three()[2]});
    EXPECT_EQ(store.deleteReminder(gone), StoreStatus::Ok);
    EXPECT_EQ(titlesOnFile(), (QStringList{"T0", "T2"}));
    EXPECT_EQ(titles(store), (QStringList{"T0", "T2"}));

    // Of two reminders of one second, the one deleted here was corrected
    // elsewhere: which row it is now cannot be told, so the other stays.
    elsewhere({three()[0], row("26.03.14.09.05.03", "Aqui"), row("26.03.14.09.05.03", "Lá")});
    ASSERT_EQ(store.followFile(false), FileChange::Reloaded);
    const Reminder there = store.reminderAt(2);
    elsewhere({three()[0], row("26.03.14.09.05.03", "Aqui"), row("26.03.14.09.05.03", "Lá!")});
    EXPECT_EQ(store.deleteReminder(there), StoreStatus::Ok);
    EXPECT_EQ(titlesOnFile(), (QStringList{"T0", "Aqui", "Lá!"}));
}

// A toggle or a new due date from the other computer survives a correction of
// the title, and a reminder deleted there comes back, corrected, in its place.
TEST_F(ReminderStoreTest, correctionWritesOnlyWhatTheUserChanged)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    appendMany(3);
    const Reminder original = store.reminderAt(1);
    Reminder edited = original;
    edited.title = QStringLiteral("Novo");

    QStringList theirs = three();
    theirs[1] = Reminder{"26.03.14.09.05.02", "20/03/26", Reminder::kDone, "T1", ""}.toRow();
    elsewhere(theirs);
    ASSERT_EQ(store.replaceReminder(original, edited), StoreStatus::Ok);
    EXPECT_EQ(store.reminderAt(1),
              (Reminder{"26.03.14.09.05.02", "20/03/26", Reminder::kDone, "Novo", ""}));
    EXPECT_EQ(titlesOnFile(), (QStringList{"T0", "Novo×", "T2"}));

    elsewhere({three()[0], three()[2]});
    ASSERT_EQ(store.replaceReminder(original, edited), StoreStatus::Ok);
    EXPECT_EQ(titlesOnFile(), (QStringList{"T0", "Novo", "T2"}));
    EXPECT_EQ(store.reminderAt(1).posted, original.posted);
}

// What another program puts in place between the store's look at the file and
// its swap comes out of the swap, and is merged and written again.
TEST_F(ReminderStoreTest, changeInTheLastMomentIsMergedAndWrittenAgain)
{
    MomentClock moment;
    ReminderStore s(folder.path(), moment);
    ASSERT_EQ(loadToggleAndAddElsewhere(s), StoreStatus::Ok);
    moment.arm([this] {
        elsewhere({three()[0], three()[1], row("26.03.14.09.05.03", "T2", Reminder::kDone),
                   row("26.03.14.10.00.00", "X"), row("26.03.14.11.00.00", "Y")});
    });
    ASSERT_EQ(s.saveAll(), StoreStatus::Ok);
    EXPECT_EQ(titlesOnFile(), (QStringList{"T0×", "T1", "T2×", "X", "Y"}));
    EXPECT_EQ(rows(s), rows(*reopened()));
    EXPECT_EQ(StoreProbe::entries(folder.path()), QStringList{ReminderStore::kFileName});

    // The one in the last moment holds a reminder of the same second as the one
    // appended here: both stay, placed by their stamp.
    QStringList there = FileRows::parse(bytes());
    there.last() = row("26.03.14.11.00.00", "Y", Reminder::kDone);
    elsewhere(there);
    moment.arm([&] { // the new reminder's stamp; the next reading is the merge's
        moment.arm([&] { elsewhere(there + QStringList{row("26.03.14.10.00.00", "Z")}); });
    });
    ASSERT_EQ(s.append({.due = Reminder::kNoDue, .title = "N"}), StoreStatus::Ok);
    EXPECT_EQ(titlesOnFile(), (QStringList{"T0×", "T1", "T2×", "X", "N", "Z", "Y×"}));
    EXPECT_EQ(rows(s), rows(*reopened()));
}

// One still being written when the swap takes it out is no list to merge: the
// write stands as it was made.
TEST_F(ReminderStoreTest, halfWrittenFileTakenOutInTheLastMomentIsNotMerged)
{
    MomentClock moment;
    ReminderStore s(folder.path(), moment);
    ASSERT_EQ(loadToggleAndAddElsewhere(s), StoreStatus::Ok);
    moment.arm([this] { writeElsewhere("\"26.03.14.09.05.01\xA7"); });
    ASSERT_EQ(s.saveAll(), StoreStatus::Ok);
    EXPECT_EQ(titlesOnFile(), (QStringList{"T0×", "T1", "T2", "X"}));
    EXPECT_EQ(rows(s), rows(*reopened()));
    EXPECT_EQ(StoreProbe::entries(folder.path()), QStringList{ReminderStore::kFileName});
}

TEST_F(ReminderStoreTest, halfWrittenFileIsAskedForAgainThenRefusedUntilItReads)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    appendMany(2);
    for (const QByteArray& cut : {QByteArray(), QByteArray("\"26.03.14.09.05.01\xA7"),
                                  QByteArray("26.03.14.09.05.01\xA7x\xA7  \xA7T\xA7\"\r\n")}) {
        SCOPED_TRACE(cut.toStdString());
        writeElsewhere(cut);
        EXPECT_EQ(store.followFile(false), FileChange::HalfWritten);
        EXPECT_EQ(store.followFile(true), FileChange::Unreadable);
        EXPECT_EQ(titles(store), (QStringList{"T0", "T1"}));
        EXPECT_EQ(store.append({.due = Reminder::kNoDue, .title = "N"}), StoreStatus::ReadFailed);
        EXPECT_EQ(store.saveAll(), StoreStatus::ReadFailed);
        EXPECT_EQ(bytes(), cut);
    }
    elsewhere({three()[0]});
    EXPECT_EQ(store.followFile(false), FileChange::Reloaded);
    EXPECT_EQ(titles(store), (QStringList{"T0"}));
    EXPECT_EQ(store.append({.due = Reminder::kNoDue, .title = "N"}), StoreStatus::Ok);
}

// A write or a conflict copy's merge that finds the file half-written reads it
// once more after a pause; still half-written, it is refused and the file left.
TEST_F(ReminderStoreTest, halfWrittenFileMetByAWriteIsReadAgainThenRefused)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    appendMany(2);
    const QByteArray whole = bytes();
    const QString copy = QStringLiteral("lembretes.sync-conflict-20260314-100000-ABCDEF2.dat");
    folder.write(copy, DataFile::serialize({row("26.03.14.10.00.00", "X")}));
    const QByteArray cut("\"26.03.14.09.05.01\xA7");
    for (const bool merging : {false, true}) {
        SCOPED_TRACE(merging ? "merge" : "append");
        writeElsewhere(cut);
        QElapsedTimer waited;
        waited.start();
        EXPECT_EQ(merging ? store.mergeConflictCopy(folder.file(copy))
                          : store.append({.due = Reminder::kNoDue, .title = "N"}),
                  StoreStatus::ReadFailed);
        EXPECT_GE(waited.elapsed(), 100) << "refused without a second look";
        EXPECT_EQ(bytes(), cut);
        EXPECT_EQ(titles(store), (QStringList{"T0", "T1"}));
        // Whole again, as it was: read, and writes go on.
        writeElsewhere(whole);
        ASSERT_EQ(store.followFile(false), FileChange::Unchanged);
    }
    EXPECT_EQ(store.append({.due = Reminder::kNoDue, .title = "N"}), StoreStatus::Ok);
    EXPECT_EQ(titlesOnFile(), (QStringList{"T0", "T1", "N"}));
}

#ifdef Q_OS_LINUX
// The other program finishes its write while the store waits: the write goes
// on from the whole file, merged with it.
TEST_F(ReminderStoreTest, halfWrittenFileFinishedDuringThePauseIsMergedIn)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    appendMany(2);
    writeElsewhere("\"26.03.14.09.05.01\xA7");
    // The store's first read of the file, told by the kernel, is the moment
    // the other program finishes.
    const int reads = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(reads, 0);
    ASSERT_GE(::inotify_add_watch(
                  reads, QFile::encodeName(folder.file(ReminderStore::kFileName)).constData(),
                  IN_CLOSE_NOWRITE),
              0);
    bool finished = false;
    std::thread other([&] {
        pollfd ready{reads, POLLIN, 0};
        char event[4096];
        if (::poll(&ready, 1, 5000) != 1 || ::read(reads, event, sizeof event) <= 0)
            return;
        elsewhere({three()[0], three()[1], row("26.03.14.10.00.00", "X")});
        finished = true;
    });
    const StoreStatus appended = store.append({.due = Reminder::kNoDue, .title = "N"});
    other.join();
    ::close(reads);
    ASSERT_TRUE(finished) << "the store never read the file";
    EXPECT_EQ(appended, StoreStatus::Ok);
    EXPECT_EQ(titlesOnFile(), (QStringList{"T0", "T1", "X", "N"}));
    EXPECT_EQ(rows(store), rows(*reopened()));
}
#endif

TEST_F(ReminderStoreTest, vanishedFileKeepsTheListAndTheNextWriteRestoresIt)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    appendMany(2);
    ASSERT_TRUE(QFile::remove(folder.file(ReminderStore::kFileName)));
    EXPECT_EQ(store.followFile(false), FileChange::Vanished);
    EXPECT_EQ(titles(store), (QStringList{"T0", "T1"}));
    ASSERT_EQ(store.append({.due = Reminder::kNoDue, .title = "N"}), StoreStatus::Ok);
    EXPECT_EQ(titlesOnFile(), (QStringList{"T0", "T1", "N"}));
}

// "§" saved by an editor as C2 A7 would otherwise read as "Â" and a separator.
TEST_F(ReminderStoreTest, fileSavedAsUtf8IsReadSoAndWrittenBackInTheCodePage)
{
    const QString text = QStringLiteral("\"26.01.01.10.00.00§----/----/----§  §Ação "
                                        "¤já¤§café¥€\r\n\"\r\n");
    writeFile(text.toUtf8());
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    const Reminder r{"26.01.01.10.00.00", Reminder::kNoDue, Reminder::kOpen,
                     QStringLiteral("Ação \"já\""), QStringLiteral("café\u00A5€")};
    ASSERT_EQ(store.count(), 1);
    EXPECT_EQ(store.reminderAt(0), r);
    ASSERT_EQ(store.saveAll(), StoreStatus::Ok);
    EXPECT_EQ(bytes(), QByteArray("\"26.01.01.10.00.00\xA7----/----/----\xA7  \xA7"
                                  "A\xE7\xE3o \xA4j\xE1\xA4\xA7"
                                  "caf\xE9\xA5\x80\r\n\"\r\n"));

    writeElsewhere(QString(text).replace(QStringLiteral("Ação"), QStringLiteral("Lição")).toUtf8());
    EXPECT_EQ(store.followFile(false), FileChange::Reloaded);
    EXPECT_EQ(store.reminderAt(0).title, QStringLiteral("Lição \"já\""));
}

// ---- conflict copies ----

TEST_F(ReminderStoreTest, conflictCopyIsMergedWithoutThePendingStatus)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    appendMany(3);
    store.setStatus(0, Reminder::kDone);
    const QString copy = QStringLiteral("lembretes.sync-conflict-20260314-100000-ABCDEF2.dat");
    QStringList theirs = three();
    theirs[1] = row("26.03.14.09.05.02", "T1 deles", Reminder::kDone);
    theirs.removeAt(2);
    theirs.insert(0, row("26.03.14.09.00.00", "X"));
    folder.write(copy, DataFile::serialize(theirs));

    ASSERT_EQ(store.mergeConflictCopy(folder.file(copy)), StoreStatus::Ok);
    // Every reminder of either; a title that differs makes a second row, and
    // where only the status differs the file under the real name wins.
    EXPECT_EQ(titlesOnFile(), (QStringList{"X", "T0", "T1", "T1 deles×", "T2"}));
    EXPECT_EQ(titles(store), (QStringList{"X", "T0×", "T1", "T1 deles×", "T2"}));
    EXPECT_EQ(store.followFile(false), FileChange::Unchanged);

    // Merged again, as the other computer does with the same copy: nothing changes.
    const QByteArray merged = bytes();
    ASSERT_EQ(store.mergeConflictCopy(folder.file(copy)), StoreStatus::Ok);
    EXPECT_EQ(bytes(), merged);
}

// Two computers hold the same file and the same copy, but each its own base
// (what it last read) and its own pending change: both write the same bytes,
// and no reminder of either version is lost, same-second ones included.
TEST_F(ReminderStoreTest, twoComputersMergingOneConflictCopyWriteTheSameAndLoseNothing)
{
    const QString copy = QStringLiteral("lembretes.sync-conflict-20261208-100000-ABCDEF2.dat");
    const QString second = QStringLiteral("26.12.08.10.00.00");
    QStringList real = three();
    real << row(second, "Feito aqui");
    QStringList copied = three();
    copied[1] = row("26.03.14.09.05.02", "T1 corrigido lá");
    copied[2] = row("26.03.14.09.05.03", "T2", Reminder::kDone);
    copied << Reminder{second, Reminder::kNoDue, Reminder::kOpen, "Feito aqui", "lá"}.toRow()
           << row(second, "Feito lá");

    TempFolder there;
    ReminderStore other(there.path(), clock);
    writeFile(DataFile::serialize(three()));
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    there.write(ReminderStore::kFileName, DataFile::serialize({three()[0]}));
    ASSERT_EQ(other.load(), StoreStatus::Ok);
    other.setStatus(0, Reminder::kDone);

    elsewhere(real);
    folder.write(copy, DataFile::serialize(copied));
    there.write(ReminderStore::kFileName, DataFile::serialize(real));
    there.write(copy, DataFile::serialize(copied));
    ASSERT_EQ(store.mergeConflictCopy(folder.file(copy)), StoreStatus::Ok);
    ASSERT_EQ(other.mergeConflictCopy(there.file(copy)), StoreStatus::Ok);

    EXPECT_EQ(bytes(), there.read(ReminderStore::kFileName));
    auto texts = [](const QStringList& rows) {
        QStringList out;
        for (const QString& row : rows) {
            const Reminder r = Reminder::fromRow(row);
            out << r.posted + u' ' + r.title + u' ' + r.description;
        }
        return out;
    };
    const QStringList merged = texts(FileRows::parse(bytes()));
    for (const QString& text : texts(real + copied))
        EXPECT_TRUE(merged.contains(text)) << text.toStdString();
}

TEST_F(ReminderStoreTest, conflictCopyThatCannotBeReadIsLeftAndWritesNothing)
{
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    appendMany(2);
    const QByteArray before = bytes();
    const QString copy = QStringLiteral("lembretes (conflicted copy 2026-03-14 100000).dat");
    EXPECT_EQ(store.mergeConflictCopy(folder.file(copy)), StoreStatus::CopyUnreadable);
    // Nor is one caught half-written.
    folder.write(copy, "\"26.03.14.10.00.00\xA7----/----/----\xA7  \xA7X\xA7\r\n");
    EXPECT_EQ(store.mergeConflictCopy(folder.file(copy)), StoreStatus::CopyUnreadable);
    ASSERT_TRUE(QFile::remove(folder.file(copy)));
    ASSERT_TRUE(QDir(folder.path()).mkdir(copy));
    EXPECT_EQ(store.mergeConflictCopy(folder.file(copy)), StoreStatus::CopyUnreadable);
    EXPECT_EQ(bytes(), before);

    // A readable copy met by a folder where the file should be: the merge could
    // not read ours, and a save still could not write there.
    const QString readable = QStringLiteral("lembretes.sync-conflict-20260314-100000-ABCDEFG.dat");
    folder.write(readable, before);
    ASSERT_TRUE(QFile::remove(folder.file(ReminderStore::kFileName)));
    ASSERT_TRUE(QDir(folder.path()).mkdir(ReminderStore::kFileName));
    EXPECT_EQ(store.mergeConflictCopy(folder.file(readable)), StoreStatus::ReadFailed);
    EXPECT_EQ(store.saveAll(), StoreStatus::WriteFailed);
    EXPECT_TRUE(QFileInfo(folder.file(ReminderStore::kFileName)).isDir());
}
