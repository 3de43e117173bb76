#pragma once

#include "Beep.h"

// Stands in for the speaker while it lives and counts the beeps it hears.
class HeardBeeps {
public:
    HeardBeeps()
    {
        Beep::setSounder([this] { ++count_; });
    }
    ~HeardBeeps() { Beep::setSounder({}); }
    HeardBeeps(const HeardBeeps&) = delete;
    HeardBeeps& operator=(const HeardBeeps&) = delete;

    int count() const { return count_; }

private:
    int count_ = 0;
};
