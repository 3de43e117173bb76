#pragma once

class QKeyEvent;

// When a key makes a click on a focused control: Space or Enter, acting on the
// release, so that holding the key does nothing until it is let go, and never
// for the presses and releases that auto-repeat adds.
class KeyClickRule {
public:
    // Space, Return or Enter without Ctrl, Alt or Meta: the control's own key,
    // whose press and release it takes whether or not they click.
    static bool isClickKey(const QKeyEvent& event);

    // True when this press starts a click (the first, not a repeat).
    bool press(const QKeyEvent& event);
    // True when this release ends the click its press started.
    bool release(const QKeyEvent& event);
    // The release will not come to this control (it lost the focus or went away).
    void cancel() { key_ = 0; }
    bool held() const { return key_ != 0; }

private:
    int key_ = 0;
};
