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

// The game's two editions; kNone while neither is installed or chosen.
enum class Edition { kNone, kFull, kDemo };

// "demo" for the demo edition, "full" for any other (as results files and the page's footer
// name it).
inline const char* EditionName(Edition edition) {
    return edition == Edition::kDemo ? "demo" : "full";
}

// Which editions of the game the registry names, the one selected (the full edition when both
// are) and its folder, without a trailing backslash.
struct Installation {
    bool full_installed = false;
    bool demo_installed = false;
    Edition selected = Edition::kNone;
    std::string install_folder;  // empty when neither is installed
};

// The game's two rendering engines.
enum class Renderer { kDirect3D, kOpenGL };

// "Direct3D" or "OpenGL".
inline const char* RendererName(Renderer renderer) {
    return renderer == Renderer::kOpenGL ? "OpenGL" : "Direct3D";
}

}  // namespace common
