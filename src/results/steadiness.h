// "Until steady": the rule that says when a level's repeats at one resolution may stop, and the
// "Steady within" percentage as the user types it.
//
// A cell is repeated at least kSteadyMinRuns and at most kSteadyMaxRuns times. After the third
// launch and after every later one the repeats stop as soon as the averages that count have a
// relative standard deviation (the sample standard deviation, n - 1, divided by their mean) of at
// most the "Steady within" percentage. Only recorded averages of undisturbed launches count; a
// launch without a record, or a disturbed one, still counts toward the ten.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/launch_result.h"

namespace results {

inline constexpr size_t kSteadyMinRuns = 3;
inline constexpr size_t kSteadyMaxRuns = 10;

// "Steady within" in tenths of a percent: 0.5 to 10 %, 2 % unless the user chooses otherwise.
inline constexpr int kSteadyWithinLowest = 5;
inline constexpr int kSteadyWithinHighest = 100;
inline constexpr int kSteadyWithinDefault = 20;

// The percentage as typed ("2", "2.5", "0,5": a comma is taken as the decimal mark too, spaces
// around are fine) in tenths, or nullopt when it is no number from 0.5 to 10 with at most one
// decimal.
std::optional<int> ParseSteadyWithin(std::string_view text);

// Tenths as the percentage is shown: 25 -> "2.5", 20 -> "2.0".
std::string SteadyWithinText(int tenths);

// The mean of `values` and their relative standard deviation in percent (sample standard
// deviation over the mean). `rsd_percent` is nullopt for fewer than two values or a mean that is
// not above 0: no division by zero, and no claim of steadiness from one number.
struct RelativeDeviation {
    size_t count = 0;
    std::optional<double> mean;  // nullopt for no values
    std::optional<double> rsd_percent;
};
RelativeDeviation RelativeDeviationOf(const std::vector<double>& values);

// The averages of `launches` that the rule counts: recorded, readable and not disturbed.
std::vector<double> CountedAverages(const std::vector<const LaunchResult*>& launches);

enum class Steadiness {
    kGoOn,       // another repeat is due
    kSteady,     // the counted averages are within the percentage
    kNotSteady,  // the tenth launch has been made and they are not
};

// The rule, asked after each launch of a cell: `launches` are the cell's launches made so far,
// in order, `within_tenths` the "Steady within" percentage.
Steadiness JudgeRepeats(const std::vector<const LaunchResult*>& launches, int within_tenths);

}  // namespace results
