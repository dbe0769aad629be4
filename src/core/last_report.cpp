// The newest report: run folders sort by their start time because their names begin with it.
#include "core/last_report.h"

#include <vector>

#include "platform/platform.h"
#include "results/earlier_run.h"

namespace core {

std::string LatestReport(const std::string& results_folder) {
    const std::vector<std::string> names = platform::ListSubfolders(results_folder);
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        if (!results::IsRunFolderName(*name)) continue;
        // A run that was stopped before its end, or killed, has a CSV but no report.
        const std::string report = results_folder + "\\" + *name + "\\report.html";
        if (platform::CanOpenForReading(report)) return report;
    }
    return "";
}

}  // namespace core
