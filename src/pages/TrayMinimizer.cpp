#include "TrayMinimizer.h"

#include "PageWindow.h"
#include "Pictures.h"
#include "WindowOwner.h"

#include <QEvent>
#include <QWidget>

TrayMinimizer::TrayMinimizer(WindowOwner& owner, QWidget* main, Availability trayAvailable)
    : QObject(main), owner_(owner), main_(main), trayAvailable_(std::move(trayAvailable))
{
    if (!trayAvailable_)
        trayAvailable_ = &QSystemTrayIcon::isSystemTrayAvailable;
    watch_.setInterval(kWatchMs);
    connect(&watch_, &QTimer::timeout, this, &TrayMinimizer::checkTray);
    main_->installEventFilter(this);
}

void TrayMinimizer::showIcon()
{
    if (!icon_) {
        icon_ = new QSystemTrayIcon(Pictures::icon(), this);
        icon_->setToolTip(QLatin1String(kTip));
        // No context menu: on several trays a menu swallows the right press.
        connect(icon_, &QSystemTrayIcon::activated, this, &TrayMinimizer::activated);
    }
    icon_->show();
}

void TrayMinimizer::removeIcon()
{
    watch_.stop();
    delete icon_;
    icon_ = nullptr;
}

void TrayMinimizer::minimize()
{
    showIcon();
    if (!trayAvailable_()) {
        minimizeToTaskbar();
        return;
    }
    main_->hide();
    owner_.hideAll();
    watch_.start();
}

void TrayMinimizer::minimizeToTaskbar()
{
    owner_.hideAll();
    toTaskbar_ = true;
    main_->showMinimized();
}

void TrayMinimizer::checkTray()
{
    if (main_->isVisible()) {
        watch_.stop();
        return;
    }
    // The notification area went away while everything was hidden.
    if (!trayAvailable_()) {
        watch_.stop();
        minimizeToTaskbar();
    }
}

void TrayMinimizer::activated(QSystemTrayIcon::ActivationReason reason)
{
    // A left press arrives as Trigger and a right press as Context; a double or
    // middle click adds nothing to the press it includes.
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context)
        restore();
}

void TrayMinimizer::restore()
{
    watch_.stop();
    toTaskbar_ = false;
    if (main_->isMinimized())
        main_->showNormal();
    else
        main_->show();
    for (Secondary id : {Secondary::VerLembrete, Secondary::Escrever}) {
        PageWindow& page = owner_.get(id);
        if (page.restoresWithMain())
            page.show();
    }
}

bool TrayMinimizer::eventFilter(QObject* watched, QEvent* event)
{
    // Brought back from the taskbar: the same steps as a press on the icon.
    if (watched == main_ && event->type() == QEvent::WindowStateChange && toTaskbar_ &&
        !main_->isMinimized())
        restore();
    return QObject::eventFilter(watched, event);
}
