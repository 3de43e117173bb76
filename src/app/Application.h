#pragma once

#include "Clock.h"
#include "DueCheck.h"
#include "ReminderStore.h"
#include "WindowOwner.h"

#include <memory>

class DesktopNotifier;
class ListFollower;
class frm0_Inicial;

// The whole program: the store, the owner of the secondary windows and the main
// window, wired together.
class Application {
public:
    Application(const QString& dataFolder, const Clock& clock);
    ~Application();

    void start();
    // Announces due reminders once the main window has painted and again each new
    // day; by default to the desktop's notification service.
    void watchDueReminders(DueCheck::Send send = {});
    // What a second start of the program asks for: the steps of a restore from
    // the tray, and the main window comes to the front.
    void restoreWindows();
    frm0_Inicial& mainWindow() { return *main_; }
    WindowOwner& owner() { return owner_; }
    ReminderStore& store() { return store_; }
    DueCheck* dueCheck() { return dueCheck_.get(); }

private:
    const Clock& clock_;
    ReminderStore store_;
    WindowOwner owner_;
    std::unique_ptr<frm0_Inicial> main_;
    std::unique_ptr<DesktopNotifier> notifier_;
    std::unique_ptr<DueCheck> dueCheck_;
    std::unique_ptr<ListFollower> sync_;
};
