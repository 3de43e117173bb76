#pragma once

// Whether the system tells of file changes as they happen. Qt falls back to
// polling every watched path when it does not; that is worse than not following
// at all, since every write checks the file anyway.
namespace FileWatchSupport {

bool available();

} // namespace FileWatchSupport
