// Resource and control identifiers, one band per window.
#pragma once

#define IDI_BENCHWRIGHT 1

// Main window: 1000-1099
#define IDD_MAIN 1000

// Custom test window: 1100-1199
#define IDD_CUSTOM 1100

// About window: 1200-1299
#define IDD_ABOUT 1200
