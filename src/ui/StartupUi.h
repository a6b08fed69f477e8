#pragma once
// The start-up's questions and folder picker, as the main window shows them
// while it is being created, and the whole location of the replay folder.
#include <optional>
#include <string>

#include "replay/StartupDecision.h"

class TFolderDialog;

// The questions as message boxes owned by the application window, the folder
// picker, and the folder test.
class WinStartupUi : public StartupUi {
public:
    explicit WinStartupUi(TFolderDialog& picker) : picker_(picker) {}
    bool AskGameNotInstalled() override;
    bool AskFolderMissing() override;
    PickResult PickFolder() override;
    bool FolderExists(const std::string& path) override;

private:
    TFolderDialog& picker_;
};

// The whole start-up location for the main window's creation: reads the
// record, asks what has to be asked, and gives the replay folder (ending in a
// backslash), or nothing when the user chose to end the program (the caller
// then posts the quit message and returns). An installation record of the
// wrong kind raises its error before anything is asked.
std::optional<std::string> LocateReplayFolderAtStartup(TFolderDialog& picker);
