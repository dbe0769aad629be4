// The engine ini's fixed text as data: the template and the lines the variants exchange.
#pragma once

#include <array>

namespace config {

inline constexpr int kEngineIniLineCount = 524;

// The 524 lines of the CpuLowDetail Direct3D file, in file order, without line ends: 42 sections,
// one empty line between two sections, none after the last.
extern const std::array<const char*, kEngineIniLineCount> kEngineIniTemplate;

// A line (numbered from 1) that MinDetail and MaxDetail write in place of the template's.
struct PresetLine {
    int line;
    const char* min_detail;
    const char* max_detail;
};
extern const std::array<PresetLine, 39> kPresetLines;

// A line that the OpenGL device writes in place of the template's (Direct3D) one.
struct DeviceLine {
    int line;
    const char* opengl;
};
extern const std::array<DeviceLine, 2> kDeviceLines;

}  // namespace config
