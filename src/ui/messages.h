// The words of every message box and console error: the layers below the windows return typed
// reasons, and this is where they become what a user reads.
#pragma once

#include <string>

#include "common/benchmark.h"
#include "core/launch.h"
#include "core/run_plan.h"
#include "platform/platform.h"

namespace ui {

struct Message {
    std::string text;
    std::string title;  // empty: the program's title
    platform::MessageIcon icon = platform::MessageIcon::kNone;
};

// Why a run of `preset` cannot start.
Message RefusalMessage(const core::RunRefusal& refusal, common::BenchmarkPreset preset);

// The game could not be started: a missing program with the critical icon, any other failure
// with none.
Message LaunchFailureMessage(const core::LaunchFailure& failure);

// A file step failed; `error` names the file and the reason.
Message FileStepMessage(const std::string& error);

// Rows of the run that results.csv could not take by the run's end; `why` names the file, the
// reason and the rows.
Message RowsNotSavedMessage(const std::string& why);

// The game `program` still runs as a run is to start: the window's Yes/No question (Yes ends
// it), the message when it could not be ended, and the command line's refusal.
std::string GameStillRunningQuestion(const std::string& program);
Message GameNotEndedMessage(const std::string& program);
std::string GameStillRunningRefusal(const std::string& program);

// At start-up, neither edition is installed.
Message NoInstallationMessage();

// The edition chosen has gone from the registry since start.
Message EditionGoneMessage(common::Edition edition);

// What the start-up could not tidy or empty; `error` names the file and the reason.
Message StartUpMessage(const std::string& error);

// The about window's system information tool is not there.
Message NoSystemInformationMessage();

// The Options window's "Steady within" box holds no percentage it can take.
Message SteadyWithinMessage();

// Shows the message with a single OK button and waits until it is dismissed.
void Show(const Message& message);

}  // namespace ui
