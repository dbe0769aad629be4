// The words of the messages.
#include "ui/messages.h"

namespace ui {

Message RefusalMessage(const core::RunRefusal& refusal, common::BenchmarkPreset preset) {
    using Reason = core::RunRefusal::Reason;
    using platform::MessageIcon;
    switch (refusal.reason) {
        case Reason::kNoInstallation:
            return {
                "UT2003 was not found, so no benchmark can run. Please install UT2003 (full "
                "version) or UT2003 (demo)",
                "", MessageIcon::kExclamation};
        case Reason::kNoResolution:
            return {"Please Select at least one resolution to use",
                    preset == common::BenchmarkPreset::kCustomTest ? "Please select a Resolution"
                                                                   : "Select a Resolution",
                    MessageIcon::kNone};
        case Reason::kNoCustomIni:
            return {"Please Choose a Custom ini file to use", "Choose a File...",
                    MessageIcon::kNone};
        case Reason::kNoGameProgram:
            return LaunchFailureMessage({refusal.detail, true, 0, ""});
        case Reason::kFileStep:
        case Reason::kNone:
            break;
    }
    return FileStepMessage(refusal.detail);
}

Message LaunchFailureMessage(const core::LaunchFailure& failure) {
    return {core::FailureText(failure), "",
            failure.program_not_found ? platform::MessageIcon::kCritical
                                      : platform::MessageIcon::kNone};
}

Message FileStepMessage(const std::string& error) {
    return {error, "", platform::MessageIcon::kCritical};
}

Message RowsNotSavedMessage(const std::string& why) {
    return {
        "Some results could not be saved to results.csv; results.html and the report have "
        "them.\n\n" +
            why,
        "", platform::MessageIcon::kExclamation};
}

namespace {

std::string GameStillRunningText(const std::string& program) {
    return program +
           " is still running, perhaps left by a Benchwright that was ended. Its frame rates "
           "would be taken for this run's.";
}

}  // namespace

std::string GameStillRunningQuestion(const std::string& program) {
    return GameStillRunningText(program) +
           "\n\nEnd it now and start the benchmark? (No: the benchmark does not start; start it "
           "again once the game has ended.)";
}

Message GameNotEndedMessage(const std::string& program) {
    return {program + " could not be ended, so the benchmark does not start.", "",
            platform::MessageIcon::kExclamation};
}

std::string GameStillRunningRefusal(const std::string& program) {
    return "No run can start: " + GameStillRunningText(program) +
           " End it, or wait until it has ended, and start this run again.";
}

Message NoInstallationMessage() {
    return {"Please install UT2003 (full version) or UT2003 (demo)", "Install UT2003",
            platform::MessageIcon::kNone};
}

Message EditionGoneMessage(common::Edition edition) {
    return {std::string("UT2003 (") +
                (edition == common::Edition::kDemo ? "demo" : "full version") +
                ") is no longer installed: its folder is missing from the registry. Please "
                "install it again or choose another edition.",
            "Install UT2003", platform::MessageIcon::kNone};
}

Message StartUpMessage(const std::string& error) {
    return {error, "", platform::MessageIcon::kExclamation};
}

Message NoSystemInformationMessage() {
    return {"System Information Is Unavailable At This Time", "Benchwright",
            platform::MessageIcon::kNone};
}

Message SteadyWithinMessage() {
    return {
        "Steady within must be a percentage from 0.5 to 10 with at most one decimal, such as "
        "2 or 2.5.",
        "Options", platform::MessageIcon::kExclamation};
}

void Show(const Message& message) {
    platform::ShowMessage(message.text, message.title, message.icon);
}

}  // namespace ui
