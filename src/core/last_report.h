// Finding the newest run's report under the Results folder, for File > "Open Last Report".
#pragma once

#include <string>

namespace core {

// The report.html of the newest run folder under `results_folder` that has one, newest by the
// folder's name ("<yyyy-mm-dd hh-mm-ss> <preset>"); folders of other names are passed over.
// Empty when there is none.
std::string LatestReport(const std::string& results_folder);

}  // namespace core
