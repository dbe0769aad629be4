// The newest report: run folders sort by their start time because their names begin with it.
#include "core/last_report.h"

#include <vector>

#include "platform/platform.h"

namespace core {

namespace {

// True when `name` is "<yyyy-mm-dd hh-mm-ss> " and something after it.
bool IsRunFolderName(const std::string& name) {
    const std::string pattern = "dddd-dd-dd dd-dd-dd ";
    if (name.size() <= pattern.size()) return false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const bool digit = name[i] >= '0' && name[i] <= '9';
        if (pattern[i] == 'd' ? !digit : name[i] != pattern[i]) return false;
    }
    return true;
}

}  // namespace

std::string LatestReport(const std::string& results_folder) {
    const std::vector<std::string> names = platform::ListSubfolders(results_folder);
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        if (!IsRunFolderName(*name)) continue;
        // A run that was stopped before its end, or killed, has a CSV but no report.
        const std::string report = results_folder + "\\" + *name + "\\report.html";
        if (platform::CanOpenForReading(report)) return report;
    }
    return "";
}

}  // namespace core
