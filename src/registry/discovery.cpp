// Finding the game's editions in the registry, and the system information tool.
#include "registry/discovery.h"

#include "platform/platform.h"
#include "registry/registry.h"

namespace registry {

namespace {

using common::Edition;

// A folder value ends at its first NUL; a value stored without one keeps its last character.
std::string FolderOf(const RegistryValue& value) { return value.UsedText(); }

const char* KeyOf(Edition edition) { return edition == Edition::kDemo ? kDemoKey : kFullKey; }

constexpr const char* kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kSysInfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr size_t kValueBufferSize = 1024;
constexpr uint32_t kStringType = 1;

// A string value of HKEY_LOCAL_MACHINE\`key` in the program's own view, without its terminating
// NUL; empty when it cannot be read, is longer than 1024 characters or is not a string.
std::string StringValue(const std::string& key, const std::string& value) {
    platform::RegistryData data;
    if (platform::QueryLocalMachineValue(key, value, platform::RegistryView::kNative, &data) != 0 ||
        data.bytes.size() > kValueBufferSize || data.type != kStringType)
        return "";
    std::string text = data.bytes;
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

}  // namespace

common::Installation ReadGameInstallation() {
    const RegistryValue demo = ReadRegistryValue(kDemoKey, kFolderValue);
    const RegistryValue full = ReadRegistryValue(kFullKey, kFolderValue);

    common::Installation outcome;
    outcome.full_installed = full.Present();
    outcome.demo_installed = demo.Present();
    if (outcome.full_installed) {
        outcome.selected = Edition::kFull;
        outcome.install_folder = FolderOf(full);
    } else if (outcome.demo_installed) {
        outcome.selected = Edition::kDemo;
        outcome.install_folder = FolderOf(demo);
    }
    return outcome;
}

std::string EditionFolder(Edition edition, bool* present) {
    *present = false;
    if (edition == Edition::kNone) return "";
    const RegistryValue value = ReadRegistryValue(KeyOf(edition), kFolderValue);
    *present = value.Present();
    return *present ? FolderOf(value) : "";
}

std::string SystemInformationTool() {
    const std::string path = StringValue(kSysInfoKey, "PATH");
    if (!path.empty()) return path;
    const std::string folder = StringValue(kSysInfoLocationKey, "MSINFO");
    if (folder.empty()) return "";
    const std::string tool = folder + "\\MSINFO32.EXE";
    return platform::CanOpenForReading(tool) ? tool : "";
}

}  // namespace registry
