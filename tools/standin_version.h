// The stand-in game's version, for its version resource and for the tests that read it back.
// Its text differs from the numbers on purpose: Benchwright reads the numbers.
#pragma once

#define STANDIN_FILE_VERSION 3, 1, 2225, 7
#define STANDIN_FILE_VERSION_DOTTED "3.1.2225.7"
#define STANDIN_FILE_VERSION_TEXT "build 2225 (stand-in)"
