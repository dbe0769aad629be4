// What the three windows share: the drawn banner, tooltips, the icon and the default position.
#pragma once

#include <windows.h>

namespace ui {

// Paints the banner into an owner-drawn static: the name on a gradient with a small bar chart.
// The picture is drawn once, at the first paint, into a bitmap kept with the control; later
// paints only copy it (it is drawn again when the control's size has changed).
void DrawBanner(const DRAWITEMSTRUCT& item);

// Adds a tooltip showing `text` over `control` (a static needs SS_NOTIFY); `text` must last as
// long as the control. The tooltip window belongs to `dialog` and goes with it; it is made when
// the mouse first comes over the control, by HandleBannerMessage, which `dialog` passes its
// messages to.
void AddTooltip(HWND dialog, HWND control, const char* text);

// Gives the window the program icon in its caption and in Alt+Tab.
void SetProgramIcon(HWND window);

// Moves the window where the system places a new window by default (dialogs have no such
// placement of their own).
void MoveToDefaultPosition(HWND window);

// Shows the window (restored when minimised) and brings its active popup, a message box or
// question it has open, to the front.
void BringForward(HWND window);

// A hand cursor over a clickable banner; true when the cursor was set.
bool SetHandCursorOver(HWND control, WPARAM wparam);

// The banner's messages: painting it and the hand cursor over it. It also makes the dialog's
// tooltips when the mouse first comes over their controls, and when the dialog goes
// (WM_DESTROY, left unanswered for the dialog's own handling) it frees the banner's picture.
// True when `msg` was answered.
bool HandleBannerMessage(HWND dialog, int banner_id, UINT msg, WPARAM wparam, LPARAM lparam);

// The state a dialog was created with (CreateDialogParam's parameter), remembered at
// WM_INITDIALOG; null for the few messages that come before it.
template <class Window>
Window* AttachedWindow(HWND hwnd, UINT msg, LPARAM lparam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(hwnd, DWLP_USER, lparam);
        reinterpret_cast<Window*>(lparam)->hwnd = hwnd;
    }
    return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, DWLP_USER));
}

}  // namespace ui
