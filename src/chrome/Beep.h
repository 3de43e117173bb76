#pragma once

// The system beep, counted so tests can see that it sounded.
namespace Beep {
void sound();
int count();
} // namespace Beep
