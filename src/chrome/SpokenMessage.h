#pragma once

#include <QObject>

class QLabel;
class QTimer;
class QWidget;

// A message as a screen reader hears it: Orca speaks a notification as it starts
// showing, and ignores a label that shows or changes its text. The notification
// has no size, so the page looks the same; it stays beside the text the page shows.
class SpokenMessage : public QObject {
    Q_OBJECT
public:
    explicit SpokenMessage(QWidget* window);

    // Heard once, the same text again too, and only after the window the command
    // asked for has become active, whose announcement would cut it off.
    void say(const QString& text);
    void hush();

private:
    void showWhenSettled();

    QLabel* line_;
    // The first look, then the limit of the wait for a window that never comes.
    QTimer* wait_;
    QMetaObject::Connection arrival_;
};
