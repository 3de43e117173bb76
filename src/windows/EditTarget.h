#pragma once

#include "Reminder.h"

// A window that corrects one reminder: filled with the reminder at a store index,
// it writes back to that index.
class EditTarget {
public:
    virtual ~EditTarget() = default;
    virtual void fill(int storeIndex, const Reminder& reminder) = 0;
};
