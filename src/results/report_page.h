// report.html: one self-contained page about a run, for any browser a Windows XP machine may
// have (Internet Explorer 6 included): inline CSS only, no script, no other file, charts made of
// percent-sized boxes. Well-formed markup throughout, every outside text escaped.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "results/earlier_run.h"
#include "results/launch_result.h"
#include "results/run_info.h"

namespace results {

// The page: the run and the machine; per resolution a bar chart of each level's median average
// frame rate with its low-high range as a whisker; every launch with its outcome; with repeats,
// each cell's median and spread; and the comparison with `earlier` (may be null: the page then
// says there is no earlier result to compare with), each change with its verdict.
std::string ReportPage(const RunInfo& run, const platform::SystemInfo& system,
                       const std::vector<LaunchResult>& results, const EarlierRun* earlier);

}  // namespace results
