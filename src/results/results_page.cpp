// The results page: its lines, the footer, writing and opening it.
#include "results/results_page.h"

#include "platform/platform.h"
#include "results/html_text.h"
#include "results/run_cells.h"

namespace results {
namespace {

const FrameRateRecord kBlankRecord;

// Entry `k` (from 1) of the records, or a blank one when the log did not hold it.
const FrameRateRecord& Entry(const std::vector<FrameRateRecord>& records, long long k) {
    if (k < 1 || k > static_cast<long long>(records.size())) return kBlankRecord;
    return records[static_cast<size_t>(k - 1)];
}

// A cell without record holds the blank record (a record of only blank fields reads the same).
bool IsBlank(const FrameRateRecord& r) {
    return r.label == kBlankRecord.label && r.low == kBlankRecord.low &&
           r.average == kBlankRecord.average && r.high == kBlankRecord.high;
}

// Column j's heading is the level name of the first resolution that has a record there: a launch
// that left none at the first resolution must not blank a heading later rows fill.
const FrameRateRecord& HeadingRecord(const std::vector<FrameRateRecord>& records,
                                     size_t resolution_count, int n, int j) {
    for (size_t r = 1; r <= resolution_count; ++r) {
        const FrameRateRecord& record = Entry(records, static_cast<long long>(r - 1) * n + j);
        if (!IsBlank(record)) return record;
    }
    return kBlankRecord;
}

// The log's text is the game's (or anyone's): it must not become markup on the page. Fields are
// escaped after they were fitted to width, so the widths stay the log's characters.
void AddTable(std::vector<std::string>& lines, const std::vector<std::string>& resolution_names,
              int n, const std::vector<FrameRateRecord>& records, const char* caption,
              std::string FrameRateRecord::*field) {
    lines.push_back("<TABLE BORDER=1 CELLPADDING=3 ALIGN=CENTER>");
    lines.push_back(std::string("<CAPTION ALIGN=TOP><B>") + caption + "</b></caption>");
    lines.push_back("<TR>");
    lines.push_back("<TD>Resolution");
    for (int j = 1; j <= n; ++j)
        lines.push_back("<TD>" +
                        HtmlEscape(HeadingRecord(records, resolution_names.size(), n, j).label));
    lines.push_back("</TR>");
    for (size_t r = 1; r <= resolution_names.size(); ++r) {
        lines.push_back("<TR>");
        lines.push_back("<TD>" + resolution_names[r - 1]);
        for (int j = 1; j <= n; ++j)
            lines.push_back(
                "<TD>" + HtmlEscape(Entry(records, static_cast<long long>(r - 1) * n + j).*field));
        lines.push_back("</TR>");
    }
    lines.push_back("</TABLE>");
    lines.push_back("<BR>");
    lines.push_back("<BR>");
}

std::string WithLineEnds(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace

std::string ResultsPagePath(const std::string& app_folder) { return app_folder + "results.html"; }

std::vector<std::string> ResultsPageLines(const std::vector<std::string>& resolution_names,
                                          int records_per_resolution,
                                          const std::vector<FrameRateRecord>& records) {
    std::vector<std::string> lines = {"<META GENERATOR=Benchwright>"};
    AddTable(lines, resolution_names, records_per_resolution, records, "Low FPS",
             &FrameRateRecord::low);
    AddTable(lines, resolution_names, records_per_resolution, records, "Average FPS",
             &FrameRateRecord::average);
    AddTable(lines, resolution_names, records_per_resolution, records, "High FPS",
             &FrameRateRecord::high);
    return lines;
}

std::vector<std::string> RunFooterLines(common::BenchmarkPreset preset, common::Renderer renderer,
                                        common::Edition edition) {
    const char* option = nullptr;
    const char* ini = nullptr;
    switch (preset) {
        case common::BenchmarkPreset::kCpuBenchmark:
            option = "CPU Bench";
            ini = "CPU_LowDetail.ini";
            break;
        case common::BenchmarkPreset::kHighQuality:
            option = "High Quality";
            ini = "Custom_MaxDetail.ini";
            break;
        case common::BenchmarkPreset::kLowQuality:
            option = "Low Quality";
            ini = "Custom_MinDetail.ini";
            break;
        case common::BenchmarkPreset::kCustomTest:
            break;
    }
    if (!option) return {};
    const std::string run = "This test was run using the ";
    return {"<BR>",
            "<CENTER>",
            run + option + " Option",
            "<BR>",
            run + common::RendererName(renderer) + " Rendering Engine",
            "<BR>",
            run + common::EditionName(edition) + " version of Unreal Tournament 2003",
            "<BR>",
            run + ini + " provided by Quillmark",
            "<BR>",
            "</CENTER>"};
}

bool WriteResultsPage(const std::string& app_folder,
                      const std::vector<std::string>& resolution_names, int records_per_resolution,
                      const std::vector<LaunchResult>& launches, std::string* error) {
    const std::vector<FrameRateRecord> records =
        PageRecords(launches, resolution_names, records_per_resolution);
    return platform::WriteWholeFile(
        ResultsPagePath(app_folder),
        WithLineEnds(ResultsPageLines(resolution_names, records_per_resolution, records)), error);
}

bool AppendRunFooter(const std::string& app_folder, common::BenchmarkPreset preset,
                     common::Renderer renderer, common::Edition edition, std::string* error) {
    const std::vector<std::string> lines = RunFooterLines(preset, renderer, edition);
    if (lines.empty()) return true;
    return platform::AppendToFile(ResultsPagePath(app_folder), WithLineEnds(lines), error);
}

}  // namespace results
