// The "Until steady" rule and its percentage.
#include "results/steadiness.h"

#include <cmath>

#include "results/run_statistics.h"

namespace results {

std::optional<int> ParseSteadyWithin(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    int whole = 0, tenth = 0;
    size_t k = 0;
    for (; k < text.size() && k < 3 && text[k] >= '0' && text[k] <= '9'; ++k)
        whole = whole * 10 + (text[k] - '0');
    if (k == 0) return std::nullopt;
    if (k < text.size() && (text[k] == '.' || text[k] == ',')) {
        ++k;
        if (k < text.size() && text[k] >= '0' && text[k] <= '9') tenth = text[k++] - '0';
    }
    const int tenths = whole * 10 + tenth;
    if (k != text.size() || tenths < kSteadyWithinLowest || tenths > kSteadyWithinHighest)
        return std::nullopt;
    return tenths;
}

std::string SteadyWithinText(int tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

RelativeDeviation RelativeDeviationOf(const std::vector<double>& values) {
    RelativeDeviation out;
    out.count = values.size();
    if (values.empty()) return out;
    // Around the first value: equal values then deviate by exactly 0, and large frame rates lose
    // no digits to the squares.
    const double origin = values.front();
    double shift = 0;
    for (double v : values) shift += v - origin;
    shift /= static_cast<double>(values.size());
    out.mean = origin + shift;
    if (values.size() < 2 || !(*out.mean > 0)) return out;
    double squares = 0;
    for (double v : values) squares += (v - origin - shift) * (v - origin - shift);
    const double sd = std::sqrt(squares / static_cast<double>(values.size() - 1));
    out.rsd_percent = sd / *out.mean * 100;
    return out;
}

std::vector<double> CountedAverages(const std::vector<const LaunchResult*>& launches) {
    std::vector<double> averages;
    for (const LaunchResult* launch : launches) {
        if (!launch->HasRecord() || launch->Disturbed()) continue;
        if (auto fps = ParseFps(launch->record.average)) averages.push_back(*fps);
    }
    return averages;
}

Steadiness JudgeRepeats(const std::vector<const LaunchResult*>& launches, int within_tenths) {
    if (launches.size() < kSteadyMinRuns) return Steadiness::kGoOn;
    const auto rsd = RelativeDeviationOf(CountedAverages(launches)).rsd_percent;
    if (rsd && *rsd <= within_tenths / 10.0) return Steadiness::kSteady;
    return launches.size() >= kSteadyMaxRuns ? Steadiness::kNotSteady : Steadiness::kGoOn;
}

}  // namespace results
