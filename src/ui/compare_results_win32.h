// File > "Compare Results...": earlier results side by side from the main window.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

// Asks for a results folder, or a folder of them (the picker starts at the Results folder beside
// the program), writes the comparison to Results\compare.html with its CSV beside it, and opens
// the page. A page that cannot be written is said in a message.
void CompareResultsFromWindow(HWND owner, const std::string& app_folder);

}  // namespace ui
