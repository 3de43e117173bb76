#pragma once

#include "Clock.h"
#include "DueCheck.h"
#include "ReminderStore.h"
#include "WindowOwner.h"

#include <memory>

class DesktopNotifier;
class ListFollower;
class frm0_Inicial;
struct SecondaryWindows;

// The whole program: the store, the windows and what follows the file and the
// date, wired together, and its start-up in one place.
class Application {
public:
    // After this long without a first paint, start-up goes on all the same.
    static constexpr int kStartUpFallbackMs = 1000;

    // Due reminders go to send; by default to the desktop's notification service.
    Application(const QString& dataFolder, const Clock& clock, DueCheck::Send send = {});
    ~Application();

    void start();
    // What a second start of the program asks for: the steps of a restore from
    // the tray, and the main window comes to the front.
    void restoreWindows();

    frm0_Inicial& mainWindow() { return *main_; }
    WindowOwner& owner() { return owner_; }
    ReminderStore& store() { return store_; }
    DueCheck& dueCheck() { return *dueCheck_; }

private:
    const Clock& clock_;
    ReminderStore store_;
    WindowOwner owner_;
    std::unique_ptr<SecondaryWindows> windows_;
    std::unique_ptr<frm0_Inicial> main_;
    std::unique_ptr<DesktopNotifier> notifier_;
    std::unique_ptr<DueCheck> dueCheck_;
    std::unique_ptr<ListFollower> sync_;
    bool startedUp_ = false;
};
