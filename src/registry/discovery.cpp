// Finding the game's editions in the registry at start, and selecting one of them.
#include "registry/discovery.h"

#include "platform/platform.h"
#include "registry/registry.h"

namespace registry {

namespace {

// A folder value ends at its first NUL; a value stored without one keeps its last character.
std::string FolderOf(const RegistryValue& value) { return value.UsedText(); }

const char* KeyOf(Edition edition) { return edition == Edition::kDemo ? kDemoKey : kFullKey; }

}  // namespace

const char* EditionName(Edition edition) { return edition == Edition::kDemo ? "demo" : "full"; }

InstallationOutcome ReadGameInstallation() {
    const RegistryValue demo = ReadRegistryValue(kDemoKey, kFolderValue);
    const RegistryValue full = ReadRegistryValue(kFullKey, kFolderValue);

    InstallationOutcome outcome;
    outcome.full_enabled = full.Present();
    outcome.demo_enabled = demo.Present();
    if (outcome.full_enabled) {
        outcome.selected = Edition::kFull;
        outcome.game_edition = EditionName(Edition::kFull);
        outcome.install_folder = FolderOf(full);
    } else if (outcome.demo_enabled) {
        outcome.selected = Edition::kDemo;
        outcome.game_edition = EditionName(Edition::kDemo);
        outcome.install_folder = FolderOf(demo);
    }
    return outcome;
}

InstallationOutcome FindGameInstallation() {
    InstallationOutcome outcome = ReadGameInstallation();
    if (outcome.selected == Edition::kNone)
        platform::ShowMessage("Please install UT2003 (full version) or UT2003 (demo)",
                              "Install UT2003", platform::MessageIcon::kNone);
    return outcome;
}

std::string EditionFolder(Edition edition, bool* present) {
    *present = false;
    if (edition == Edition::kNone) return "";
    const RegistryValue value = ReadRegistryValue(KeyOf(edition), kFolderValue);
    *present = value.Present();
    return *present ? FolderOf(value) : "";
}

bool SelectEdition(Edition edition, std::string* install_folder) {
    bool present = false;
    *install_folder = EditionFolder(edition, &present);
    if (!present) {
        platform::ShowMessage(std::string("UT2003 (") +
                                  (edition == Edition::kDemo ? "demo" : "full version") +
                                  ") is no longer installed: its folder is missing from the "
                                  "registry. Please install it again or choose another edition.",
                              "Install UT2003", platform::MessageIcon::kNone);
        return false;
    }
    return true;
}

}  // namespace registry
