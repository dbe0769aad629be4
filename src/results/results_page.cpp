// The results page: its lines, the footer, writing and opening it.
#include "results/results_page.h"

#include "platform/platform.h"
#include "results/frame_rate_log.h"

namespace results {
namespace {

const FrameRateRecord kBlankRecord;

// Entry `k` (from 1) of the records, or a blank one when the log did not hold it.
const FrameRateRecord& Entry(const std::vector<FrameRateRecord>& records, long long k) {
    if (k < 1 || k > static_cast<long long>(records.size())) return kBlankRecord;
    return records[static_cast<size_t>(k - 1)];
}

void AddTable(std::vector<std::string>& lines, const core::SessionState& state, int n,
              const char* caption, std::string FrameRateRecord::*field) {
    const auto& records = state.FrameRateRecords;
    lines.push_back("<TABLE BORDER=1 CELLPADDING=3 ALIGN=CENTER>");
    lines.push_back(std::string("<CAPTION ALIGN=TOP><B>") + caption + "</b></caption>");
    lines.push_back("<TR>");
    lines.push_back("<TD>Resolution");
    for (int j = 1; j <= n; ++j) lines.push_back("<TD>" + Entry(records, j).Label);
    lines.push_back("</TR>");
    for (int r = 1; r <= state.ResolutionCount; ++r) {
        lines.push_back("<TR>");
        const size_t name = static_cast<size_t>(r - 1);
        lines.push_back("<TD>" +
                        (name < state.ResolutionNames.size() ? state.ResolutionNames[name] : ""));
        for (int j = 1; j <= n; ++j)
            lines.push_back("<TD>" + Entry(records, static_cast<long long>(r - 1) * n + j).*field);
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

std::string ResultsPagePath(const core::SessionState& state) {
    return state.AppFolder + "results.html";
}

std::vector<std::string> ResultsPageLines(const core::SessionState& state,
                                          int records_per_resolution) {
    std::vector<std::string> lines = {"<META GENERATOR=Benchwright>"};
    AddTable(lines, state, records_per_resolution, "Low FPS", &FrameRateRecord::Low);
    AddTable(lines, state, records_per_resolution, "Average FPS", &FrameRateRecord::Average);
    AddTable(lines, state, records_per_resolution, "High FPS", &FrameRateRecord::High);
    return lines;
}

std::vector<std::string> RunFooterLines(const core::SessionState& state,
                                        core::BenchmarkPreset preset) {
    const char* option = nullptr;
    const char* ini = nullptr;
    switch (preset) {
        case core::BenchmarkPreset::kCpuBenchmark:
            option = "CPU Bench";
            ini = "CPU_LowDetail.ini";
            break;
        case core::BenchmarkPreset::kHighQuality:
            option = "High Quality";
            ini = "Custom_MaxDetail.ini";
            break;
        case core::BenchmarkPreset::kLowQuality:
            option = "Low Quality";
            ini = "Custom_MinDetail.ini";
            break;
        case core::BenchmarkPreset::kCustomTest:
            break;
    }
    if (!option) return {};
    const std::string run = "This test was run using the ";
    return {
        "<BR>",
        "<CENTER>",
        run + option + " Option",
        "<BR>",
        run + (core::IsOpenGL(state.RenderEngine) ? "OpenGL" : "Direct3D") + " Rendering Engine",
        "<BR>",
        run + state.GameEdition + " version of Unreal Tournament 2003",
        "<BR>",
        run + ini + " provided by Quillmark",
        "<BR>",
        "</CENTER>"};
}

std::vector<FrameRateRecord> AlignRecordsToLaunches(
    const std::vector<FrameRateRecord>& records, const std::vector<size_t>& records_after_launch) {
    std::vector<FrameRateRecord> aligned;
    size_t before = 0;
    for (size_t after : records_after_launch) {
        aligned.push_back(after > before && before < records.size() ? records[before]
                                                                    : FrameRateRecord{});
        before = after;
    }
    for (size_t k = before; k < records.size(); ++k) aligned.push_back(records[k]);
    return aligned;
}

bool WriteResultsPage(core::SessionState& state, int records_per_resolution,
                      const std::vector<size_t>* records_after_launch, std::string* error) {
    ReadFrameRateLog(state);
    if (records_after_launch)
        state.FrameRateRecords =
            AlignRecordsToLaunches(state.FrameRateRecords, *records_after_launch);
    return platform::WriteWholeFile(ResultsPagePath(state),
                                    WithLineEnds(ResultsPageLines(state, records_per_resolution)),
                                    error);
}

bool AppendRunFooter(const core::SessionState& state, core::BenchmarkPreset preset,
                     std::string* error) {
    const std::vector<std::string> lines = RunFooterLines(state, preset);
    if (lines.empty()) return true;
    return platform::AppendToFile(ResultsPagePath(state), WithLineEnds(lines), error);
}

void OpenDocument(const std::string& path) { platform::ShellOpen(path, true, ""); }

}  // namespace results
