// The program's start: discovery, left-overs, logs; and the registry's answers asked later.
#include "core/start_up.h"

#include <vector>

#include "config/staged_files.h"
#include "core/run_driver.h"
#include "platform/platform.h"
#include "registry/discovery.h"

namespace core {

std::string AppFolder() {
    std::string folder = platform::ProgramFolder();
    if (!platform::EndsWithBackslash(folder)) folder += '\\';
    return folder;
}

common::Installation FindInstallation() { return registry::ReadGameInstallation(); }

StartUp StartProgram() {
    StartUp start;
    start.installation = FindInstallation();
    const std::string& install_folder = start.installation.install_folder;
    RemoveKilledRunLeftovers(&start.leftovers_error);
    start.app_folder = AppFolder();
    ResetGameLogs(install_folder, &start.logs_error);
    return start;
}

bool RemoveKilledRunLeftovers(std::string* error) {
    std::vector<std::string> folders;
    for (common::Edition edition : {common::Edition::kFull, common::Edition::kDemo}) {
        std::string folder;
        if (FindEditionFolder(edition, &folder)) folders.push_back(folder);
    }
    return config::RemoveLeftovers(folders, error);
}

bool FindEditionFolder(common::Edition edition, std::string* install_folder) {
    bool present = false;
    *install_folder = registry::EditionFolder(edition, &present);
    return present;
}

bool StartSystemInformation() {
    const std::string tool = registry::SystemInformationTool();
    if (tool.empty()) return false;
    const bool quoted = tool.find(' ') != std::string::npos && tool.front() != '"';
    platform::StartFailure failure;
    return platform::StartProgram(quoted ? "\"" + tool + "\"" : tool, &failure);
}

}  // namespace core
