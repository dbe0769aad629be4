// Benchwright's entry point.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, "Benchwright", "Benchwright", MB_OK);
    return 0;
}
