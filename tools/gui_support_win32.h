// Driving Benchwright's windows from another process, as the GUI tests and the demo do: find
// windows by class and caption, click with posted messages, wait with a deadline, take pictures,
// point a shell association at a capturing program for a while.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace gui {

// A visible top-level window of process `pid` (0: any process) with this class and caption.
HWND FindTopWindow(DWORD pid, const char* class_name, const std::string& caption);
HWND WaitForTopWindow(DWORD pid, const char* class_name, const std::string& caption,
                      DWORD timeout_ms);

// Picks a menu item as a user does with the keyboard: Alt with the menu's access key, then, once
// the menu shows, the item's. Waits first for a menu still open to close. False when either
// wait took longer than `timeout_ms`.
bool PickMenuItem(HWND window, char menu_key, char item_key, DWORD timeout_ms);

// A child control of `parent`, at any depth, whose text is `caption` exactly.
HWND FindControl(HWND parent, const std::string& caption);

// The window's text (through the wide messages, which survive the trip between processes).
std::string Text(HWND window);

// Posts a click to a button, check box or option button.
void Click(HWND control);
bool Checked(HWND control);

// Clicks `control`, unless its check state is `checked` already, and waits until it is.
bool ClickUntilChecked(HWND control, bool checked, DWORD timeout_ms);

// A combo box's entry count, and its selected entry ("" when none).
int ComboCount(HWND combo);
std::string ComboSelection(HWND combo);
// Selects combo box `id`'s entry as a user's pick does, the dialog's notification included.
void PickComboEntry(HWND dialog, int id, const std::string& entry);

// The ids of the `count` controls that Tab reaches one after another from `from`.
std::vector<int> TabOrder(HWND dialog, HWND from, int count);

// Copies the window, frame included, from the screen into a 24-bit BMP file.
bool SaveWindowBitmap(HWND window, const std::string& path);

// The whole file, or "" when it cannot be read (shared with a writer).
std::string ReadShared(const std::string& path);
// Its lines, without their line ends.
std::vector<std::string> ReadSharedLines(const std::string& path);

// While it lives, the default value of HKEY_CLASSES_ROOT\`key` is `value`; the old one comes back.
class ClassesDefault {
public:
    ClassesDefault(const std::string& key, const std::string& value);
    ~ClassesDefault();

private:
    std::string key_, old_;
    bool had_ = false;
};

}  // namespace gui
