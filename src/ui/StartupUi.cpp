#include "ui/StartupUi.h"

#include <windows.h>

#include "common/win/Application.h"
#include "replay/ReplayFolder.h"
#include "replay/StartupTexts.h"
#include "shell/FolderDialog.h"

bool WinStartupUi::AskGameNotInstalled()
{
    return Application.ShowMessageBox(startup::kGameNotInstalledText, startup::kQuestionCaption,
                                      MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

bool WinStartupUi::AskFolderMissing()
{
    return Application.ShowMessageBox(startup::kFolderMissingText, startup::kQuestionCaption,
                                      MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

PickResult WinStartupUi::PickFolder()
{
    picker_.Title = startup::kPickFolderInstruction;
    // No preselection; and an item without a file-system path then shows as
    // an empty Folder.
    picker_.Folder.clear();
    if (!picker_.Execute())
        return {PickResult::Kind::Cancelled, {}};
    if (picker_.Folder.empty())
        return {PickResult::Kind::NoPath, {}};
    return {PickResult::Kind::Folder, picker_.Folder};
}

bool WinStartupUi::FolderExists(const std::string& path) { return DirectoryExists(path); }

std::optional<std::string> LocateReplayFolderAtStartup(TFolderDialog& picker)
{
    StartupFacts facts;
    facts.installPath = ReadInstallPath();
    facts.windowsNT = IsWindowsNT();
    if (facts.windowsNT)
        facts.appDataFolder = GetAppDataFolder(Application.Handle());
    WinStartupUi ui(picker);
    return LocateReplayFolder(facts, ui);
}
