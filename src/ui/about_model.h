// The about window's texts.
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
// The texts set when the window loads.
AboutTexts LoadAboutTexts();

}  // namespace ui
