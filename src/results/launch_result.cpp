// The words for a launch's outcome.
#include "results/launch_result.h"

#include <cmath>

namespace results {

const char* OutcomeName(LaunchOutcome outcome) {
    switch (outcome) {
        case LaunchOutcome::kRecorded:
            return "recorded";
        case LaunchOutcome::kNoRecord:
            return "no record";
        case LaunchOutcome::kFailedToStart:
            return "failed to start";
        case LaunchOutcome::kEndedByUser:
            return "ended by user";
        case LaunchOutcome::kTimedOut:
            return "timed out";
        case LaunchOutcome::kNotRun:
            return "not run";
    }
    return "";
}

// Judged on the figure as results.csv shows it (one decimal), so "10.0" is never "yes".
bool LaunchResult::Disturbed() const {
    return background_cpu_percent &&
           std::round(*background_cpu_percent * 10) / 10 > kDisturbedAbovePercent;
}

}  // namespace results
