// The words for a launch's outcome.
#include "results/launch_result.h"

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

}  // namespace results
