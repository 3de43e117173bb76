#include "ListFollower.h"
#include "Application.h"
#include "FileRows.h"
#include "HeardBeeps.h"
#include "TempFolder.h"
#include "frm0_Inicial.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr FollowTiming kFast{30, 200, 30};

// n reminders, one a second.
QByteArray numberedFile(int n)
{
    QList<Reminder> reminders;
    for (int i = 0; i < n; ++i)
        reminders.append({QStringLiteral("26.03.14.09.05.%1").arg(i, 2, 10, QChar(u'0')),
                          Reminder::kNoDue, Reminder::kOpen, QStringLiteral("Lembrete %1").arg(i),
                          QString()});
    return FileRows::fileOf(reminders);
}

// The list follows its file, but never while the user is in the middle of a
// press or a box, and it says so without the beep.
TEST(ListFollower, AChangeWaitsForTheUserAndIsSaidQuietly)
{
    TempFolder folder;
    folder.write(ReminderStore::kFileName, numberedFile(2));
    FixedClock clock(QDateTime(QDate(2026, 3, 14), QTime(9, 5)));
    Application app(folder.path(), clock);
    frm0_Inicial& main = app.mainWindow();
    // Loaded, as at start-up, and followed by this test's follower alone.
    ASSERT_EQ(app.store().load(), StoreStatus::Ok);
    bool busy = true;
    ListFollower sync(main, kFast, [&busy] { return busy; });
    auto* total = main.findChild<QLabel*>(QStringLiteral("lblTotalLembretes"));
    auto* message = main.findChild<QLabel*>(QStringLiteral("lblAviso"));
    const HeardBeeps beeps;

    folder.write(ReminderStore::kFileName, numberedFile(3));
    QTest::qWait(kFast.latestMs * 2);
    EXPECT_EQ(total->text(), QStringLiteral("2")) << "the list changed under a busy user";

    busy = false;
    EXPECT_TRUE(QTest::qWaitFor([&] { return total->text() == u"3"; }, 2000));
    EXPECT_EQ(message->text(), ListFollower::kUpdated);
    EXPECT_EQ(beeps.count(), 0);
    app.owner().closeAll();
}

} // namespace
