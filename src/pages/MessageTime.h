#pragma once

// How long a message shows, on the main window's message line and in an
// editor's title box alike.
namespace MessageTime {

inline constexpr int kShownMs = 2000;

} // namespace MessageTime
