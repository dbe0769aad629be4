// Resource and control identifiers, one band per window; the caption each control shows stands
// beside its identifier.
#pragma once

#define IDI_BENCHWRIGHT 1

// Main window: 1000-1099
#define IDD_MAIN 1000
#define IDR_MAIN_MENU 1001
#define IDC_MAIN_BANNER 1010          // the banner picture (opens the maker's web site)
#define IDC_CPU_BENCHMARK 1011        // "CPU Benchmark"
#define IDC_HIGH_QUALITY 1012         // "High Quality"
#define IDC_LOW_QUALITY 1013          // "Low Quality"
#define IDC_CUSTOM_TEST 1014          // "Custom Test"
#define IDC_RESOLUTION_GROUP 1020     // "Resolution"
#define IDC_RENDER_ENGINE_GROUP 1021  // "Rendering Engine"
#define IDC_VERSION_GROUP 1022        // "Version"
#define IDC_DIRECT3D 1023             // "Direct3D"
#define IDC_OPENGL 1024               // "OpenGL"
#define IDC_FULL 1025                 // "Full"
#define IDC_DEMO 1026                 // "Demo"
// The five resolution boxes: box i (0 "640x480" to 4 "1600x1200") is IDC_RESOLUTION_FIRST + i.
#define IDC_RESOLUTION_FIRST 1030
#define IDM_EXIT 1050              // File > "Exit"
#define IDM_ABOUT 1051             // Help > "About"
#define IDM_HELP 1052              // Help > "Help"
#define IDM_OPTIONS 1053           // File > "Options..."
#define IDM_OPEN_LAST_REPORT 1054  // File > "Open Last Report"
#define IDM_COMPARE 1055           // File > "Compare Results..."

// Custom test window: 1100-1199
#define IDD_CUSTOM 1100
#define IDC_SOUND_GROUP 1110     // "Sound Options"
#define IDC_INI_GROUP 1111       // "INI Options"
#define IDC_LEVEL_GROUP 1112     // "Select Level"
#define IDC_SOUND_ENABLED 1113   // "Enabled"
#define IDC_SOUND_DISABLED 1114  // "Disabled"
#define IDC_MAX_DETAIL 1115      // "Max Detail"
#define IDC_MIN_DETAIL 1116      // "Min Detail"
#define IDC_CUSTOM_INI 1117      // "Custom ini"
#define IDC_INI_PATH 1118        // the path box of "Custom ini"
#define IDC_BROWSE 1119          // "Browse..."
#define IDC_RUN_TEST 1120        // "Run Test"
#define IDC_CUSTOM_CANCEL 1121   // "Cancel"
#define IDC_LEVEL_PROMPT 1122    // "Select the name of the level that you want to use."
#define IDC_LEVEL_LIST 1123      // the level list

// About window: 1200-1299 ("OK" is IDOK)
#define IDD_ABOUT 1200
#define IDC_ABOUT_SYSINFO 1201      // "&System Info..."
#define IDC_ABOUT_BANNER 1202       // the banner picture (opens the maker's web site)
#define IDC_ABOUT_ICON 1203         // the program's icon
#define IDC_ABOUT_RULE 1204         // the line under the banner
#define IDC_ABOUT_TITLE 1205        // "Application Title", then the program's title
#define IDC_ABOUT_VERSION 1206      // "Version", then the version
#define IDC_ABOUT_DESCRIPTION 1207  // what the program does
#define IDC_ABOUT_WEB_ADDRESS 1208  // the maker's web address
#define IDC_ABOUT_DISCLAIMER 1209   // the warning text

// Progress window: 1300-1399
#define IDD_PROGRESS 1300
#define IDC_PROGRESS_RUN 1301         // "Run 2 of 7"
#define IDC_PROGRESS_LEVEL 1302       // "Level: dm-inferno"
#define IDC_PROGRESS_RESOLUTION 1303  // "Resolution: 1024x768"
#define IDC_PROGRESS_BAR 1304         // the progress bar
#define IDC_PROGRESS_ELAPSED 1305     // "Time elapsed: 0:02:41"
#define IDC_PROGRESS_LEFT 1306        // "Time left: about 0:10:12"
#define IDC_PROGRESS_LAST 1307        // "Last run: 63.87 fps average"
#define IDC_PROGRESS_STOP 1308        // "Stop after this run"
#define IDC_PROGRESS_END_GAME 1309    // "End game now"
#define IDC_PROGRESS_NOTE 1310        // "Results cannot be saved: ..." when they cannot
// Options window: 1400-1499 ("OK" is IDOK, "Cancel" IDCANCEL)
#define IDD_OPTIONS 1400
#define IDC_OPTIONS_RUNS_LABEL 1410   // "Runs per level:"
#define IDC_OPTIONS_RUNS 1411         // the runs per level list, "1" to "5", "Until steady"
#define IDC_OPTIONS_OPEN_REPORT 1412  // "Open the full report instead of results.html"
// "Until steady"'s percentage: 1420-1429
#define IDC_OPTIONS_STEADY_LABEL 1420   // "Steady within:"
#define IDC_OPTIONS_STEADY_WITHIN 1421  // the percentage box
#define IDC_OPTIONS_STEADY_UNIT 1422    // "%"

#define IDC_OPTIONS_LABEL_CAPTION 1430  // "Label:"
#define IDC_OPTIONS_LABEL 1431          // the label of the runs that follow
#define IDC_OPTIONS_LABEL_NOTE 1432     // that only its first 100 characters are kept
