// Locale-free number text and the statistics of repeated launches. No printf or strtod here:
// both follow the user's locale, which may write "63,87".
#include "results/run_statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace results {

std::optional<double> ParseFps(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    size_t end = text.size();
    while (end > i && text[end - 1] == ' ') --end;
    text = text.substr(i, end - i);

    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    double whole = 0;
    uint64_t fraction = 0;
    double fraction_scale = 1;
    size_t digits = 0;
    size_t k = 0;
    for (; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k, ++digits) {
        whole = whole * 10 + (text[k] - '0');
    }
    if (k < text.size() && text[k] == '.') {
        ++k;
        for (; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k, ++digits) {
            // Digits past the 18th change nothing a frame rate needs.
            if (fraction_scale < 1e18) {
                fraction = fraction * 10 + (text[k] - '0');
                fraction_scale *= 10;
            }
        }
    }
    if (digits == 0 || k != text.size()) return std::nullopt;
    // Both parts are exact, so "63.87" becomes the double nearest to 63.87.
    const double value = whole + static_cast<double>(fraction) / fraction_scale;
    if (!std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

std::string FormatDecimal(double value, int decimals) {
    decimals = std::clamp(decimals, 0, 6);
    uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    if (!std::isfinite(value) || std::fabs(value) > 1e15) return "";
    const double scaled = std::round(std::fabs(value) * static_cast<double>(scale));
    if (scaled >= 1.8e19) return "";
    const uint64_t units = static_cast<uint64_t>(scaled);
    std::string text = (value < 0 && units != 0) ? "-" : "";
    text += std::to_string(units / scale);
    if (decimals > 0) {
        std::string fraction = std::to_string(units % scale);
        text += '.';
        text += std::string(decimals - fraction.size(), '0') + fraction;
    }
    return text;
}

std::string FormatFps(double fps) { return FormatDecimal(fps, 2); }

std::optional<Spread> SpreadOf(const std::vector<double>& values) {
    if (values.empty()) return std::nullopt;
    std::vector<size_t> order(values.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return values[a] < values[b]; });
    Spread spread;
    spread.count = values.size();
    spread.median_index = order[(order.size() - 1) / 2];
    spread.median = values[spread.median_index];
    spread.min = values[order.front()];
    spread.max = values[order.back()];
    spread.percent = spread.median == 0 ? 0 : (spread.max - spread.min) / spread.median * 100;
    return spread;
}

}  // namespace results
