// Numbers of a run: frame rates read and written with "." whatever the locale, and the median
// and spread of repeated launches.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace results {

// A frame rate as the log writes it ("63.87", trailing spaces allowed), read with "." as the
// decimal mark whatever the locale; nullopt when it is not a number.
std::optional<double> ParseFps(std::string_view text);

// "63.87": a number with two decimals and ".", whatever the locale.
std::string FormatFps(double fps);

// `value` rounded to `decimals` places (0 to 6) with ".", whatever the locale: "-3.5", "12".
// Empty for a value that is not finite or too large to print this way (beyond 1e15).
std::string FormatDecimal(double value, int decimals);

struct Spread {
    size_t count = 0;  // values it was made from
    double median = 0, min = 0, max = 0;
    double percent = 0;       // (max - min) / median * 100, 0 when median is 0
    size_t median_index = 0;  // index into the input of the median value (the lower of the
                              // two middle ones for an even count)
};

// nullopt for no values. The median is always one of the values (for an even count the lower
// of the two middle ones), so it names a real launch whose record can be shown.
std::optional<Spread> SpreadOf(const std::vector<double>& values);

}  // namespace results
