// Session state: the program's folder and the resolution list.
#include "core/session.h"

#include "common/benchmark.h"
#include "platform/platform.h"

namespace core {

void InitAppFolder(SessionState& state) {
    std::string folder = platform::ProgramFolder();
    if (!platform::EndsWithBackslash(folder)) folder += '\\';
    state.AppFolder = folder;
}

std::vector<std::string> BuildResolutionList(const std::array<bool, 5>& checked) {
    std::vector<std::string> names;
    for (size_t i = 0; i < checked.size(); ++i)
        if (checked[i]) names.push_back(common::kResolutionNames[i]);
    return names;
}

}  // namespace core
