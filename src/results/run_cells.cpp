// Grouping launches into cells and picking each cell's median record.
#include "results/run_cells.h"

#include <algorithm>

namespace results {

std::vector<std::vector<Cell>> GroupIntoCells(const std::vector<LaunchResult>& results,
                                              const std::vector<std::string>& resolutions,
                                              int levels_per_resolution) {
    std::vector<const LaunchResult*> ordered;
    for (const auto& result : results) ordered.push_back(&result);
    std::stable_sort(
        ordered.begin(), ordered.end(),
        [](const LaunchResult* a, const LaunchResult* b) { return a->index < b->index; });

    const size_t levels = static_cast<size_t>(std::max(levels_per_resolution, 0));
    std::vector<std::vector<Cell>> cells;
    for (const auto& resolution : resolutions) {
        std::vector<Cell> row(levels, Cell{resolution, "", {}});
        size_t next = 0;  // the cell the next repeat 1 opens
        for (const LaunchResult* launch : ordered) {
            if (launch->resolution != resolution) continue;
            if (launch->repeat <= 1 || next == 0) ++next;
            if (next > levels) break;
            Cell& cell = row[next - 1];
            if (cell.level.empty()) cell.level = launch->level;
            cell.launches.push_back(launch);
        }
        cells.push_back(std::move(row));
    }
    return cells;
}

CellAverages AveragesOf(const Cell& cell) {
    // Launches other programs disturbed count only when the cell has no other.
    const bool undisturbed_one =
        std::any_of(cell.launches.begin(), cell.launches.end(), [](const LaunchResult* launch) {
            return launch->HasRecord() && !launch->Disturbed() && ParseFps(launch->record.average);
        });
    std::vector<double> averages;
    std::vector<const LaunchResult*> measured;
    for (const LaunchResult* launch : cell.launches) {
        if (!launch->HasRecord() || (undisturbed_one && launch->Disturbed())) continue;
        if (auto fps = ParseFps(launch->record.average)) {
            averages.push_back(*fps);
            measured.push_back(launch);
        }
    }
    CellAverages out;
    out.spread = SpreadOf(averages);
    if (out.spread) out.median_launch = measured[out.spread->median_index];
    out.averages = std::move(averages);
    return out;
}

std::vector<FrameRateRecord> PageRecords(const std::vector<LaunchResult>& results,
                                         const std::vector<std::string>& resolutions,
                                         int levels_per_resolution) {
    std::vector<FrameRateRecord> records;
    for (const auto& row : GroupIntoCells(results, resolutions, levels_per_resolution)) {
        for (const Cell& cell : row) {
            const LaunchResult* shown = AveragesOf(cell).median_launch;
            for (auto it = cell.launches.begin(); !shown && it != cell.launches.end(); ++it) {
                if ((*it)->HasRecord()) shown = *it;
            }
            records.push_back(shown ? shown->record : FrameRateRecord{});
        }
    }
    return records;
}

}  // namespace results
