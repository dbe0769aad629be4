// Session state: the program's folder, the resolution list and its token walk.
#include "core/session.h"

#include "platform/platform.h"

namespace core {

void InitAppFolder(SessionState& state) {
    std::string folder = platform::ProgramFolder();
    if (!platform::EndsWithBackslash(folder)) folder += '\\';
    state.AppFolder = folder;
}

void BuildResolutionList(SessionState& state, const std::array<bool, 5>& checked) {
    state.ResolutionCount = 0;
    state.ResolutionList.clear();
    for (size_t i = 0; i < checked.size(); ++i) {
        if (!checked[i]) continue;
        ++state.ResolutionCount;
        state.ResolutionList += std::string(kResolutionNames[i]) + "_";
    }
    std::string walk = state.ResolutionList;
    state.ResolutionNames.clear();
    for (int k = 0; k < state.ResolutionCount; ++k)
        state.ResolutionNames.push_back(TakeNextResolution(walk));
}

std::string TakeNextResolution(std::string& list) {
    const auto p = list.find('_');
    if (p == std::string::npos) {
        list.clear();
        return "";
    }
    std::string name = list.substr(0, p);
    list.erase(0, p + 1);
    return name;
}

std::string DriveRoot(const std::string& install_folder) { return install_folder.substr(0, 3); }

bool IsOpenGL(const std::string& render_engine) { return render_engine == "OGL"; }

bool IsDemo(const std::string& game_edition) { return game_edition == "demo"; }

}  // namespace core
