#pragma once

#include "PageWindow.h"
#include "Reminder.h"

// An editor as the main window reaches it: the new-reminder editor and the one
// that corrects a reminder. Filled with a reminder, the latter writes back to
// it, found by identity, wherever the list has moved it meanwhile.
class EditTarget : public PageWindow {
    Q_OBJECT
public:
    using PageWindow::PageWindow;

    virtual void fill(const Reminder& reminder) = 0;
    // The keyboard in the title box, the cursor after its text.
    virtual void focusTitle() = 0;
};
