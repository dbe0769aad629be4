// Picking the run to compare with, trusting nothing a folder or file says.
#include "results/earlier_run.h"

#include <algorithm>

#include "common/text.h"
#include "platform/platform.h"
#include "results/results_csv.h"
#include "results/run_statistics.h"

namespace results {

namespace {

constexpr size_t kStampLength = 19;  // "2026-12-05 20-14-03"

// True when `name` is "<yyyy-mm-dd hh-mm-ss> <preset>".
bool IsRunFolderOf(const std::string& name, const std::string& preset) {
    return IsRunFolderName(name) && name.size() == kStampLength + 1 + preset.size() &&
           name.compare(kStampLength + 1, std::string::npos, preset) == 0;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    return common::Lower(a) == common::Lower(b);
}

// The medians of a run's results.csv, or nullopt when it is not one to compare with.
std::optional<EarlierRun> ReadEarlierRun(const std::string& text, const RunInfo& run) {
    std::vector<std::vector<std::string>> rows;
    if (!ReadResultsCsv(text, &rows, nullptr)) return std::nullopt;
    std::map<std::pair<std::string, std::string>, std::vector<double>> averages;
    for (const auto& row : rows) {
        if (row[kPreset] != run.preset || row[kEdition] != run.edition ||
            row[kRenderer] != run.renderer) {
            return std::nullopt;
        }
        if (row[kOutcome] != OutcomeName(LaunchOutcome::kRecorded)) continue;
        if (auto fps = ParseFps(row[kAvgFps])) {
            averages[{row[kResolution], row[kLevel]}].push_back(*fps);
        }
    }
    if (averages.empty()) return std::nullopt;
    EarlierRun earlier;
    for (const auto& [cell, values] : averages) earlier.median_avg[cell] = SpreadOf(values)->median;
    earlier.averages = std::move(averages);
    return earlier;
}

}  // namespace

bool IsRunFolderName(const std::string& name) {
    const std::string pattern = "dddd-dd-dd dd-dd-dd ";
    if (name.size() <= pattern.size()) return false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const bool digit = name[i] >= '0' && name[i] <= '9';
        if (pattern[i] == 'd' ? !digit : name[i] != pattern[i]) return false;
    }
    return true;
}

std::string RunFolderName(const std::string& started_iso, const std::string& preset) {
    std::string stamp = started_iso.substr(0, kStampLength);
    std::replace(stamp.begin(), stamp.end(), 'T', ' ');
    std::replace(stamp.begin(), stamp.end(), ':', '-');
    return stamp + " " + preset;
}

std::optional<EarlierRun> FindEarlierRun(const std::vector<std::string>& folder_names,
                                         const std::string& current_folder, const RunInfo& run,
                                         const ReadRunCsv& read_csv) {
    std::vector<std::string> candidates;
    for (const auto& name : folder_names) {
        if (IsRunFolderOf(name, run.preset) && !SameNameIgnoringCase(name, current_folder)) {
            candidates.push_back(name);
        }
    }
    // The stamp leads the name, so the latest sorts last.
    std::sort(candidates.rbegin(), candidates.rend());
    for (const auto& name : candidates) {
        std::string text;
        if (!read_csv(name, &text)) continue;
        auto earlier = ReadEarlierRun(text, run);
        if (!earlier) continue;
        earlier->folder_name = name;
        std::string started = name.substr(0, kStampLength);  // "2026-12-05 20-14-03"
        started[10] = 'T';
        started[13] = started[16] = ':';
        earlier->started = started;
        return earlier;
    }
    return std::nullopt;
}

std::optional<EarlierRun> FindEarlierRunIn(const std::string& results_folder,
                                           const std::string& current_folder, const RunInfo& run) {
    return FindEarlierRun(platform::ListSubfolders(results_folder), current_folder, run,
                          [&](const std::string& name, std::string* text) {
                              return platform::ReadWholeFile(
                                  results_folder + "\\" + name + "\\results.csv", text, nullptr);
                          });
}

}  // namespace results
