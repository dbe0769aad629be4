// The results page, AppFolder + "results.html": three tables (low, average, high frames per
// second), a row per resolution and a column per level, and for the fixed presets a footer.
#pragma once

#include <string>
#include <vector>

#include "core/presets.h"
#include "core/session.h"

namespace results {

std::string ResultsPagePath(const core::SessionState& state);

// Lines the page body from FrameRateRecords with N = records_per_resolution: record j of
// resolution r is entry (r-1)*N + j. A cell or heading with no record is blank (its width in
// spaces).
std::vector<std::string> ResultsPageLines(const core::SessionState& state,
                                          int records_per_resolution);

// The eleven footer lines of a fixed preset (none for the custom test).
std::vector<std::string> RunFooterLines(const core::SessionState& state,
                                        core::BenchmarkPreset preset);

// Lines up the log's records with the launches that made them, so that a launch that left no
// record gets a blank record instead of the next launch's values. records_after_launch[i] is the
// number of records the log held after launch i. Records no launch accounts for are kept after.
std::vector<FrameRateRecord> AlignRecordsToLaunches(
    const std::vector<FrameRateRecord>& records, const std::vector<size_t>& records_after_launch);

// Reads the frame-rate log (ReadFrameRateLog) and writes the page anew. When
// `records_after_launch` is given, the records are first lined up with the launches
// (AlignRecordsToLaunches). On failure returns false with `error` naming the page and the reason.
bool WriteResultsPage(core::SessionState& state, int records_per_resolution,
                      const std::vector<size_t>* records_after_launch, std::string* error);

// Appends the preset's footer lines to the page.
bool AppendRunFooter(const core::SessionState& state, core::BenchmarkPreset preset,
                     std::string* error);

// Asks the shell to open the file with its associated program, the main window as owner.
void OpenDocument(const std::string& path);

}  // namespace results
