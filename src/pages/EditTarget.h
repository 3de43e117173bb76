#pragma once

#include "Reminder.h"

// A window that corrects one reminder: filled with it, it writes back to it,
// found by identity, wherever the list has moved it meanwhile.
class EditTarget {
public:
    virtual ~EditTarget() = default;
    virtual void fill(const Reminder& reminder) = 0;
    // The keyboard in the title box, the cursor after its text.
    virtual void focusTitle() = 0;
};
