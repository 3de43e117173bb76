#pragma once

#include "DataFile.h"
#include "ListState.h"
#include "PageWindow.h"
#include "PictureButton.h"
#include "Reminder.h"
#include "ReminderStore.h"
#include "StandInWindows.h"
#include "TempFolder.h"
#include "VisibleRow.h"
#include "WindowOwner.h"
#include "frm0_Inicial.h"
#include "frm3_verLembrete.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

// The running program on a lembretes.dat of n reminders, driven by real mouse
// and key events.
class MainListTest : public ::testing::Test {
public:
    // Reminder i of a list: posted one second after reminder i - 1.
    static Reminder numbered(int i)
    {
        return {QStringLiteral("26.03.14.09.%1.%2")
                    .arg(i / 60, 2, 10, QChar(u'0'))
                    .arg(i % 60, 2, 10, QChar(u'0')),
                QStringLiteral("20/03/26"), Reminder::kOpen, QStringLiteral("Lembrete %1").arg(i),
                QStringLiteral("Descrição %1").arg(i)};
    }

protected:
    void start(int n, const std::function<Reminder(int)>& make = numbered)
    {
        QStringList rows;
        for (int i = 0; i < n; ++i)
            rows.append(make(i).toRow());
        folder.write(ReminderStore::kFileName, DataFile::serialize(rows));
        store_ = std::make_unique<ReminderStore>(folder.path(), clock);
        owner_ = std::make_unique<WindowOwner>();
        windows_ = standInWindows(*owner_, [this]() -> MainHost& { return *main_; });
        main_ = std::make_unique<frm0_Inicial>(*store_, *windows_, clock);
        main_->moveToCorner();
        ASSERT_EQ(store_->load(), StoreStatus::Ok);
        main_->show();
        main().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    }

    void TearDown() override
    {
        if (owner_)
            owner_->closeAll();
        main_.reset();
    }

    frm0_Inicial& main() { return *main_; }
    ReminderStore& store() { return *store_; }
    WindowOwner& owner() { return *owner_; }
    const ListState& state() { return main().listState(); }
    QListWidget* list() { return main().findChild<QListWidget*>(QStringLiteral("lstLembretes")); }
    QLabel* label(const char* name) { return main().findChild<QLabel*>(QLatin1String(name)); }
    PictureButton* button(const char* name)
    {
        return main().findChild<PictureButton*>(QLatin1String(name));
    }
    frm3_verLembrete* viewer() { return windows_->verLembrete.find(); }
    bool viewerShown() { return viewer() && viewer()->isVisible(); }
    QString viewerText(const char* name)
    {
        return viewer()->findChild<QLabel*>(QLatin1String(name))->text();
    }
    QString fileBytes() { return QString::fromLatin1(folder.read(ReminderStore::kFileName)); }

    QPoint rowCenter(int row)
    {
        list()->scrollToItem(list()->item(row));
        return list()->visualItemRect(list()->item(row)).center();
    }
    void click(int row)
    {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rowCenter(row));
    }
    void doubleClick(int row)
    {
        const QPoint at = rowCenter(row);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
    }
    void press(const char* name)
    {
        PictureButton* b = button(name);
        ASSERT_TRUE(b->isVisible()) << name;
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    }
    // A key goes to whichever widget holds the focus at the moment, as typed.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyPress(QApplication::focusWidget(), k, modifiers);
        QTest::keyRelease(QApplication::focusWidget(), k, modifiers);
    }
    QStringList rows()
    {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out.append(list()->item(i)->text());
        return out;
    }
    // The first-page row text of stored reminder k.
    QString storedRow(int k) { return VisibleRow::make(store().reminderAt(k), k); }
    int selectedRow()
    {
        const auto selected = list()->selectedItems();
        return selected.isEmpty() ? -1 : list()->row(selected.first());
    }

    TempFolder folder;
    FixedClock clock{QDateTime(QDate(2026, 3, 14), QTime(9, 5))};
    std::unique_ptr<ReminderStore> store_;
    std::unique_ptr<WindowOwner> owner_;
    std::unique_ptr<SecondaryWindows> windows_;
    std::unique_ptr<frm0_Inicial> main_;
};
