// The results page, AppFolder + "results.html": three tables (low, average, high frames per
// second), a row per resolution and a column per level, and for the fixed presets a footer.
#pragma once

#include <string>
#include <vector>

#include "common/benchmark.h"
#include "results/frame_rate_record.h"
#include "results/launch_result.h"

namespace results {

std::string ResultsPagePath(const std::string& app_folder);

// The lines of the page body. A column's heading is the level name of the first resolution with
// a record in that column. A cell or heading with no record is blank (its width in spaces).
std::vector<std::string> ResultsPageLines(const std::vector<std::string>& resolution_names,
                                          int records_per_resolution,
                                          const std::vector<FrameRateRecord>& records);

// The eleven footer lines of a fixed preset (none for the custom test).
std::vector<std::string> RunFooterLines(common::BenchmarkPreset preset, common::Renderer renderer,
                                        common::Edition edition);

// Writes the page anew from the launches' records: each cell shows the record of its median
// repeat (PageRecords), a launch without record a blank cell. On failure returns false with `error`
// naming the page and the reason.
bool WriteResultsPage(const std::string& app_folder,
                      const std::vector<std::string>& resolution_names, int records_per_resolution,
                      const std::vector<LaunchResult>& launches, std::string* error);

// Appends the preset's footer lines to the page.
bool AppendRunFooter(const std::string& app_folder, common::BenchmarkPreset preset,
                     common::Renderer renderer, common::Edition edition, std::string* error);

}  // namespace results
