#pragma once

#include "MouseClickRule.h"

#include <QObject>

class QWidget;

// Makes a label clickable by the rule of the picture buttons: clicked() on a
// left press and release over it, never for the second press of a double click.
// It only watches, so whatever else handles the label's presses still does. The
// label becomes a Tab stop that Space or Enter clicks, through a LabelFocusProxy that
// is its focus proxy.
class ClickableLabel : public QObject {
    Q_OBJECT
public:
    // Lives as long as the label.
    static ClickableLabel* install(QWidget* label);

signals:
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ClickableLabel(QWidget* label);

    QWidget* label_;
    MouseClickRule gesture_;
};
