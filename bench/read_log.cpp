// Benchmark of the frame-rate log reader: a full 32766-record log, read and parsed, against the
// time to read the same file into memory alone.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "results/frame_rate_log.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

struct Timing {
    double median = 0;
    double best = 0;
};

template <typename F>
Timing Time(int rounds, F&& f) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        f();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front()};
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "lowframerate.log";
    const char* levels[] = {"dm-inferno", "dm-antalus", "ctf-face3", "dm-asbestos", "br-anubis"};
    {
        std::ofstream out(path, std::ios::binary);
        for (size_t k = 0; k < results::kMaxRecords; ++k) {
            out << levels[k % 5] << "," << 10 + k % 37 << "." << k % 100 << " / " << 50 + k % 41
                << "." << k % 97 << " / " << 120 + k % 53 << "." << k % 89
                << " fps,Time = 77 seconds,Score = " << k << "\r\n";
        }
    }
    const std::string text = ReadFile(path);
    if (results::ParseFrameRateLog(text).size() != results::kMaxRecords) {
        std::fprintf(stderr, "read_log: the generated log did not parse whole\n");
        return 1;
    }

    const int rounds = 51;
    size_t sink = 0;
    const Timing raw = Time(rounds, [&] { sink += ReadFile(path).size(); });
    const Timing reader =
        Time(rounds, [&] { sink += results::ParseFrameRateLog(ReadFile(path)).size(); });
    const Timing parse = Time(rounds, [&] { sink += results::ParseFrameRateLog(text).size(); });
    std::printf("log: %zu records, %zu bytes (%s)\n", results::kMaxRecords, text.size(),
                path.c_str());
    std::printf("                 median       best   (%d rounds)\n", rounds);
    std::printf("raw read:       %7.3f ms  %7.3f ms\n", raw.median, raw.best);
    std::printf("read and parse: %7.3f ms  %7.3f ms\n", reader.median, reader.best);
    std::printf("parse alone:    %7.3f ms  %7.3f ms\n", parse.median, parse.best);
    std::printf("ratio:          %7.2f x   %7.2f x   (target: at most 3 x)\n",
                reader.median / raw.median, reader.best / raw.best);
    return sink == 0;
}
