// Where a comparison may be written: file names as Windows compares them, and the files that
// --out must never replace.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace results {

// `path` as Windows stores it: each part without its trailing spaces and dots ("drivers.csv "
// is drivers.csv; "." and ".." stay), "/" as "\", and the file's name without a stream after a
// colon ("report.html::$DATA" is report.html).
std::string StoredName(std::string_view path);

// True when `a` and `b` name the same file as Windows compares names: as stored, and ASCII
// letters in either case. (In a double-byte code page a trail byte may be taken for a letter:
// two names then rarely compare equal that are not, never the other way round.)
bool SameName(std::string_view a, std::string_view b);

// Why a comparison's page and its CSV may not go where asked.
struct OutRefusal {
    enum class Kind {
        kNone,
        kFolder,   // the page's path is an existing folder, or ends in a backslash
        kRunFile,  // a file would be named results.csv, results.html or report.html
        kInput,    // a file would be one of the inputs
    };
    Kind kind = Kind::kNone;
    std::string path;  // full: the page, or the CSV beside it (ComparisonCsvPath)
};

// Checks the page `html_path` and the CSV beside it against `inputs` (as given to
// CompareResults), both made full through the platform first. A run's own files are refused
// wherever they are: over them a run loses its results, or the next comparison of its folder
// reads our table as the run's.
OutRefusal CheckComparisonOut(const std::string& html_path, const std::vector<std::string>& inputs);

}  // namespace results
