// For the Wine tests of "Until steady": how many launches the rule asks of a cell, worked out from
// the cell's rows of results.csv. Under Wine every launch of the stand-in is short and the game's
// own processor time reads as 0, so on a busy machine a launch may come out disturbed, which the
// rule leaves out of the averages: the tests check the launches made against what the rule asks
// for with the flags the run itself wrote, and against the planned count when nothing was
// disturbed.
#pragma once

#include <string>
#include <vector>

#include "results/launch_result.h"
#include "results/results_csv.h"
#include "results/steadiness.h"

namespace standin {

inline size_t LaunchesTheRuleAsksFor(const std::vector<std::vector<std::string>>& cell_rows,
                                     int within_tenths) {
    std::vector<results::LaunchResult> made(cell_rows.size());
    std::vector<const results::LaunchResult*> so_far;
    for (size_t i = 0; i < cell_rows.size(); ++i) {
        const auto& row = cell_rows[i];
        made[i].outcome = row[results::kOutcome] == "recorded" ? results::LaunchOutcome::kRecorded
                                                               : results::LaunchOutcome::kNoRecord;
        made[i].record.average = row[results::kAvgFps];
        made[i].background_cpu_percent = row[results::kDisturbed] == "yes" ? 100.0 : 0.0;
        so_far.push_back(&made[i]);
        if (results::JudgeRepeats(so_far, within_tenths) != results::Steadiness::kGoOn)
            return i + 1;
    }
    return results::kSteadyMaxRuns + 1;  // the rule would have asked for more than were made
}

// True when some row says its launch was disturbed.
inline bool AnyDisturbed(const std::vector<std::vector<std::string>>& rows) {
    for (const auto& row : rows)
        if (row[results::kDisturbed] == "yes") return true;
    return false;
}

}  // namespace standin
