// The drawn banner as the main window shows it, seen on the screen from this second process: the
// picture that later paints copy is drawn anew when the control's size changes, and its tooltip
// shows while the mouse rests on it.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <string>
#include <vector>

#include "program_win32.h"
#include "test_support_win32.h"
#include "ui/resource.h"

namespace {

using namespace test_program;
namespace ts = test_support;

// The screen's pixels under the `width` x `height` top-left part of `window` (24-bit rows).
std::vector<unsigned char> ScreenPixels(HWND window, int width, int height) {
    RECT r;
    GetWindowRect(window, &r);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    BitBlt(dc, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const unsigned char*>(bits);
    std::vector<unsigned char> pixels(first, first + ((width * 3 + 3) / 4) * 4 * height);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Gives `control` a new size and has it painted at once.
void ResizeAndPaint(HWND control, int width, int height) {
    SetWindowPos(control, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

TEST(BannerGui, RepaintsItsPictureAndDrawsItAnewAtANewSize) {
    Program program(kFull);
    ASSERT_TRUE(program.Main());
    SetWindowPos(program.Main(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HWND banner = program.Item(IDC_MAIN_BANNER);
    RECT client;
    ASSERT_TRUE(GetClientRect(banner, &client));
    const int width = client.right, height = client.bottom, narrow = width * 2 / 3;

    // Painted: more than one colour (the screen shows a paint a moment after it is made).
    std::vector<unsigned char> whole, left;
    ASSERT_TRUE(Until([&] {
        whole = ScreenPixels(banner, width, height);
        for (unsigned char byte : whole) {
            if (byte != whole[0]) return true;
        }
        return false;
    }));
    left = ScreenPixels(banner, narrow, height);

    // Narrower, it is drawn for its new width (the bars move left), not copied from the old one.
    ResizeAndPaint(banner, narrow, height);
    EXPECT_TRUE(Until([&] { return ScreenPixels(banner, narrow, height) != left; }));
    // At its old size again, the picture is drawn whole once more.
    ResizeAndPaint(banner, width, height);
    EXPECT_TRUE(Until([&] { return ScreenPixels(banner, width, height) == whole; }));
}

TEST(BannerGui, ShowsItsTooltipWhileTheMouseRestsOnIt) {
    Program program(kFull);
    ASSERT_TRUE(program.Main());
    SetWindowPos(program.Main(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RECT banner;
    ASSERT_TRUE(GetWindowRect(program.Item(IDC_MAIN_BANNER), &banner));
    const auto tip = [&] {
        return ts::FindVisibleWindow(program.pid(), [](HWND window) {
            char name[32] = {};
            GetClassNameA(window, name, sizeof name);
            return std::string(name) == TOOLTIPS_CLASSA;
        });
    };
    EXPECT_FALSE(tip());
    SetCursorPos((banner.left + banner.right) / 2, (banner.top + banner.bottom) / 2);
    EXPECT_TRUE(Until([&] { return tip() != nullptr; }));
    SetCursorPos(0, 0);
    EXPECT_TRUE(Until([&] { return tip() == nullptr; }));
}

}  // namespace
