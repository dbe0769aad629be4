// The files a run prepares and tidies away: the game's two logs (emptied), the flyby exec script
// (copied to the drive root), the staged copies at the end, the user's own files moved out of
// their way and back, and what a killed run left behind.
//
// Every function that can fail returns false with `error` set to one sentence naming the file and
// the system's reason; none of them ends the program or shows anything.
#pragma once

#include <string>
#include <vector>

namespace config {

// The names staged at the game's drive root.
inline constexpr char kEngineIniName[] = "UT2003.ini";
inline constexpr char kExecScriptName[] = "flybyexec.txt";
// Added to the name of a user's own file moved aside while a run stages its file there.
inline constexpr char kUserBackupSuffix[] = ".user-backup";

// The drive root where the engine ini and exec script are staged: the first three characters of
// the install folder, taken as they stand (all of it when shorter).
std::string DriveRoot(const std::string& install_folder);

// Sets `path` to DriveRoot(install_folder) + `name`. Refuses an install folder that does not begin
// with a drive letter, a colon and a backslash (empty, relative, a network share): the file would
// land somewhere else than the game's drive root. `verb` words the error ("write", "copy").
bool DriveRootPath(const std::string& install_folder, const std::string& name,
                   const std::string& verb, std::string* path, std::string* error);

// True when the file can be opened for reading; any failure, an empty path included, is false.
bool FileExists(const std::string& path);

// Leaves install_folder\Benchmark\benchmark.log and lowframerate.log existing and empty.
bool ResetBenchmarkLogs(const std::string& install_folder, std::string* error);

// Copies install_folder\Benchmark\Stuff\flybyexec.txt to `destination` (the drive root's
// flybyexec.txt, as the run planned it: DriveRootPath) and sets `exec_script_path` to the copy.
// The copy is left writable even when the game's script is read-only, so that it can be replaced
// and removed. When the copy fails `exec_script_path` is empty: nothing of this run is there.
bool StageExecScript(const std::string& install_folder, const std::string& destination,
                     std::string* exec_script_path, std::string* error);

// Removes the engine ini at `engine_ini_path` (EngineIniPath, after clearing its read-only flag)
// and the exec script at `exec_script_path` (ExecScriptPath). Only files this program stages are
// touched: a user's own ini file (a path in double quotes), an empty path, or any path other than
// drive root + the staged name is left alone. A file already gone is not an error. Both removals
// are tried; the errors of both are reported, one per line.
bool RemoveStagedFiles(const std::string& engine_ini_path, const std::string& exec_script_path,
                       std::string* error);

// Before staging: a user's own file at the drive root under kEngineIniName (only when
// `engine_ini`, the run writes one there) or kExecScriptName is renamed in place to its name +
// kUserBackupSuffix, bytes and attributes as they are. A file byte-equal to what a run writes
// there (an engine ini variant, the game's own Benchmark\Stuff\flybyexec.txt) is ours and is left
// to be replaced. Fails, moving nothing further, when a backup name is taken already or a move
// fails; RestoreUserFiles puts back whatever was moved.
bool SetAsideUserFiles(const std::string& install_folder, bool engine_ini, std::string* error);

// Puts each backup at the drive root back under its own name when that name is free. A backup
// whose name is still taken (a staged file that could not be removed) stays for a later clean-up
// or start.
bool RestoreUserFiles(const std::string& install_folder, std::string* error);

// The clean-up of every run however it ends: RemoveStagedFiles, then RestoreUserFiles; both are
// tried and their errors reported, one per line.
bool CleanUpDriveRoot(const std::string& install_folder, const std::string& engine_ini_path,
                      const std::string& exec_script_path, std::string* error);

// At start-up, for what a killed run left: at the drive root of each of `install_folders` (every
// installed edition's; each root once) removes the files that are ours (byte-equal to what a run
// of any of them writes there, read-only cleared first), then RestoreUserFiles. Anything else
// there is the user's and is not touched. A folder not on a drive is skipped. Every root is
// tried; the errors are reported one per line.
bool RemoveLeftovers(const std::vector<std::string>& install_folders, std::string* error);

}  // namespace config
