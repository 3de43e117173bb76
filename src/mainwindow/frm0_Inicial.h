#pragma once

#include "ListState.h"
#include "MainHost.h"
#include "ReminderStore.h"
#include "WindowCommands.h"

#include <QWidget>

#include <memory>

class Clock;
class MainListCommands;
class MainListInput;
class MainListRows;
class QTimer;
class SpokenMessage;
class TrayMinimizer;
struct SecondaryWindows;
namespace Ui {
class frm0_Inicial;
}

// The main window: today's date, one page of the reminder list, the total, the
// message line and the picture commands. It owns nothing of the other windows
// but reaches them, each as what it is, through the secondary windows it is
// given. Its list and save picture follow the store.
class frm0_Inicial : public QWidget, public MainHost {
    Q_OBJECT
public:
    static constexpr QSize kSize{249, 345};

    frm0_Inicial(ReminderStore& store, SecondaryWindows& windows, const Clock& clock,
                 QWidget* parent = nullptr);
    ~frm0_Inicial() override;

    // To the bottom-right of the primary screen, where it starts.
    void moveToCorner();
    // Top-left corner that puts the window in the bottom-right of a screen.
    static QPoint startPosition(const QRect& screen);

    enum class Sound { Beep, Silent };
    // The message line for MessageTime::kShownMs, heard by a screen reader too.
    // Silent for what happens without the user: a sync at night must make no noise.
    void showMessage(const QString& text, Sound sound);

    // The newest page, nothing selected.
    void showFirstPage();

    // MainHost
    ReminderStore& store() override { return store_; }
    void showMessage(const QString& text) override { showMessage(text, Sound::Beep); }
    void setMessageVisible(bool visible) override;
    void focusHolder() override;
    QWidget* mainWindow() override { return this; }
    QDate today() const override;
    void announce(const QString& text) override;

    TrayMinimizer& tray() const { return *tray_; }
    const ListState& listState() const { return state_; }

private:
    // The one place the list and its save picture follow the store: after the
    // program's own load or write the first page, after a change from elsewhere
    // the first page with the selection and the viewer kept.
    void followStore();
    void buildControls();
    // Dragging and docking, close-all, the press effect and the tray.
    void wireChrome();
    // The Tab order and the shortcuts of the keyboard.
    void wireKeys();

    ReminderStore& store_;
    SecondaryWindows& windows_;
    const Clock& clock_;
    ListState state_;
    WindowCommands commands_;
    std::unique_ptr<Ui::frm0_Inicial> ui_;
    std::unique_ptr<MainListRows> rows_;
    std::unique_ptr<MainListCommands> list_;
    // Last, so that it stops following the list before anything it calls goes.
    std::unique_ptr<MainListInput> input_;
    QTimer* Timer1 = nullptr;
    TrayMinimizer* tray_ = nullptr;
    SpokenMessage* spoken_ = nullptr;
    // The selected reminder, taken as the store's rows are about to change.
    std::optional<Reminder> selectedBefore_;
};
