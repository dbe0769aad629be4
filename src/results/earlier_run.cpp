// Picking the run to compare with, trusting nothing a folder or file says.
#include "results/earlier_run.h"

#include <algorithm>
#include <string_view>

#include "common/text.h"
#include "platform/platform.h"
#include "results/results_csv.h"
#include "results/run_statistics.h"

namespace results {

namespace {

constexpr size_t kStampLength = 19;  // "2026-12-05 20-14-03"

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    return common::Lower(a) == common::Lower(b);
}

// "2026-12-06 14-05-09" of "2026-12-06T14:05:09".
std::string StampOf(const std::string& started_iso) {
    std::string stamp = started_iso.substr(0, kStampLength);
    std::replace(stamp.begin(), stamp.end(), 'T', ' ');
    std::replace(stamp.begin(), stamp.end(), ':', '-');
    return stamp;
}

// `name` without the " (n)" a run gets when another took its name first.
std::string WithoutNumber(const std::string& name) {
    const size_t open = name.rfind(" (");
    if (open == std::string::npos || name.back() != ')' || open + 3 >= name.size()) return name;
    for (size_t i = open + 2; i + 1 < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9') return name;
    return name.substr(0, open);
}

// True when `name` is a run folder of `preset`, of either form: "<stamp> <preset>" or, for
// `computer`'s runs only, "<stamp> <computer> <preset>".
bool IsRunFolderOf(const std::string& name, const std::string& preset,
                   const std::string& computer) {
    const std::string bare = WithoutNumber(name);
    if (!IsRunFolderName(bare)) return false;  // "<stamp> (2)" names no preset
    const std::string rest = bare.substr(kStampLength + 1);
    return rest == preset || SameNameIgnoringCase(rest, FolderFitName(computer) + " " + preset);
}

// The medians of a run's results.csv, or nullopt when it is not one to compare with.
std::optional<EarlierRun> ReadEarlierRun(const std::string& text, const RunInfo& run,
                                         const std::string& machine) {
    std::vector<std::vector<std::string>> rows;
    if (!ReadResultsCsv(text, &rows, nullptr)) return std::nullopt;
    // Disturbed launches count only in a cell that has no other, as in the run's own report.
    std::map<std::pair<std::string, std::string>, std::vector<double>> averages, undisturbed;
    for (const auto& row : rows) {
        if (row[kPreset] != run.preset || row[kEdition] != run.edition ||
            row[kRenderer] != run.renderer || !SameNameIgnoringCase(row[kMachine], machine)) {
            return std::nullopt;
        }
        if (row[kOutcome] != OutcomeName(LaunchOutcome::kRecorded)) continue;
        if (auto fps = ParseFps(row[kAvgFps])) {
            averages[{row[kResolution], row[kLevel]}].push_back(*fps);
            if (row[kDisturbed] != "yes")
                undisturbed[{row[kResolution], row[kLevel]}].push_back(*fps);
        }
    }
    if (averages.empty()) return std::nullopt;
    for (auto& [cell, values] : undisturbed) averages[cell] = std::move(values);
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

std::string RunFolderName(const std::string& started_iso, const std::string& computer,
                          const std::string& preset) {
    const std::string stamp = StampOf(started_iso);
    return computer.empty() ? stamp + " " + preset
                            : stamp + " " + FolderFitName(computer) + " " + preset;
}

std::string FolderFitName(const std::string& computer) {
    std::string name = computer;
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
            c = '_';
    }
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    return name.empty() ? "unknown" : name;
}

std::optional<EarlierRun> FindEarlierRun(const std::vector<std::string>& folder_names,
                                         const std::string& current_folder, const RunInfo& run,
                                         const std::string& machine, const ReadRunCsv& read_csv) {
    // Only runs that started before this one: a later one may still be running.
    const std::string started = StampOf(run.started);
    std::vector<std::string> candidates;
    for (const auto& name : folder_names) {
        if (IsRunFolderOf(name, run.preset, machine) &&
            name.compare(0, kStampLength, started) < 0 &&
            !SameNameIgnoringCase(name, current_folder)) {
            candidates.push_back(name);
        }
    }
    // The stamp leads the name, so the latest sorts last.
    std::sort(candidates.rbegin(), candidates.rend());
    for (const auto& name : candidates) {
        std::string text;
        if (!read_csv(name, &text)) continue;
        auto earlier = ReadEarlierRun(text, run, machine);
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
                                           const std::string& current_folder, const RunInfo& run,
                                           const std::string& machine) {
    return FindEarlierRun(platform::ListSubfolders(results_folder), current_folder, run, machine,
                          [&](const std::string& name, std::string* text) {
                              return platform::ReadWholeFile(
                                  results_folder + "\\" + name + "\\results.csv", text, nullptr);
                          });
}

}  // namespace results
