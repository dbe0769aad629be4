// Drives a running Benchwright as a user would, for the demo without a display: ticks the named
// resolutions, presses a preset button and waits until the results page is complete.
//   demo_driver <results.html> <button caption> <resolution>...
// Exit codes: 0 done, 1 bad arguments, 2 window or control not found, 3 the run did not finish.
#include <cstdio>
#include <string>

#include "gui_support_win32.h"
#include "test_support_win32.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: demo_driver <results.html> <button> <resolution>...\n");
        return 1;
    }
    const std::string page = argv[1];
    HWND main = gui::WaitForTopWindow(0, "#32770", "Benchwright", 60000);
    if (!main) {
        std::fprintf(stderr, "demo_driver: no Benchwright window\n");
        return 2;
    }
    HWND button = gui::FindControl(main, argv[2]);
    if (!button) {
        std::fprintf(stderr, "demo_driver: no button \"%s\"\n", argv[2]);
        return 2;
    }
    for (int i = 3; i < argc; ++i) {
        HWND box = gui::FindControl(main, argv[i]);
        if (!box || !gui::ClickUntilChecked(box, true, 10000)) {
            std::fprintf(stderr, "demo_driver: cannot tick \"%s\"\n", argv[i]);
            return 2;
        }
    }
    if (!test_support::WaitUntil([&] { return IsWindowEnabled(button) != FALSE; }, 10000)) {
        std::fprintf(stderr, "demo_driver: \"%s\" stays disabled\n", argv[2]);
        return 2;
    }
    std::printf("demo_driver: pressing \"%s\"\n", argv[2]);
    std::fflush(stdout);
    gui::Click(button);
    // The page is complete once its footer is written and the buttons are back.
    const bool done = test_support::WaitUntil(
        [&] {
            return gui::ReadShared(page).find("</CENTER>") != std::string::npos &&
                   IsWindowEnabled(button);
        },
        15 * 60 * 1000);
    if (!done) {
        std::fprintf(stderr, "demo_driver: no complete results page at %s\n", page.c_str());
        return 3;
    }
    std::printf("demo_driver: results page written\n");
    return 0;
}
