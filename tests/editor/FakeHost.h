#pragma once

#include "Clock.h"
#include "MainHost.h"
#include "ReminderStore.h"
#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QWidget>

// The main window as the editors see it, over a real store in a temporary folder.
class FakeHost : public MainHost {
public:
    FakeHost() : clock(QDateTime(QDate(2026, 3, 14), QTime(9, 5, 0))), store_(folder.path(), clock)
    {
        store_.load();
        // The first pages the main window would show after the program's writes.
        QObject::connect(&store_, &ReminderStore::rowsChanged, &main,
                         [this](ReminderStore::Change change) {
                             if (change == ReminderStore::Change::Written)
                                 ++firstPages;
                         });
    }

    // A reminder whose status change waits for a save, as a toggle leaves it.
    void leaveAStatusPending()
    {
        store_.append({.due = Reminder::kNoDue,
                       .title = QStringLiteral("Pendente"),
                       .description = QString()});
        store_.setStatus(store_.count() - 1, Reminder::kDone);
    }
    // The main window's red save picture.
    bool unsaved() const { return store_.pendingStatus(); }

    // A file the program cannot read: the store then refuses every write.
    void makeFileUnreadable()
    {
        makeFileUnwritable();
        store_.load();
    }

    // A folder where the file was, after loading: every write fails.
    void makeFileUnwritable()
    {
        QFile::remove(folder.file(ReminderStore::kFileName));
        QDir(folder.path()).mkdir(ReminderStore::kFileName);
    }

    ReminderStore& store() override { return store_; }
    void showMessage(const QString& text) override { messages.append(text); }
    void setMessageVisible(bool visible) override { messageVisible = visible; }
    void focusHolder() override { ++focusHolders; }
    QWidget* mainWindow() override { return &main; }
    QDate today() const override { return clock.now().date(); }
    void announce(const QString& text) override { announced.append(text); }

    TempFolder folder;
    FixedClock clock;
    QStringList messages;
    QStringList announced;
    int firstPages = 0;
    bool messageVisible = false;
    int focusHolders = 0;
    QWidget main;

private:
    ReminderStore store_;
};
