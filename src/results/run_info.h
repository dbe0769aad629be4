// What a run was, as the results files describe it: preset, game, time and the shape of its plan.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace results {

struct RunInfo {
    std::string preset;    // as on its button: "CPU Benchmark", ..., "Custom Test"
    std::string edition;   // "full" or "demo"
    std::string renderer;  // "Direct3D" or "OpenGL"
    std::string started;   // local time of the run's start, ISO 8601 "2026-12-06T14:05:09"
    int runs_per_level = 1;
    std::vector<std::string> resolutions;  // those run, in order: "640x480", ...
    int levels_per_resolution = 0;
    // From the start of the run to its end; 0 when not known (the report then adds up the
    // launches' own durations).
    uint32_t elapsed_ms = 0;
    std::string game_version;  // the game program's version, "a.b.c.d" or "unknown"
    std::string label;         // what the user says is being tested; may be empty
    // "Until steady": repeats until the averages are steady within steady_within_tenths / 10
    // percent (runs_per_level is then the most a cell may have).
    bool until_steady = false;
    int steady_within_tenths = 0;
};

}  // namespace results
