// The comparison's output names, compared as Windows compares them.
#include "results/comparison_out.h"

#include <algorithm>

#include "common/text.h"
#include "platform/platform.h"
#include "results/comparison.h"

namespace results {

std::string StoredName(std::string_view path) {
    std::string stored;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = std::min(path.find_first_of("\\/", start), path.size());
        std::string part(path.substr(start, end - start));
        const bool last = end == path.size();
        // A colon in the file's name starts a stream; the one of "C:" is a drive's.
        const size_t drive = stored.empty() && part.size() >= 2 && part[1] == ':' ? 2 : 0;
        if (last) part = part.substr(0, part.find(':', drive));
        if (part.find_first_not_of('.') != std::string::npos) {
            const size_t kept = part.find_last_not_of(". ");
            part.resize(kept == std::string::npos ? 0 : kept + 1);
        }
        stored += part;
        if (last) break;
        stored += '\\';
        start = end + 1;
    }
    return stored;
}

bool SameName(std::string_view a, std::string_view b) {
    return common::Lower(StoredName(a)) == common::Lower(StoredName(b));
}

OutRefusal CheckComparisonOut(const std::string& html_path,
                              const std::vector<std::string>& inputs) {
    using Kind = OutRefusal::Kind;
    const std::string page = StoredName(platform::FullPath(html_path));
    if (platform::EndsWithBackslash(page) || platform::FolderExists(page))
        return {Kind::kFolder, page};
    for (const std::string& file : {page, ComparisonCsvPath(page)}) {
        const std::string name = common::Lower(file.substr(file.find_last_of('\\') + 1));
        if (name == "results.csv" || name == "results.html" || name == "report.html")
            return {Kind::kRunFile, file};
        for (const std::string& input : inputs)
            if (SameName(file, platform::FullPath(input))) return {Kind::kInput, file};
    }
    return {};
}

}  // namespace results
