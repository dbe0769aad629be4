// The comparison from the main window: the shell's folder picker, then the page.
#include "ui/compare_results_win32.h"

#include <shlobj.h>

#include "core/run_plan.h"
#include "platform/platform.h"
#include "results/comparison.h"
#include "ui/main_window_model.h"
#include "ui/messages.h"

namespace ui {

namespace {

int CALLBACK StartInFolder(HWND picker, UINT msg, LPARAM, LPARAM folder) {
    if (msg == BFFM_INITIALIZED) SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, folder);
    return 0;
}

// The folder the user picks; empty when the picker is cancelled.
std::string PickFolder(HWND owner, const std::string& start) {
    char name[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = name;
    info.lpszTitle =
        "Choose the results to compare: the Results folder, any folder of results folders, or "
        "one results folder.";
    // The classic picker: the newer one needs COM set up, and gives nothing we need here.
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = StartInFolder;
    info.lParam = reinterpret_cast<LPARAM>(start.c_str());
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (!chosen) return "";
    char folder[MAX_PATH] = "";
    const bool found = SHGetPathFromIDListA(chosen, folder);
    ILFree(chosen);
    return found ? folder : "";
}

}  // namespace

void CompareResultsFromWindow(HWND owner, const std::string& app_folder) {
    const std::string results_folder = core::ResultsFolderOf(app_folder);
    const std::string folder = PickFolder(owner, results_folder);
    if (folder.empty()) return;
    // One place for the page whatever was picked; it never counts as a result itself.
    const std::string page = results_folder + "\\compare.html";
    size_t read = 0;
    std::string error;
    if (!platform::CreateFolders(results_folder, &error) ||
        !results::WriteComparison({folder}, page, &read, &error)) {
        Show(FileStepMessage(error));
        return;
    }
    OpenDocument(page);
}

}  // namespace ui
