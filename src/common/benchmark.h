// What every module shares about a benchmark: the presets, the resolutions, and how the render
// device and edition values are read. It includes nothing of the program's own, so config,
// results, registry, core and the windows can all use it.
#pragma once

#include <array>
#include <string>

namespace common {

enum class BenchmarkPreset { kCpuBenchmark, kHighQuality, kLowQuality, kCustomTest };

// The preset as its button names it: "CPU Benchmark", "High Quality", "Low Quality",
// "Custom Test".
const char* PresetName(BenchmarkPreset preset);

// The five resolutions, in check-box order (indexes 0 to 4).
inline constexpr std::array<const char*, 5> kResolutionNames = {"640x480", "800x600", "1024x768",
                                                                "1280x1024", "1600x1200"};

// Only "OGL" selects OpenGL; any other value, empty included, is Direct3D.
inline bool IsOpenGL(const std::string& render_engine) { return render_engine == "OGL"; }

// Only "demo" is the demo edition to the runs; any other value, empty included, is the full one.
inline bool IsDemo(const std::string& game_edition) { return game_edition == "demo"; }

}  // namespace common
