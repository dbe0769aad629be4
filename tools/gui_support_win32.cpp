// Driving windows of another process by messages, for the GUI tests and the demo.
#include "gui_support_win32.h"

#include <vector>

#include "test_support_win32.h"

namespace gui {

namespace {

struct ChildSearch {
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (Text(window) == *search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindTopWindow(DWORD pid, const char* class_name, const std::string& caption) {
    return test_support::FindVisibleWindow(pid, [&](HWND window) {
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        return lstrcmpiA(name, class_name) == 0 && Text(window) == caption;
    });
}

HWND WaitForTopWindow(DWORD pid, const char* class_name, const std::string& caption,
                      DWORD timeout_ms) {
    HWND found = nullptr;
    test_support::WaitUntil(
        [&] { return (found = FindTopWindow(pid, class_name, caption)) != nullptr; }, timeout_ms);
    return found;
}

bool PickMenuItem(HWND window, char menu_key, char item_key, DWORD timeout_ms) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    auto menu_shown = [&] {
        return test_support::FindVisibleWindow(pid, [](HWND w) {
                   char name[16] = {};
                   GetClassNameA(w, name, sizeof name);
                   return lstrcmpA(name, "#32768") == 0;
               }) != nullptr;
    };
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout_ms) {
        // A menu still open from an earlier pick would take the keys meant for this one.
        if (!test_support::WaitUntil([&] { return !menu_shown(); }, timeout_ms)) return false;
        PostMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, menu_key);
        // The item's key only once the menu is open: opening it is itself a message the menu's
        // loop posts, and a key queued before it would go to the menu bar.
        if (test_support::WaitUntil(menu_shown, 2000)) {
            PostMessageA(window, WM_CHAR, static_cast<unsigned char>(item_key), 0);
            return true;
        }
        // Wine: now and then the menu bar is left tracking without its popup. Leave it and try
        // again, as a user pressing Esc would.
        PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(window, WM_KEYUP, VK_ESCAPE, 0);
    }
    return false;
}

HWND FindControl(HWND parent, const std::string& caption) {
    ChildSearch search = {&caption, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string Text(HWND window) {
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(window, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(lstrlenW(wide.c_str()));
    std::string text(wide.size() * 2 + 1, '\0');
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                      text.data(), static_cast<int>(text.size()), nullptr, nullptr);
    text.resize(n > 0 ? n : 0);
    return text;
}

void Click(HWND control) { PostMessageA(control, BM_CLICK, 0, 0); }

bool Checked(HWND control) { return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool ClickUntilChecked(HWND control, bool checked, DWORD timeout_ms) {
    // A click would take it away, and the wait could end before the click arrives.
    if (Checked(control) == checked) return true;
    Click(control);
    return test_support::WaitUntil([&] { return Checked(control) == checked; }, timeout_ms);
}

int ComboCount(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); }

std::string ComboSelection(HWND combo) {
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index < 0) return "";
    wchar_t text[256] = {};
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    char narrow[256] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

void PickComboEntry(HWND dialog, int id, const std::string& entry) {
    HWND combo = GetDlgItem(dialog, id);
    const std::wstring wide(entry.begin(), entry.end());
    SendMessageW(
        combo, CB_SETCURSEL,
        SendMessageW(combo, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(wide.c_str())), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

std::vector<int> TabOrder(HWND dialog, HWND from, int count) {
    std::vector<int> ids;
    for (HWND at = from; count-- > 0;) {
        at = GetNextDlgTabItem(dialog, at, FALSE);
        ids.push_back(GetDlgCtrlID(at));
    }
    return ids;
}

bool SaveWindowBitmap(HWND window, const std::string& path) {
    RECT r;
    if (!GetWindowRect(window, &r)) return false;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    // Wine: PrintWindow gives black for another process's window, so copy it from the screen
    // once it is on top and painted (a blank picture means the paint has not arrived yet).
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    const auto* pixels = static_cast<const unsigned char*>(bits);
    const size_t bytes = static_cast<size_t>(((width * 3 + 3) / 4) * 4) * height;
    const bool painted = test_support::WaitUntil(
        [&] {
            BitBlt(dc, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
            GdiFlush();
            for (size_t i = 1; i < bytes; ++i) {
                if (pixels[i] != pixels[0]) return true;
            }
            return false;
        },
        5000);
    const DWORD image = static_cast<DWORD>(bytes);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
    file.bfSize = file.bfOffBits + image;
    bool saved = false;
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (painted && out != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        saved = WriteFile(out, &file, sizeof(file), &written, nullptr) &&
                WriteFile(out, &info.bmiHeader, sizeof(info.bmiHeader), &written, nullptr) &&
                WriteFile(out, bits, image, &written, nullptr);
    }
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return saved;
}

std::string ReadShared(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return "";
    std::string contents;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0)
        contents.append(buffer, got);
    CloseHandle(f);
    return contents;
}

std::vector<std::string> ReadSharedLines(const std::string& path) {
    const std::string all = ReadShared(path);
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = all.find('\n', at)) != std::string::npos; at = end + 1) {
        lines.push_back(all.substr(at, end - at));
        if (lines.back().ends_with('\r')) lines.back().pop_back();
    }
    return lines;
}

ClassesDefault::ClassesDefault(const std::string& key, const std::string& value) : key_(key) {
    char old[512] = {};
    LONG size = sizeof old;
    had_ = RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), old, &size) == ERROR_SUCCESS;
    old_ = old;
    test_support::SetClassesDefault(key, value);
}

ClassesDefault::~ClassesDefault() {
    if (had_)
        test_support::SetClassesDefault(key_, old_);
    else
        RegDeleteKeyA(HKEY_CLASSES_ROOT, key_.c_str());
}

}  // namespace gui
