#pragma once

#include "Reminder.h"

// An editor as the main window's commands see it. The one that corrects a
// reminder is filled with the reminder at a store index and writes back to it.
class EditTarget {
public:
    virtual ~EditTarget() = default;
    virtual void fill(int storeIndex, const Reminder& reminder) = 0;
    // The keyboard in the title box, the cursor after its text.
    virtual void focusTitle() = 0;
};
