// A run's launches as cells, a level at a resolution with every repeat of it, and the one record
// per cell that results.html shows.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "results/frame_rate_record.h"
#include "results/launch_result.h"
#include "results/run_statistics.h"

namespace results {

struct Cell {
    std::string resolution;
    std::string level;                          // empty when no launch of the cell is known
    std::vector<const LaunchResult*> launches;  // its repeats, in order
};

// cells[r][j]: level j at resolutions[r]. The plan makes each launch runs-per-level times in a
// row, so a cell's launches are those of its resolution from one repeat 1 to the next; a run
// that stopped early leaves later cells without launches. Pointers are into `results`.
std::vector<std::vector<Cell>> GroupIntoCells(const std::vector<LaunchResult>& results,
                                              const std::vector<std::string>& resolutions,
                                              int levels_per_resolution);

// The average frame rates of the cell's recorded launches, and the launch whose average is the
// median (null when none has a readable average). Disturbed launches are left out when the cell
// has an undisturbed one with a readable average.
struct CellAverages {
    std::optional<Spread> spread;
    const LaunchResult* median_launch = nullptr;
    std::vector<double> averages;  // those the spread is made of, in launch order
};
CellAverages AveragesOf(const Cell& cell);

// The record results.html shows for each cell, resolution by resolution: the median launch's;
// a recorded launch's when none has a readable average; blank when no launch has a record.
std::vector<FrameRateRecord> PageRecords(const std::vector<LaunchResult>& results,
                                         const std::vector<std::string>& resolutions,
                                         int levels_per_resolution);

}  // namespace results
