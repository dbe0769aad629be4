// Starting the game and waiting for it, with the one message a failed start shows.
#include "core/launch.h"

#include "platform/platform.h"

namespace core {

bool LaunchAndWait(const std::string& command_line) {
    platform::StartFailure failure;
    if (platform::RunAndWait(command_line, 0, nullptr, nullptr, &failure)) return true;
    if (failure.not_found)
        platform::ShowMessage(command_line + " cannot be found.", "",
                              platform::MessageIcon::kCritical);
    else
        platform::ShowMessage(std::to_string(failure.code) + " : " + failure.description, "",
                              platform::MessageIcon::kNone);
    return false;
}

}  // namespace core
