#pragma once

#include "KeyClickRule.h"

#include <QWidget>

// A Tab stop for a label. A label that takes the focus lays its text out anew,
// a pixel away from where a mouse user sees it, so this transparent child of
// the label's takes the keyboard for it: it lies over what it stands for, leaves
// the mouse to it, and clicks on Space or Enter as a picture button does. Other
// keys go on to its parent.
class LabelFocusProxy : public QWidget {
    Q_OBJECT
public:
    LabelFocusProxy(const QString& name, QWidget* parent);
    // Lies over this widget, the parent itself or a child of the parent.
    void cover(const QWidget* target);

signals:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    KeyClickRule keys_;
};
