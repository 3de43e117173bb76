#include "ListFollower.h"

#include "MergedCopyBin.h"
#include "ReminderStore.h"
#include "SafeFile.h"
#include "StoreStatusText.h"
#include "frm0_Inicial.h"

#include <QApplication>
#include <QFileInfo>

namespace {

bool userBusy()
{
    return QApplication::activeModalWidget() != nullptr ||
           QGuiApplication::mouseButtons() != Qt::NoButton;
}

} // namespace

ListFollower::ListFollower(frm0_Inicial& main, FollowTiming timing, Busy busy, QObject* parent)
    : QObject(parent), main_(main), follower_(main.store().path(), timing),
      busy_(busy ? std::move(busy) : Busy(userBusy))
{
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &ListFollower::process);
    connect(&follower_, &FileFollower::settled, this, &ListFollower::settled);
    connect(&follower_, &FileFollower::conflictCopiesAppeared, this, &ListFollower::take);
}

void ListFollower::start()
{
    SafeFile::removeLeftovers(main_.store().path());
    take(follower_.conflictCopies());
}

void ListFollower::settled(bool lastTry)
{
    settlePending_ = true;
    lastTry_ = lastTry;
    process();
}

void ListFollower::take(const QStringList& copies)
{
    for (const QString& copy : copies)
        if (!copiesPending_.contains(copy))
            copiesPending_ << copy;
    process();
}

void ListFollower::process()
{
    if (!settlePending_ && copiesPending_.isEmpty())
        return;
    // A change in the middle of a press or a box would pull the list from under it.
    if (busy_()) {
        retry_.start(kBusyRetryMs);
        return;
    }
    if (settlePending_) {
        settlePending_ = false;
        follow(lastTry_);
    }
    const QStringList copies = std::exchange(copiesPending_, {});
    for (const QString& copy : copies)
        merge(copy);
}

void ListFollower::follow(bool lastTry)
{
    switch (main_.store().followFile(lastTry)) {
    case FileChange::Reloaded:
        unreadableSaid_ = false;
        main_.showMessage(kUpdated, frm0_Inicial::Sound::Silent);
        break;
    case FileChange::Unchanged:
        unreadableSaid_ = false;
        break;
    case FileChange::HalfWritten:
        follower_.lookAgain();
        break;
    case FileChange::Vanished:
        break;
    case FileChange::Unreadable:
        sayUnreadable();
        break;
    }
}

void ListFollower::merge(const QString& copy)
{
    // The other computer's copy of the program may have taken it away already.
    if (!QFileInfo::exists(copy))
        return;
    const StoreStatus status = main_.store().mergeConflictCopy(copy);
    switch (status) {
    case StoreStatus::Ok:
        MergedCopyBin::moveAway(copy);
        main_.showMessage(kMerged, frm0_Inicial::Sound::Silent);
        break;
    case StoreStatus::Full:
        if (!fullSaid_.contains(copy)) {
            fullSaid_.insert(copy);
            main_.showMessage(storeStatusText(status), frm0_Inicial::Sound::Silent);
        }
        break;
    case StoreStatus::ReadFailed:
        sayUnreadable();
        break;
    case StoreStatus::CopyUnreadable:
        break;
    default:
        main_.showMessage(storeStatusText(status), frm0_Inicial::Sound::Silent);
        break;
    }
}

void ListFollower::sayUnreadable()
{
    if (unreadableSaid_)
        return;
    unreadableSaid_ = true;
    main_.showMessage(storeStatusText(StoreStatus::ReadFailed), frm0_Inicial::Sound::Silent);
}
