// The about window's texts and its system information button.
#pragma once

#include <string>

namespace ui {

struct AboutTexts {
    std::string caption;      // "About Benchwright"
    std::string title;        // lblTitle
    std::string version;      // lblVersion, "Version " and the project's version
    std::string description;  // lblDescription, a credits line
    std::string credits;      // Label1, a credits line
    std::string credits_tip;  // Label1's tooltip, a contact line
    std::string disclaimer;   // lblDisclaimer, the slogan
    std::string banner_tip;   // the banner's tooltip
};

inline constexpr const char* kAppTitle = "Benchwright";
inline constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";
inline constexpr const char* kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kSysInfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

// The texts set when the window loads.
AboutTexts LoadAboutTexts();

// Reads the string value `SubKeyRef` of HKEY_LOCAL_MACHINE\`KeyName` (the program's own registry
// view, read access only) into `KeyVal`. A terminating NUL is dropped; a value stored without one
// keeps every character. False, with `KeyVal` empty, when the key or value cannot be read, the
// value is longer than 1024 characters or is not a string.
bool GetKeyValue(const std::string& KeyName, const std::string& SubKeyRef, std::string* KeyVal);

// Starts the system information tool without waiting for it, or shows the one message saying
// it is unavailable.
void StartSysInfo();

}  // namespace ui
