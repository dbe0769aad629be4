// One Benchwright at a time, as a command-line run sees it.
#pragma once

namespace ui {

// True when another Benchwright is running (with its window, or a run of its own): two would stage
// the same files at the same drive root and start two games at once. Otherwise this process is
// the one from now until it ends.
bool AnotherInstanceRunning();

}  // namespace ui
