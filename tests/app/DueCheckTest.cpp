#include "DueCheck.h"
#include "Application.h"
#include "QtPrinters.h"
#include "TempFolder.h"
#include "frm0_Inicial.h"

#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Posted in order; due: 07/12/26, none, 08/12/26 concluded, 09/12/26, 08/12/26.
const QByteArray kFile = "\"26.01.01.08.00.00\xA7"
                         "07/12/26\xA7  \xA7Ontem\xA7\r\n"
                         "26.01.01.08.00.01\xA7----/----/----\xA7  \xA7Sem data\xA7\r\n"
                         "26.01.01.08.00.02\xA7"
                         "08/12/26\xA7\xD7\xA7"
                         "Feito\xA7\r\n"
                         "26.01.01.08.00.03\xA7"
                         "09/12/26\xA7  \xA7"
                         "Amanh\xE3\xA7\r\n"
                         "26.01.01.08.00.04\xA7"
                         "08/12/26\xA7  \xA7Hoje\xA7\r\n\"\r\n";

struct DueCheckTest : ::testing::Test {
    DueCheckTest() { folder.write(ReminderStore::kFileName, kFile); }
    ~DueCheckTest() override { app.owner().closeAll(); }

    // What a user can see of the list, and what the store holds.
    QStringList snapshot()
    {
        QStringList out;
        auto* list = app.mainWindow().findChild<QListWidget*>(QStringLiteral("lstLembretes"));
        for (int i = 0; i < list->count(); ++i) {
            const QListWidgetItem* item = list->item(i);
            out << item->text() + u'|' + item->foreground().color().name() + u'|' +
                       item->background().color().name() + u'|' +
                       QString::number(item->isSelected());
        }
        for (const char* name : {"lblTotalLembretes", "lblAviso"}) {
            auto* label = app.mainWindow().findChild<QLabel*>(QLatin1String(name));
            out << label->text() + u'|' + QString::number(label->isVisible());
        }
        for (int k = 0; k < app.store().count(); ++k)
            out << app.store().rowAt(k);
        return out;
    }
    bool waitForNotices(int n)
    {
        return QTest::qWaitFor([&] { return sent.size() >= n; }, 3000);
    }

    TempFolder folder;
    FixedClock clock{QDateTime(QDate(2026, 12, 8), QTime(9, 30))};
    QList<DueNotice> sent;
    Application app{folder.path(), clock, [this](const DueNotice& notice) { sent.append(notice); }};
};

} // namespace

TEST_F(DueCheckTest, checksAfterTheFirstPaintThenOnlyOnANewDate)
{
    QTest::qWait(50);
    EXPECT_TRUE(sent.isEmpty()) << "no check before the window is shown";
    app.start();
    ASSERT_TRUE(waitForNotices(1));
    EXPECT_EQ(sent[0].lines, (QStringList{"Venceu em 07/12/26: Ontem", "Vence hoje: Hoje"}));
    EXPECT_TRUE(app.dueCheck().ticks().isActive());
    EXPECT_EQ(app.dueCheck().ticks().interval(), DueCheck::kTickMs);

    // Changes of the list wait for the next date.
    app.store().setStatus(4, Reminder::kDone);
    ASSERT_EQ(app.store().deleteAt(0), StoreStatus::Ok);
    clock.set(clock.now().addSecs(14 * 3600));
    app.dueCheck().tick();
    EXPECT_EQ(sent.size(), 1);

    clock.set(QDateTime(QDate(2026, 12, 9), QTime(0, 0, 30)));
    app.dueCheck().tick();
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(sent[1].summary, QStringLiteral("Amanhã"));
    EXPECT_EQ(sent[1].lines, QStringList{"Vence hoje: Amanhã"});

    // A clock set back to a day already announced stays quiet.
    clock.set(QDateTime(QDate(2026, 12, 8), QTime(23, 0)));
    app.dueCheck().tick();
    clock.set(QDateTime(QDate(2026, 12, 9), QTime(1, 0)));
    app.dueCheck().tick();
    EXPECT_EQ(sent.size(), 2);
}

TEST_F(DueCheckTest, aCheckLeavesTheFileAndTheListAsTheyWere)
{
    app.start();
    const QStringList before = snapshot();
    ASSERT_TRUE(waitForNotices(1));
    clock.set(QDateTime(QDate(2026, 12, 10), QTime(8, 0)));
    app.dueCheck().tick();
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(folder.read(ReminderStore::kFileName), kFile);
}
