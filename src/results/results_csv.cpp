// Reading results.csv back, trusting nothing in it.
#include "results/results_csv.h"

#include <algorithm>

#include "results/csv.h"

namespace results {

bool ReadResultsCsv(std::string_view text, std::vector<std::vector<std::string>>* rows,
                    std::string* why) {
    rows->clear();
    std::vector<std::vector<std::string>> records;
    std::string error;
    if (!ParseCsv(text, &records, &error)) {
        if (why) *why = "It is not CSV: " + error;
        return false;
    }
    const bool header_matches =
        !records.empty() && records[0].size() == kResultsCsvColumns.size() &&
        std::equal(records[0].begin(), records[0].end(), kResultsCsvColumns.begin());
    if (!header_matches) {
        if (why) *why = "Its header is not the one results.csv has.";
        return false;
    }
    for (size_t i = 1; i < records.size(); ++i) {
        if (records[i].size() != kResultsCsvColumns.size()) {
            if (why) {
                *why = "Row " + std::to_string(i) + " has " + std::to_string(records[i].size()) +
                       " fields instead of " + std::to_string(kResultsCsvColumns.size()) + ".";
            }
            rows->clear();
            return false;
        }
        rows->push_back(std::move(records[i]));
    }
    return true;
}

}  // namespace results
