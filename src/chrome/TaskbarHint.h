#pragma once

#include <QObject>

class QWidget;

// Keeps a window out of the taskbar and the pager. Qt::Tool alone only makes it a
// utility window, which not every X11 taskbar leaves out, so each time the window
// is shown the skip states are asked for as well. Other platforms need nothing.
class TaskbarHint : public QObject {
    Q_OBJECT
public:
    static void keepOut(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
