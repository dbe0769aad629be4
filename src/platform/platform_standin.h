// The native tests' stand-in for the operating system: what they set up and what they read back.
//
// Files and registry values live in memory. Every request that changes something or reaches
// outside (write, copy, remove, attributes, run, start, open, message) is appended to the journal
// in the order it was made, so a test can check a whole run step by step. Any file operation can
// be told to fail for one path.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform::standin {

struct File {
    std::string contents;
    uint32_t attributes = kArchive;
    bool locked = false;  // held open with no sharing by another process
    // When not 0: the size the file claims, `contents` being only its first bytes (a huge file
    // without the memory).
    uint64_t claimed_size = 0;
};

struct Message {
    std::string text;
    std::string title;  // as passed: empty means the program's title
    MessageIcon icon = MessageIcon::kNone;
};

struct State {
    // Paths are compared case-insensitively, like Windows; keys are stored as first written.
    std::map<std::string, File> files;
    // Folders that exist. A file can only be created in an existing folder; drive roots of the
    // form X:\ always exist.
    std::set<std::string> folders;
    // The folders the system was asked to create, in order (each level CreateFolders makes, each
    // CreateNewFolder). A level must have its parent: the first below a share needs the share.
    std::vector<std::string> folders_made;

    // (operation, path) pairs that fail with "Access is denied.". Operations: "create", "write",
    // "append", "read", "copy" (matched on the destination), "remove", "attributes", "folder"
    // (CreateFolders and CreateNewFolder). A "disk
    // full" write fails half way: the file is there, with the first half of what was written.
    std::set<std::pair<std::string, std::string>> failures;

    // Registry values under HKEY_LOCAL_MACHINE, keyed by key path + "\\" + value name.
    std::map<std::string, RegistryData> registry;

    // Benchwright's own settings under HKEY_CURRENT_USER\Software\Benchwright, by value name.
    // A value name in `failures` with the operation "setting" cannot be saved.
    std::map<std::string, RegistryData> user_settings;

    std::string program_folder = "C:\\Tools\\Bench";
    // The system code page: single-byte, or Japanese (932), where a byte from 0x81 to 0x9F or
    // from 0xE0 to 0xFC leads a character of two bytes whose second may be 0x5C, a backslash's.
    bool code_page_932 = false;

    // A program starts when its file (the command line's first, possibly quoted, word) exists;
    // otherwise it fails as not found (code 2). A program listed here exists but fails with
    // code 193, "not a valid application".
    std::set<std::string> unstartable;

    // Called for every RunAndWait that starts, before it returns: stands in for the game. A test
    // may raise the end signal from here, as a user's click during the game would.
    std::function<void(const std::string& command_line)> on_run;
    // Runs (numbered from 1 in the order they start) that never end by themselves: they end as
    // timed out, or as ended when the end signal is raised.
    std::set<size_t> hanging_runs;
    // Exit codes of runs by number; others exit with 0.
    std::map<size_t, uint32_t> exit_codes;
    // Programs (full paths) with a process running that Benchwright did not start; EndProgram
    // ends them.
    std::set<std::string> running_programs;
    // Whether the one end signal the stand-in hands out has been raised.
    bool end_raised = false;

    // The clock: Milliseconds() and Now() (local time `start_time` plus the milliseconds gone).
    // Each run takes `run_milliseconds`.
    uint32_t milliseconds = 0;
    uint32_t run_milliseconds = 1000;
    LocalTime start_time = {2026, 12, 6, 14, 5, 9};

    // Processor time in 100-nanosecond units: what SystemBusyTime and OwnProcessorTime return
    // (a test moves them on from on_run, as a launch's processors would), and every run's
    // GameEnd::processor_time. nullopt: the system cannot say.
    std::optional<uint64_t> system_busy = 0;
    std::optional<uint64_t> own_processor_time = 0;
    std::optional<uint64_t> game_processor_time = 0;

    // Version resources by program path (exact); ReadFileVersion gives nullopt for any other.
    std::map<std::string, std::array<uint16_t, 4>> file_versions;

    // What ReadSystemInfo returns.
    SystemInfo system_info = {"BENCH-PC",
                              "Windows XP Professional Service Pack 3 (5.1.2600)",
                              "AMD Athlon(tm) XP 2400+",
                              1,
                              1024,
                              "NVIDIA GeForce4 Ti 4600",
                              "6.14.10.4523"};

    // Bytes read from files, a claimed size counted whole when read whole.
    uint64_t bytes_read = 0;

    std::vector<std::string> journal;
    std::vector<Message> messages;
    std::vector<std::string> runs;     // command lines of RunAndWait, in order
    std::vector<std::string> started;  // command lines of StartProgram
    std::vector<std::string> opened;   // targets of ShellOpen
};

// The stand-in's one state. Reset() before each test.
State& Get();
void Reset();

// Convenience for tests.
void AddFolder(const std::string& path);  // also adds every parent folder
void AddFile(const std::string& path, const std::string& contents, uint32_t attributes = kArchive);
bool HasFile(const std::string& path);
const File* FindFile(const std::string& path);
void SetRegistryString(const std::string& key, const std::string& value, const std::string& text,
                       bool with_nul = true);

}  // namespace platform::standin
