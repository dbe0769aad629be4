// Finding the game's editions in the registry at start, and selecting one of them.
#include "registry/discovery.h"

#include "platform/platform.h"
#include "registry/registry.h"

namespace registry {

namespace {

// A folder value ends at its first NUL; a value stored without one keeps its last character.
std::string FolderOf(const RegistryValue& value) { return value.UsedText(); }

const char* KeyOf(Edition edition) { return edition == Edition::kDemo ? kDemoKey : kFullKey; }

const char* NameOf(Edition edition) { return edition == Edition::kDemo ? "demo" : "full"; }

}  // namespace

InstallationOutcome FindGameInstallation(core::SessionState& state) {
    const RegistryValue demo = ReadRegistryValue(kDemoKey, kFolderValue);
    const RegistryValue full = ReadRegistryValue(kFullKey, kFolderValue);

    InstallationOutcome outcome;
    outcome.full_enabled = full.Present();
    outcome.demo_enabled = demo.Present();
    if (outcome.full_enabled) {
        outcome.selected = Edition::kFull;
        state.GameEdition = NameOf(Edition::kFull);
        state.InstallFolder = FolderOf(full);
    } else if (outcome.demo_enabled) {
        outcome.selected = Edition::kDemo;
        state.GameEdition = NameOf(Edition::kDemo);
        state.InstallFolder = FolderOf(demo);
    } else {
        platform::ShowMessage("Please install UT2003 (full version) or UT2003 (demo)",
                              "Install UT2003", platform::MessageIcon::kNone);
        state.InstallFolder.clear();
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

bool SelectEdition(core::SessionState& state, Edition edition) {
    bool present = false;
    const std::string folder = EditionFolder(edition, &present);
    if (edition != Edition::kNone) state.GameEdition = NameOf(edition);
    if (!present) {
        state.InstallFolder.clear();
        platform::ShowMessage(std::string("UT2003 (") +
                                  (edition == Edition::kDemo ? "demo" : "full version") +
                                  ") is no longer installed: its folder is missing from the "
                                  "registry. Please install it again or choose another edition.",
                              "Install UT2003", platform::MessageIcon::kNone);
        return false;
    }
    state.InstallFolder = folder;
    return true;
}

}  // namespace registry
