// The presets' names as their buttons show them.
#include "common/benchmark.h"

namespace common {

const char* PresetName(BenchmarkPreset preset) {
    switch (preset) {
        case BenchmarkPreset::kCpuBenchmark:
            return "CPU Benchmark";
        case BenchmarkPreset::kHighQuality:
            return "High Quality";
        case BenchmarkPreset::kLowQuality:
            return "Low Quality";
        case BenchmarkPreset::kCustomTest:
            return "Custom Test";
    }
    return "";
}

}  // namespace common
