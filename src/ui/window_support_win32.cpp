// The banner drawing, tooltips, icon and placement that the windows share.
#include "ui/window_support_win32.h"

#include <commctrl.h>

#include "ui/resource.h"

namespace ui {

namespace {

int Mix(int from, int to, int step, int steps) { return from + (to - from) * step / steps; }

HFONT BannerFont(int height, int weight, const char* face) {
    return CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, face);
}

// Paints the banner's picture into `dc` over `r`.
void PaintBanner(HDC dc, const RECT& r) {
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;

    // A left-to-right gradient from night blue to teal, in bands (no msimg32 needed).
    constexpr int kBands = 64;
    for (int i = 0; i < kBands; ++i) {
        RECT band = {r.left + width * i / kBands, r.top, r.left + width * (i + 1) / kBands,
                     r.bottom};
        HBRUSH brush = CreateSolidBrush(
            RGB(Mix(16, 24, i, kBands), Mix(32, 128, i, kBands), Mix(72, 150, i, kBands)));
        FillRect(dc, &band, brush);
        DeleteObject(brush);
    }

    // Rising bars at the right: a frame-rate chart in miniature.
    const int bar_width = width / 28;
    const int bars_left = r.right - 5 * (bar_width + bar_width / 2);
    for (int i = 0; i < 4; ++i) {
        const int bar_height = height * (3 + 2 * i) / 12;
        RECT bar = {bars_left + i * (bar_width + bar_width / 2), r.bottom - height / 8 - bar_height,
                    0, r.bottom - height / 8};
        bar.right = bar.left + bar_width;
        HBRUSH brush = CreateSolidBrush(RGB(Mix(120, 250, i, 3), Mix(200, 190, i, 3), 80));
        FillRect(dc, &bar, brush);
        DeleteObject(brush);
    }

    SetBkMode(dc, TRANSPARENT);
    const int left = r.left + height / 4;
    const int room = bars_left - left - bar_width / 2;
    HFONT title = BannerFont(height * 9 / 20, FW_BOLD, "Arial");
    HFONT old = static_cast<HFONT>(SelectObject(dc, title));
    RECT text = {left, r.top, bars_left, r.top + height * 2 / 3};
    RECT shadow = text;
    OffsetRect(&shadow, 2, 2);
    SetTextColor(dc, RGB(8, 16, 40));
    DrawTextA(dc, "Benchwright", -1, &shadow, DT_LEFT | DT_BOTTOM | DT_SINGLELINE);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextA(dc, "Benchwright", -1, &text, DT_LEFT | DT_BOTTOM | DT_SINGLELINE);

    // The subtitle shrinks until it stays clear of the bars.
    const char* subtitle_text = "Unreal Tournament 2003 benchmarks";
    HFONT subtitle = nullptr;
    for (int size = height / 6; size >= 8; --size) {
        if (subtitle) DeleteObject(subtitle);
        subtitle = BannerFont(size, FW_NORMAL, "Arial");
        SelectObject(dc, subtitle);
        SIZE extent;
        GetTextExtentPoint32A(dc, subtitle_text, lstrlenA(subtitle_text), &extent);
        if (extent.cx <= room) break;
    }
    RECT line = {left + 2, r.top + height * 2 / 3, bars_left, r.bottom};
    SetTextColor(dc, RGB(190, 225, 240));
    DrawTextA(dc, subtitle_text, -1, &line, DT_LEFT | DT_TOP | DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(title);
    DeleteObject(subtitle);
}

// The banner's picture, made at its first paint and kept on the control (a window property)
// until its window goes; made again only when the control's size changes.
constexpr const char* kBannerPicture = "Benchwright.BannerPicture";

HBITMAP MakeBannerPicture(HDC screen, int width, int height) {
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    if (!memory || !picture) {
        if (memory) DeleteDC(memory);
        if (picture) DeleteObject(picture);
        return nullptr;
    }
    HGDIOBJ old = SelectObject(memory, picture);
    const RECT all = {0, 0, width, height};
    PaintBanner(memory, all);
    SelectObject(memory, old);
    DeleteDC(memory);
    return picture;
}

void FreeBannerPicture(HWND control) {
    if (HANDLE picture = RemovePropA(control, kBannerPicture)) DeleteObject(picture);
}

// A tooltip that AddTooltip promised: its text, kept on the control until the mouse first comes
// over it. The tooltip is a window of its own, and most starts never need it.
constexpr const char* kTooltipText = "Benchwright.TooltipText";

void MakeTooltip(HWND dialog, HWND control, const char* text) {
    HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    // The tooltip follows the mouse over the control through its own subclass of the control,
    // made here before the mouse move that brought the cursor reaches the control.
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = dialog;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<char*>(text);
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

BOOL CALLBACK ForgetTooltip(HWND control, LPARAM) {
    RemovePropA(control, kTooltipText);
    return TRUE;
}

}  // namespace

void DrawBanner(const DRAWITEMSTRUCT& item) {
    const RECT& r = item.rcItem;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    auto picture = static_cast<HBITMAP>(GetPropA(item.hwndItem, kBannerPicture));
    BITMAP size = {};
    if (picture && GetObjectA(picture, sizeof size, &size) &&
        (size.bmWidth != width || size.bmHeight != height)) {
        FreeBannerPicture(item.hwndItem);
        picture = nullptr;
    }
    if (!picture) {
        picture = MakeBannerPicture(item.hDC, width, height);
        if (!picture) {  // no memory for the picture: paint straight onto the control
            PaintBanner(item.hDC, r);
            return;
        }
        SetPropA(item.hwndItem, kBannerPicture, picture);
    }
    HDC memory = CreateCompatibleDC(item.hDC);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(item.hDC, r.left, r.top, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void AddTooltip(HWND /*dialog: the one HandleBannerMessage is called for*/, HWND control,
                const char* text) {
    SetPropA(control, kTooltipText, const_cast<char*>(text));
}

void SetProgramIcon(HWND window) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    auto load = [&](int size) {
        return reinterpret_cast<LPARAM>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_BENCHWRIGHT),
                                                   IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    };
    SendMessageA(window, WM_SETICON, ICON_BIG, load(GetSystemMetrics(SM_CXICON)));
    SendMessageA(window, WM_SETICON, ICON_SMALL, load(GetSystemMetrics(SM_CXSMICON)));
}

void MoveToDefaultPosition(HWND window) {
    // Ask the system by making a hidden window at the default place and reading where it went.
    HWND probe = CreateWindowExA(0, "STATIC", nullptr, WS_OVERLAPPED, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    if (!probe) return;
    RECT place;
    GetWindowRect(probe, &place);
    DestroyWindow(probe);
    SetWindowPos(window, nullptr, place.left, place.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void BringForward(HWND window) {
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(window));
}

bool SetHandCursorOver(HWND control, WPARAM wparam) {
    if (reinterpret_cast<HWND>(wparam) != control) return false;
    SetCursor(LoadCursorA(nullptr, IDC_HAND));
    return true;
}

bool HandleBannerMessage(HWND dialog, int banner_id, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_DESTROY) {  // the children still exist; the dialog goes on with its own part
        FreeBannerPicture(GetDlgItem(dialog, banner_id));
        EnumChildWindows(dialog, ForgetTooltip, 0);
        return false;
    }
    if (msg == WM_SETCURSOR) {  // the mouse is over the window or one of its controls
        HWND under = reinterpret_cast<HWND>(wparam);
        if (auto text = static_cast<const char*>(RemovePropA(under, kTooltipText)))
            MakeTooltip(dialog, under, text);
    }
    if (msg == WM_DRAWITEM) {
        DrawBanner(*reinterpret_cast<DRAWITEMSTRUCT*>(lparam));
        return true;
    }
    if (msg == WM_SETCURSOR && SetHandCursorOver(GetDlgItem(dialog, banner_id), wparam)) {
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
        return true;
    }
    return false;
}

}  // namespace ui
