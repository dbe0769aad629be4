// Log reset, exec script staging, the clean-up of what a run staged and the user's files.
#include "config/staged_files.h"

#include <algorithm>

#include "common/text.h"
#include "config/engine_ini.h"
#include "platform/platform.h"

namespace config {
namespace {

// A drive letter is ASCII whatever the code page says of other letters.
bool OnDrive(const std::string& folder) {
    if (folder.size() < 3 || folder[1] != ':' || folder[2] != '\\') return false;
    const char letter = folder[0];
    return (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
}

// Only a path of the form X:\<name> is one this program staged.
bool IsStagedPath(const std::string& path, const std::string& name) {
    return OnDrive(path) && path.substr(3) == name;
}

// Removes one staged file, clearing its attributes first when asked (the engine ini is read-only).
bool RemoveStaged(const std::string& path, const std::string& name, bool clear_attributes,
                  std::string* error) {
    if (!IsStagedPath(path, name)) return true;
    if (platform::GetAttributes(path) == 0) return true;  // already gone
    if (clear_attributes && !platform::SetAttributes(path, platform::kNormal, error)) return false;
    return platform::RemoveFile(path, error);
}

// An empty or relative folder would put files in the current folder, a share has no drive root.
bool CheckGameFolder(const std::string& folder, const std::string& file, const std::string& verb,
                     std::string* error) {
    if (OnDrive(folder)) return true;
    if (error) {
        *error = "Cannot " + verb + " \"" + file + "\": ";
        *error += folder.empty()
                      ? "the game's folder is not known."
                      : "the game's folder \"" + folder + "\" is not on a drive such as C:\\.";
    }
    return false;
}

// Both steps' errors, one per line.
bool Both(bool first_ok, const std::string& first_error, bool second_ok,
          const std::string& second_error, std::string* error) {
    if (error) {
        *error = first_error;
        if (!first_error.empty() && !second_error.empty()) *error += "\n";
        *error += second_error;
    }
    return first_ok && second_ok;
}

std::string ExecScriptSource(const std::string& install_folder) {
    return install_folder + "\\Benchmark\\Stuff\\" + std::string(kExecScriptName);
}

// A file at the drive root is ours when its bytes are exactly what a run of one of the game
// folders writes under its name: an edition's run may have left its script on another's drive.
bool IsOurs(const std::vector<std::string>& install_folders, const std::string& name,
            const std::string& path) {
    std::string bytes, script;
    if (!platform::ReadWholeFile(path, &bytes, nullptr)) return false;
    if (name == kEngineIniName) return IsEngineIniVariant(bytes);
    for (const std::string& folder : install_folders)
        if (OnDrive(folder) &&
            platform::ReadWholeFile(ExecScriptSource(folder), &script, nullptr) && bytes == script)
            return true;
    return false;
}

bool SetAside(const std::string& install_folder, const std::string& name, std::string* error) {
    std::string path;
    if (!DriveRootPath(install_folder, name, "move aside", &path, error)) return false;
    if (platform::GetAttributes(path) == 0 || IsOurs({install_folder}, name, path)) return true;
    const std::string backup = path + kUserBackupSuffix;
    if (platform::GetAttributes(backup) != 0) {
        if (error)
            *error = "Cannot move \"" + path + "\" aside: \"" + backup +
                     "\" is there already. Move one of the two elsewhere, then start the "
                     "benchmark again.";
        return false;
    }
    return platform::RenameFile(path, backup, error);
}

bool Restore(const std::string& install_folder, const std::string& name, std::string* error) {
    std::string path;
    if (!DriveRootPath(install_folder, name, "put back", &path, nullptr)) return true;
    const std::string backup = path + kUserBackupSuffix;
    if (platform::GetAttributes(backup) == 0 || platform::GetAttributes(path) != 0) return true;
    return platform::RenameFile(backup, path, error);
}

bool RemoveLeftover(const std::string& install_folder,
                    const std::vector<std::string>& install_folders, const std::string& name,
                    std::string* error) {
    std::string path;
    if (!DriveRootPath(install_folder, name, "remove", &path, nullptr)) return true;
    if (!IsOurs(install_folders, name, path)) return true;
    return platform::SetAttributes(path, platform::kNormal, error) &&
           platform::RemoveFile(path, error);
}

}  // namespace

std::string DriveRoot(const std::string& install_folder) { return install_folder.substr(0, 3); }

bool DriveRootPath(const std::string& install_folder, const std::string& name,
                   const std::string& verb, std::string* path, std::string* error) {
    if (!CheckGameFolder(install_folder, name, verb, error)) return false;
    *path = DriveRoot(install_folder) + name;
    return true;
}

bool FileExists(const std::string& path) {
    return !path.empty() && platform::CanOpenForReading(path);
}

bool ResetBenchmarkLogs(const std::string& install_folder, std::string* error) {
    if (!CheckGameFolder(install_folder, "benchmark.log", "empty", error)) return false;
    const std::string folder = install_folder + "\\Benchmark\\";
    return platform::CreateEmptyFile(folder + "benchmark.log", error) &&
           platform::CreateEmptyFile(folder + "lowframerate.log", error);
}

bool StageExecScript(const std::string& install_folder, const std::string& destination,
                     std::string* exec_script_path, std::string* error) {
    exec_script_path->clear();
    const std::string source = ExecScriptSource(install_folder);
    if (!platform::CopyOver(source, destination, error)) return false;
    *exec_script_path = destination;
    // A copy keeps the source's attributes; a read-only script (installed from a CD) would make
    // the next staging and the clean-up fail.
    if (platform::GetAttributes(destination) & platform::kReadOnly)
        return platform::SetAttributes(destination, platform::kNormal, error);
    return true;
}

bool RemoveStagedFiles(const std::string& engine_ini_path, const std::string& exec_script_path,
                       std::string* error) {
    std::string ini_error, script_error;
    const bool ini_ok = RemoveStaged(engine_ini_path, kEngineIniName, true, &ini_error);
    const bool script_ok = RemoveStaged(exec_script_path, kExecScriptName, false, &script_error);
    return Both(ini_ok, ini_error, script_ok, script_error, error);
}

bool SetAsideUserFiles(const std::string& install_folder, bool engine_ini, std::string* error) {
    return (!engine_ini || SetAside(install_folder, kEngineIniName, error)) &&
           SetAside(install_folder, kExecScriptName, error);
}

bool RestoreUserFiles(const std::string& install_folder, std::string* error) {
    std::string ini_error, script_error;
    const bool ini_ok = Restore(install_folder, kEngineIniName, &ini_error);
    const bool script_ok = Restore(install_folder, kExecScriptName, &script_error);
    return Both(ini_ok, ini_error, script_ok, script_error, error);
}

bool CleanUpDriveRoot(const std::string& install_folder, const std::string& engine_ini_path,
                      const std::string& exec_script_path, std::string* error) {
    std::string removed_error, restored_error;
    const bool removed = RemoveStagedFiles(engine_ini_path, exec_script_path, &removed_error);
    const bool restored = RestoreUserFiles(install_folder, &restored_error);
    return Both(removed, removed_error, restored, restored_error, error);
}

bool RemoveLeftovers(const std::vector<std::string>& install_folders, std::string* error) {
    bool ok = true;
    std::string errors;
    std::vector<std::string> roots_done;
    for (const std::string& folder : install_folders) {
        // Two editions on one drive share its root: tidied once.
        const std::string root = common::Lower(DriveRoot(folder));
        if (!OnDrive(folder) ||
            std::find(roots_done.begin(), roots_done.end(), root) != roots_done.end())
            continue;
        roots_done.push_back(root);
        std::string ini_error, script_error, removed_error, restored_error, root_error;
        const bool ini_ok = RemoveLeftover(folder, install_folders, kEngineIniName, &ini_error);
        const bool script_ok =
            RemoveLeftover(folder, install_folders, kExecScriptName, &script_error);
        const bool removed = Both(ini_ok, ini_error, script_ok, script_error, &removed_error);
        const bool restored = RestoreUserFiles(folder, &restored_error);
        ok = Both(removed, removed_error, restored, restored_error, &root_error) && ok;
        if (!errors.empty() && !root_error.empty()) errors += "\n";
        errors += root_error;
    }
    if (error) *error = errors;
    return ok;
}

}  // namespace config
