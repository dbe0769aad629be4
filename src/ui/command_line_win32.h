// benchwright.exe started with arguments: no main window, text to the parent's console.
#pragma once

#include <string>
#include <vector>

namespace ui {

// Does what the arguments (without the program's own name) ask: a run, a comparison or the usage,
// and returns the process's exit code. Shows no message box and opens nothing.
int CarryOutCommandLine(const std::vector<std::string>& args);

}  // namespace ui
