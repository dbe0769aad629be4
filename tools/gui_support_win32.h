// Driving Benchwright's windows from another process, as the GUI tests and the demo do: find
// windows by class and caption, click with posted messages, wait with a deadline, take pictures.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace gui {

// Polls `done` every 20 ms until it is true or `timeout_ms` has passed; returns its last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD timeout_ms);

// A visible top-level window of process `pid` (0: any process) with this class and caption.
HWND FindTopWindow(DWORD pid, const char* class_name, const std::string& caption);
HWND WaitForTopWindow(DWORD pid, const char* class_name, const std::string& caption,
                      DWORD timeout_ms);

// A child control of `parent`, at any depth, whose text is `caption` exactly.
HWND FindControl(HWND parent, const std::string& caption);

// The window's text (through the wide messages, which survive the trip between processes).
std::string Text(HWND window);

// Posts a click to a button, check box or option button.
void Click(HWND control);
bool Checked(HWND control);

// Clicks `control` and waits until its check state is `checked`.
bool ClickUntilChecked(HWND control, bool checked, DWORD timeout_ms);

// Copies the window, frame included, from the screen into a 24-bit BMP file.
bool SaveWindowBitmap(HWND window, const std::string& path);

// The whole file, or "" when it cannot be read (shared with a writer).
std::string ReadShared(const std::string& path);

}  // namespace gui
