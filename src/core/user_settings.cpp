// Reading and writing the per-user settings, trusting nothing the registry holds.
#include "core/user_settings.h"

#include "core/run_plan.h"

namespace core {

namespace {

constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegDword = 4;

int ReadSetting(const char* value, int low, int high, int fallback) {
    platform::RegistryData data;
    const long status = platform::QueryUserSetting(value, &data);
    return SettingNumber(status, data, low, high, fallback);
}

}  // namespace

int SettingNumber(long status, const platform::RegistryData& data, int low, int high,
                  int fallback) {
    if (status != 0 || data.type != kRegDword || data.bytes.size() != 4) return fallback;
    uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(data.bytes[i]);
    // Compared unsigned: a huge number must not wrap into the range.
    if (number < static_cast<uint32_t>(low) || number > static_cast<uint32_t>(high))
        return fallback;
    return static_cast<int>(number);
}

std::string FittedLabel(const std::string& text) {
    std::string label = text.substr(0, kMaxLabelLength);
    for (char& c : label)
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    return label;
}

UserSettings LoadUserSettings() {
    const UserSettings defaults;
    UserSettings settings;
    settings.runs_per_level =
        ReadSetting(kRunsPerLevelValue, 1, kMaxRunsPerLevel, defaults.runs_per_level);
    settings.open_report = ReadSetting(kOpenReportValue, 0, 1, defaults.open_report) == 1;
    settings.until_steady = ReadSetting(kUntilSteadyValue, 0, 1, defaults.until_steady) == 1;
    settings.steady_within_tenths =
        ReadSetting(kSteadyWithinValue, results::kSteadyWithinLowest, results::kSteadyWithinHighest,
                    defaults.steady_within_tenths);
    platform::RegistryData label;
    if (platform::QueryUserSetting(kLabelValue, &label) == 0 && label.type == kRegSz)
        settings.label = FittedLabel(label.bytes.substr(0, label.bytes.find('\0')));
    return settings;
}

bool SaveUserSettings(const UserSettings& settings, std::string* error) {
    return platform::WriteUserSetting(kRunsPerLevelValue,
                                      static_cast<uint32_t>(settings.runs_per_level), error) &&
           platform::WriteUserSetting(kOpenReportValue, settings.open_report ? 1 : 0, error) &&
           platform::WriteUserSetting(kUntilSteadyValue, settings.until_steady ? 1 : 0, error) &&
           platform::WriteUserSetting(
               kSteadyWithinValue, static_cast<uint32_t>(settings.steady_within_tenths), error) &&
           platform::WriteUserSettingText(kLabelValue, FittedLabel(settings.label), error);
}

}  // namespace core
