#pragma once
// Where the game keeps its replays, decided at start-up from plain facts and
// the user's answers. The Windows side supplies the facts and the questions;
// everything that decides lives here.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct StartupFacts {
    bool windowsNT = true;       // NT family, else the older family
    std::string installPath;     // the game's recorded installation path; empty when none
    std::string appDataFolder;   // the user's application-data folder; empty when it cannot be had
};

// What the folder picker gave.
struct PickResult {
    enum class Kind {
        Cancelled,
        Folder,  // confirmed on a folder with a file-system path (in `folder`)
        NoPath,  // confirmed on an item without a file-system path ("My Computer")
    };
    Kind kind = Kind::Cancelled;
    std::string folder;
};

// The questions start-up may ask, and the folder test.
class StartupUi {
public:
    virtual ~StartupUi() = default;
    // Question 1: the game is not installed. True = OK (go on).
    virtual bool AskGameNotInstalled() = 0;
    // Question 2: the replay folder is missing. True = OK (pick one).
    virtual bool AskFolderMissing() = 0;
    // The folder picker with the instruction text.
    virtual PickResult PickFolder() = 0;
    // True when `path` names an existing folder.
    virtual bool FolderExists(const std::string& path) = 0;
};

// The replay folder (ending in a backslash), or nothing when the user chose
// to end the program.
std::optional<std::string> LocateReplayFolder(const StartupFacts& facts, StartupUi& ui);

// Registry value kinds the installation record may have.
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegExpandSz = 2;

// The text of a registry value of `type` as read (`data`, the bytes
// delivered): up to its first zero byte, environment references kept as
// written. Nothing for a kind that holds no text.
std::optional<std::string> RegistryValueText(uint32_t type, std::string_view data);
