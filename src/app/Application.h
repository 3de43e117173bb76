#pragma once

#include "Clock.h"
#include "ReminderStore.h"
#include "WindowOwner.h"

#include <memory>

class frm0_Inicial;

// The whole program: the store, the owner of the secondary windows and the main
// window, wired together.
class Application {
public:
    Application(const QString& dataFolder, const Clock& clock);
    ~Application();

    void start();
    // What a second start of the program asks for: the steps of a restore from
    // the tray, and the main window comes to the front.
    void restoreWindows();
    frm0_Inicial& mainWindow() { return *main_; }
    WindowOwner& owner() { return owner_; }
    ReminderStore& store() { return store_; }

private:
    const Clock& clock_;
    ReminderStore store_;
    WindowOwner owner_;
    std::unique_ptr<frm0_Inicial> main_;
};
