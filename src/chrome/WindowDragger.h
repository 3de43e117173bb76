#pragma once

#include <QObject>
#include <QPoint>

class QMouseEvent;
class QWidget;

// Moves a frameless window while any mouse button is held on its bare body: the
// window itself, its background picture, or a child that takes no mouse input. A
// press on a control belongs to the control.
class WindowDragger : public QObject {
    Q_OBJECT
public:
    // The dragger lives as long as the window.
    static WindowDragger* install(QWidget* window);

    bool dragging() const { return dragging_; }
    // Whether a window point lies on the bare body.
    bool onBody(const QPoint& at) const;

signals:
    // Once per drag, after the last button came up, whether or not the window moved.
    void dragFinished();
    // A double click on the bare body; it starts no drag.
    void bodyDoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WindowDragger(QWidget* window);
    bool press(QMouseEvent* event);
    void follow(QMouseEvent* event);
    void finish();

    QWidget* window_;
    bool dragging_ = false;
    QPoint grabOffset_;
};
