#pragma once

#include "FileFollower.h"

#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <functional>

class frm0_Inicial;

// Keeps the list in step with its file when something else changes it: a sync
// tool, another computer's copy of the program, a text editor. Changes and
// conflict copies are taken in once the user is not in the middle of something,
// and reported in the message line without the beep.
class ListFollower : public QObject {
    Q_OBJECT
public:
    // How often a change waiting for the user is offered again.
    static constexpr int kBusyRetryMs = 100;
    static inline const QString kUpdated = QStringLiteral("Lista atualizada!");
    static inline const QString kMerged = QStringLiteral("Cópia em conflito incorporada!");

    // True while a change must wait: by default, while a modal box is up or a
    // mouse button is down. Given by tests, which cannot hold a real button down
    // while the file changes.
    using Busy = std::function<bool()>;

    ListFollower(frm0_Inicial& main, FollowTiming timing = {}, Busy busy = {},
                 QObject* parent = nullptr);

    // The start-up look, once the list is loaded: leftovers of the program's own
    // temporary file go, and conflict copies already there are merged.
    void start();

private:
    void settled(bool lastTry);
    void take(const QStringList& copies);
    // Runs what waits, unless the user is busy.
    void process();
    void follow(bool lastTry);
    void merge(const QString& copy);
    void sayUnreadable();

    frm0_Inicial& main_;
    FileFollower follower_;
    Busy busy_;
    QTimer retry_;
    bool settlePending_ = false;
    bool lastTry_ = false;
    QStringList copiesPending_;
    // Said once until the file reads again.
    bool unreadableSaid_ = false;
    // Copies too large to merge, said once each.
    QSet<QString> fullSaid_;
};
