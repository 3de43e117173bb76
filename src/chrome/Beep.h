#pragma once

#include <functional>

// The system beep.
namespace Beep {
void sound();
// What sounds instead of the speaker (a test's ear, since a beep leaves no trace
// a test can see); an empty one gives the speaker back.
void setSounder(std::function<void()> sounder);
} // namespace Beep
