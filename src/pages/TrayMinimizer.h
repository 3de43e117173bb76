#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <functional>

class QWidget;
class WindowOwner;

// The notification icon and the minimise/restore pair of the main window. The
// icon stays from start-up to shutdown; minimising hides all six windows, and a
// left or right press on the icon brings back the main window with the viewer
// and the new-reminder editor when they were in use. Where there is no
// notification area, minimising goes to the taskbar instead so the program can
// always be reached.
class TrayMinimizer : public QObject {
    Q_OBJECT
public:
    using Availability = std::function<bool()>;
    static constexpr const char* kTip = "Quivera Recordim!";
    // How often a hidden program checks that the notification area is still there.
    static constexpr int kWatchMs = 1000;

    // trayAvailable defaults to asking the platform; tests give their own, as no
    // test can take the notification area away from the desktop.
    TrayMinimizer(WindowOwner& owner, QWidget* main, Availability trayAvailable = {});

    // The icon, from start-up to shutdown.
    void showIcon();
    void minimize();
    void restore();
    // Shutdown: the icon goes away.
    void removeIcon();

    QSystemTrayIcon* icon() const { return icon_; }
    // Minimised to the taskbar for want of a notification area.
    bool minimizedToTaskbar() const { return toTaskbar_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void activated(QSystemTrayIcon::ActivationReason reason);
    void minimizeToTaskbar();
    void checkTray();

    WindowOwner& owner_;
    QWidget* main_;
    Availability trayAvailable_;
    QSystemTrayIcon* icon_ = nullptr;
    QTimer watch_;
    bool toTaskbar_ = false;
};
