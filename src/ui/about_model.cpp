// The about window's texts, and finding and starting the system information tool.
#include "ui/about_model.h"

#include "platform/platform.h"
#include "ui/main_window_model.h"
#include "version.h"

namespace ui {

namespace {

constexpr size_t kValueBufferSize = 1024;
constexpr uint32_t kStringType = 1;

std::string Quoted(const std::string& path) {
    if (path.find(' ') == std::string::npos || path.front() == '"') return path;
    return "\"" + path + "\"";
}

}  // namespace

AboutTexts LoadAboutTexts() {
    AboutTexts texts;
    texts.title = kAppTitle;
    texts.caption = std::string("About ") + texts.title;
    texts.version = std::string("Version ") + BW_VERSION_TEXT;
    texts.description = "Runs the game's own benchmark and collects the frame rates.";
    texts.credits = "Written by the Benchwright developers.";
    texts.credits_tip = std::string("Questions and reports: ") + kMakerWebAddress;
    texts.disclaimer = "Measure twice, tweak once.";
    texts.banner_tip = kBannerTip;
    return texts;
}

bool GetKeyValue(const std::string& KeyName, const std::string& SubKeyRef, std::string* KeyVal) {
    KeyVal->clear();
    platform::RegistryData data;
    if (platform::QueryLocalMachineValue(KeyName, SubKeyRef, platform::RegistryView::kNative,
                                         &data) != 0) {
        return false;
    }
    if (data.bytes.size() > kValueBufferSize || data.type != kStringType) return false;
    std::string text = data.bytes;
    if (!text.empty() && text.back() == '\0') text.pop_back();
    *KeyVal = text;
    return true;
}

void StartSysInfo() {
    std::string path;
    bool found = GetKeyValue(kSysInfoKey, "PATH", &path);
    if (!found && GetKeyValue(kSysInfoLocationKey, "MSINFO", &path)) {
        path += "\\MSINFO32.EXE";
        found = platform::CanOpenForReading(path);
    }
    platform::StartFailure failure;
    if (found && !path.empty() && platform::StartProgram(Quoted(path), &failure)) return;
    platform::ShowMessage(kSysInfoUnavailable, kAppTitle, platform::MessageIcon::kNone);
}

}  // namespace ui
