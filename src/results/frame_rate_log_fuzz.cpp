// Fuzz target for the frame-rate log reader: any bytes must give well-formed records.
//
// Built with libFuzzer under clang. Built with BW_FUZZ_REPLAY (other compilers) it gets a main()
// that feeds every file of the folders or files named on its command line to the target once, so
// the corpus is replayed as a test with the sanitizers on.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "results/frame_rate_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto records = results::ParseFrameRateLog(text);
    if (records.size() > results::kMaxRecords) std::abort();
    for (const auto& entry : records) {
        const results::FrameRateRecord& r = entry.record;
        if (r.label.size() != results::kLabelWidth || r.low.size() != results::kValueWidth ||
            r.average.size() != results::kValueWidth || r.high.size() != results::kValueWidth)
            std::abort();
    }
    // Each whole record takes at least its two separators' six characters plus the four dropped
    // ones.
    size_t whole = 0;
    for (const auto& entry : records) whole += entry.malformed ? 0 : 1;
    if (whole * 10 > size) std::abort();
    return 0;
}

#ifdef BW_FUZZ_REPLAY
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        if (std::filesystem::is_directory(argv[i])) {
            for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
                if (entry.is_regular_file()) inputs.push_back(entry.path());
        } else {
            inputs.push_back(argv[i]);
        }
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "usage: %s corpus-folder-or-file...\n", argv[0]);
        return 2;
    }
    for (const auto& path : inputs) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
            return 1;
        }
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("replayed %zu inputs\n", inputs.size());
    return 0;
}
#endif
