#pragma once

#include <QDate>
#include <QString>

class QWidget;
class ReminderStore;
enum class StoreStatus;

// What the secondary windows may ask of the main window, so they never depend on
// its class.
class MainHost {
public:
    virtual ~MainHost() = default;

    virtual ReminderStore& store() = 0;
    // Beeps and shows the text in the message line for 2000 ms. The list and its
    // save picture follow the store by themselves.
    virtual void showMessage(const QString& text) = 0;
    // Shows or hides the message line without changing its text.
    virtual void setMessageVisible(bool visible) = 0;
    // Activates the main window with the keyboard on a holder that ignores keys,
    // so no row of the list holds the focus.
    virtual void focusHolder() = 0;
    virtual QWidget* mainWindow() = 0;
    // Today, by the main window's clock.
    virtual QDate today() const = 0;
    // Heard by a screen reader and not shown, as a status toggle is.
    virtual void announce(const QString& text) = 0;

    // The messages every window shows the same way, through showMessage.
    // The store's message for a failed operation; true when it succeeded.
    bool report(StoreStatus status);
    // A command that acts on the selected row found none.
    void askForSelection();
};
