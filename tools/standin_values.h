// The frame rates the stand-in game reports, as a pure function tests can call to predict them.
//
// A record depends on the level, the resolution and the bytes of the engine ini file the game was
// given, so a test sees a wrong level, resolution or ini variant as a wrong number. The values are
// kept in hundredths and printed with integer arithmetic, so every compiler prints the same text.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace standin {

// FNV-1a over the bytes: the "sum" of an ini file's contents that the journal also shows.
inline uint32_t Checksum(const std::string& bytes) {
    uint32_t h = 2166136261u;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 16777619u;
    }
    return h;
}

struct FrameRates {
    uint32_t low, average, high;  // hundredths of frames per second, low < average < high
};

inline FrameRates RatesFor(const std::string& level, const std::string& resolution,
                           uint32_t ini_checksum) {
    uint32_t h = Checksum(level + "|" + resolution);
    h = (h ^ ini_checksum) * 2654435761u;
    const uint32_t g = Checksum(std::to_string(h));
    FrameRates r;
    r.low = 1000 + h % 4000;                      // 10.00 to 49.99
    r.average = r.low + 2000 + (h >> 16) % 6000;  // 20 to 80 above low
    r.high = r.average + 3000 + g % 9000;         // 30 to 120 above average
    return r;
}

// 6350 -> "63.50".
inline std::string Hundredths(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%02u", value / 100, value % 100);
    return text;
}

// The measurement field as the frame-rate log holds it: "21.40 / 63.87 / 141.20 fps".
inline std::string MeasurementField(const FrameRates& r) {
    return Hundredths(r.low) + " / " + Hundredths(r.average) + " / " + Hundredths(r.high) + " fps";
}

// One whole line of the frame-rate log, CR LF included: the level, the measurement, a score (the
// average) and the frames drawn in the run's seconds:
//   dm-inferno, 21.40 / 63.87 / 141.20 fps, 63.87, 4917
// An `average` (hundredths) other than 0 replaces the computed one, low and high around it.
inline std::string LogLine(const std::string& level, const std::string& resolution, int seconds,
                           uint32_t ini_checksum, uint32_t average = 0) {
    FrameRates r = RatesFor(level, resolution, ini_checksum);
    if (average != 0) r = {average / 2, average, average * 2};
    return level + ", " + MeasurementField(r) + ", " + Hundredths(r.average) + ", " +
           std::to_string(r.average * static_cast<uint32_t>(seconds) / 100) + "\r\n";
}

}  // namespace standin
