// What the program finds and tidies when it starts, and what it asks of the machine later on:
// the installed editions, the program's folder, what a killed run left behind, the game's logs,
// an edition's folder read again, the system information tool.
#pragma once

#include <string>

#include "common/benchmark.h"

namespace core {

struct StartUp {
    std::string app_folder;  // the program's folder, ending in a backslash
    common::Installation installation;
    std::string leftovers_error;  // a left-over of a killed run could not be tidied: why
    std::string logs_error;       // the game's logs could not be emptied: why
};

// Finds the installed editions, removes what a killed run left (RemoveKilledRunLeftovers), and
// empties the game's logs. Shows nothing.
StartUp StartProgram();

// Removes what a killed run left at the drive root of every installed edition (files byte-equal
// to what a run of any of them stages) and puts the user's own files back there. The window's
// start and every command-line run do it first: a lab machine may never see the window. False,
// with `error` naming each file and the reason, one per line, when something could not be tidied.
bool RemoveKilledRunLeftovers(std::string* error);

// The program's folder, always ending in a backslash (also in a double-byte code page).
std::string AppFolder();

// The installed editions as the registry names them now.
common::Installation FindInstallation();

// The edition's folder as the registry names it now; false when its entry has gone.
bool FindEditionFolder(common::Edition edition, std::string* install_folder);

// Starts the system information tool without waiting for it; false when it is not registered or
// cannot be started.
bool StartSystemInformation();

}  // namespace core
