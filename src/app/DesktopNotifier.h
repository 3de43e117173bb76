#pragma once

#include "DueNotice.h"

#include <QObject>
#include <QSet>
#include <QStringList>

#include <functional>

class QDBusPendingCallWatcher;
class QSystemTrayIcon;

// Sends a notice to the desktop's notification service on the session bus.
// Services are started on demand, so nothing asks first whether one is there:
// only a failed call (no service, an error, no answer in time) falls back to a
// balloon of the tray icon when the icon is shown, and otherwise to nothing.
// Never waits on the bus.
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    static constexpr int kTimeoutMs = 4000;
    static inline const QString kService = QStringLiteral("org.freedesktop.Notifications");
    static inline const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

    using TrayIcon = std::function<QSystemTrayIcon*()>;
    // trayIcon gives the tray icon for the fallback, or null; activated runs when
    // the user picks a notice's default action.
    DesktopNotifier(TrayIcon trayIcon, std::function<void()> activated, QObject* parent = nullptr);

    void send(const DueNotice& notice);

private slots:
    // A slot by name: QDBusConnection connects signals of the bus no other way.
    void actionInvoked(uint id, const QString& action);

private:
    void notify(const DueNotice& notice, bool markup);
    void fallBack(const DueNotice& notice);

    TrayIcon trayIcon_;
    std::function<void()> activated_;
    // What this run sent: an action of another program's notice is not ours.
    QSet<uint> sent_;
    uint last_ = 0;
    bool listening_ = false;
};
