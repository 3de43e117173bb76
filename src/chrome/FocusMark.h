#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// The keyboard's focus mark: a thin dotted ink-blue rectangle on the control that
// holds the focus, shown only while the user works by keys. Tab, Backtab and the
// program's shortcuts show it; a mouse press and focus the program gives hide it;
// a window coming to the front leaves it as it was. A mouse user never sees it.
class FocusMark : public QObject {
    Q_OBJECT
public:
    // Once, for the whole application.
    static void install();
    // A shortcut acted: its user works by keys.
    static void showForKeys();
    // Gives the focus to `to` for a key's sake (its control went away under it),
    // leaving the mark as it was.
    static void moveFocus(QWidget* to);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FocusMark(QObject* parent);
    void setShown(bool shown);
    // Puts the mark on the control with the focus, or takes it away.
    void follow();

    bool shown_ = false;
    bool keep_ = false;
    QPointer<QWidget> frame_;
};
