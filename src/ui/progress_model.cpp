// The progress window's state, its estimate of the time left and its texts.
#include "ui/progress_model.h"

#include <algorithm>

#include "common/text.h"

namespace ui {

namespace {

bool RanToItsEnd(const results::LaunchResult& r) {
    return r.outcome == results::LaunchOutcome::kRecorded ||
           r.outcome == results::LaunchOutcome::kNoRecord;
}

uint32_t AverageOverheadMs(const ProgressModel& m) {
    return m.overhead_count ? static_cast<uint32_t>(m.overhead_ms / m.overhead_count) : 0;
}

}  // namespace

void StartProgress(ProgressModel& model, const core::RunPlan& plan, uint32_t now_ms) {
    model = ProgressModel{};
    model.plan = plan;
    model.run_started_ms = now_ms;
}

void ProgressLaunchStarting(ProgressModel& model, size_t index, uint32_t now_ms) {
    // The repeats left out count as done for the bar.
    for (size_t i = model.next; i < index && i < model.plan.launches.size(); ++i)
        model.seconds_done += model.plan.launches[i].seconds;
    model.next = index + 1;
    ++model.started;
    model.current = index;
    model.launch_running = true;
    model.launch_started_ms = now_ms;
}

void ProgressLaunchFinished(ProgressModel& model, const results::LaunchResult& result) {
    if (result.outcome == results::LaunchOutcome::kNotRun) return;
    model.launch_running = false;
    model.seconds_done += result.seconds;
    model.any_finished = true;
    model.last = result;
    if (RanToItsEnd(result)) {
        const uint32_t planned_ms = static_cast<uint32_t>(result.seconds) * 1000u;
        model.overhead_ms += result.duration_ms > planned_ms ? result.duration_ms - planned_ms : 0;
        ++model.overhead_count;
    }
}

void RequestStop(ProgressModel& model) { model.stop_requested = true; }

void RequestEndGame(ProgressModel& model) {
    model.stop_requested = true;
    model.end_requested = true;
}

uint32_t SecondsLeft(const ProgressModel& m, uint32_t now_ms) {
    if (m.end_requested) return 0;
    const uint64_t overhead = AverageOverheadMs(m);
    uint64_t left_ms = 0;
    const std::vector<core::PlannedLaunch>& launches = m.plan.launches;
    if (m.launch_running && m.current < launches.size()) {
        const uint64_t expected = launches[m.current].seconds * 1000ull + overhead;
        const uint64_t ran = static_cast<uint32_t>(now_ms - m.launch_started_ms);
        left_ms += expected > ran ? expected - ran : 0;
    }
    if (!m.stop_requested) {
        const size_t next = m.launch_running ? m.current + 1 : m.current + (m.any_finished ? 1 : 0);
        if (next < launches.size()) {
            left_ms +=
                core::PlannedSeconds(m.plan, next) * 1000ull + overhead * (launches.size() - next);
        }
    }
    return static_cast<uint32_t>((left_ms + 999) / 1000);
}

std::string ClockText(uint32_t seconds) {
    return std::to_string(seconds / 3600) + ":" + common::Digits(seconds / 60 % 60, 2) + ":" +
           common::Digits(seconds % 60, 2);
}

ProgressView ViewProgress(const ProgressModel& m, uint32_t now_ms) {
    ProgressView v;
    const std::vector<core::PlannedLaunch>& launches = m.plan.launches;
    const size_t n = launches.size();
    if (m.current < n) {
        const core::PlannedLaunch& launch = launches[m.current];
        const char* of = m.plan.settings.until_steady ? " of at most " : " of ";
        v.run = "Run " + std::to_string(std::max<size_t>(m.started, 1)) + of + std::to_string(n);
        v.level = "Level: " + launch.level;
        v.resolution = "Resolution: " + launch.resolution;
    }
    v.elapsed =
        "Time elapsed: " + ClockText(static_cast<uint32_t>(now_ms - m.run_started_ms) / 1000);
    const bool last_launch = m.current + 1 >= n;
    if (m.end_requested) {
        v.left = "Time left: ending the game";
    } else if (m.stop_requested && m.launch_running) {
        v.left = "Time left: finishing this run, about " + ClockText(SecondsLeft(m, now_ms));
    } else {
        v.left = "Time left: about " + ClockText(SecondsLeft(m, now_ms));
    }
    if (m.any_finished) {
        const std::string average = common::Trimmed(m.last.record.average);
        v.last = "Last run: " + (m.last.HasRecord() && !average.empty()
                                     ? average + " fps average"
                                     : std::string(results::OutcomeName(m.last.outcome)));
    }
    const int total = core::PlannedSeconds(m.plan, 0);
    if (total > 0) {
        int64_t done_ms = m.seconds_done * 1000ll;
        if (m.launch_running && m.current < n) {
            done_ms += std::min<int64_t>(static_cast<uint32_t>(now_ms - m.launch_started_ms),
                                         launches[m.current].seconds * 1000ll);
        }
        v.permille = static_cast<int>(std::min<int64_t>(1000, done_ms / total));
    }
    // A stop after the last launch would change nothing; the buttons say what is still possible.
    v.stop_enabled = !m.stop_requested && !last_launch;
    v.end_enabled = !m.end_requested && m.launch_running;
    if (!m.results_not_saved.empty()) v.note = "Results cannot be saved: " + m.results_not_saved;
    return v;
}

void ProgressResultsNotSaved(ProgressModel& model, const std::string& why) {
    model.results_not_saved = why;
}

}  // namespace ui
