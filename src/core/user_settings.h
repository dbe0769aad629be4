// Benchwright's own per-user settings (runs per level or until steady, which page a run opens)
// and where they are kept: HKEY_CURRENT_USER\Software\Benchwright, read through the platform seam.
#pragma once

#include <string>

#include "platform/platform.h"
#include "results/steadiness.h"

namespace core {

// The names of the values under the key.
inline constexpr const char* kRunsPerLevelValue = "RunsPerLevel";  // REG_DWORD 1 to 5
inline constexpr const char* kOpenReportValue = "OpenReport";      // REG_DWORD 0 or 1
// "Until steady" (REG_DWORD 0 or 1) and "Steady within" (REG_DWORD, tenths of a percent, 5 to 100).
inline constexpr const char* kUntilSteadyValue = "UntilSteady";
inline constexpr const char* kSteadyWithinValue = "SteadyWithin";
inline constexpr const char* kLabelValue = "Label";  // REG_SZ

// A label is kept to this many characters.
inline constexpr size_t kMaxLabelLength = 100;

struct UserSettings {
    int runs_per_level = 1;    // each launch made this many times in a row
    bool open_report = false;  // a run ends by opening its report.html instead of results.html
    // Each launch repeated until its averages are steady (runs_per_level then unused), within
    // steady_within_tenths / 10 percent.
    bool until_steady = false;
    int steady_within_tenths = results::kSteadyWithinDefault;
    std::string label;  // what the runs that follow test ("driver 531.41"); may be empty
};

// `text` as a label: its first kMaxLabelLength characters, a control character (a line end)
// as a space.
std::string FittedLabel(const std::string& text);

// The number a stored value holds, or `fallback` when it is not a REG_DWORD of four bytes whose
// number lies in [low, high]. `status` is the registry's answer when the value was read.
int SettingNumber(long status, const platform::RegistryData& data, int low, int high, int fallback);

// The settings as stored; a missing value, or one of the wrong type, size or range, takes its
// default. Never fails.
UserSettings LoadUserSettings();

// Stores the values. False, with `error` naming the value and the reason, when one cannot be
// written.
bool SaveUserSettings(const UserSettings& settings, std::string* error);

}  // namespace core
