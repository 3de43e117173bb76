#pragma once

#include <Qt>

class QMouseEvent;

// When a press and its release make a click: the left button, pressed and
// released over the control, and not the second press of a double click (a hasty
// double click on OK must store one reminder, not two). Presses come as
// MouseButtonPress or, for that second press, MouseButtonDblClick.
class MouseClickRule {
public:
    // False when another button is already held: that press starts nothing.
    bool press(const QMouseEvent& event);
    // True when this release ends a click; inside says whether it came over the
    // control. A release while other buttons are still held ends nothing.
    bool release(const QMouseEvent& event, bool inside);
    // The release will not come (the control went away under the mouse).
    void cancel() { held_ = false; }
    bool held() const { return held_; }

private:
    bool held_ = false;
    bool clicks_ = false;
};
