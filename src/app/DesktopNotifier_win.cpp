#include "DesktopNotifier.h"

#include <QSystemTrayIcon>

// Windows shows the tray icon's message as one of its own notifications, and
// reports a click on it as messageClicked, which stands for the default action.
DesktopNotifier::DesktopNotifier(TrayIcon trayIcon, std::function<void()> activated,
                                 QObject* parent)
    : QObject(parent), trayIcon_(std::move(trayIcon)), activated_(std::move(activated))
{
}

void DesktopNotifier::send(const DueNotice& notice)
{
    QSystemTrayIcon* icon = trayIcon_ ? trayIcon_() : nullptr;
    if (!icon || !icon->isVisible())
        return;
    if (!listening_) {
        connect(icon, &QSystemTrayIcon::messageClicked, this,
                [this] { actionInvoked(last_, QStringLiteral("default")); });
        listening_ = true;
    }
    sent_.insert(++last_);
    icon->showMessage(notice.summary, notice.body(), icon->icon());
}

void DesktopNotifier::actionInvoked(uint id, const QString& action)
{
    if (action == u"default" && sent_.contains(id) && activated_)
        activated_();
}
