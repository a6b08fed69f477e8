#include "replay/StartupDecision.h"

#include "common/sjis.h"
#include "replay/StartupTexts.h"

namespace {
std::string CandidateFolder(const StartupFacts& facts)
{
    if (facts.windowsNT) {
        // Without an application-data folder the sub-folder alone would be
        // taken from the root of the current drive: ask the user instead.
        if (facts.appDataFolder.empty())
            return {};
        return AddTrailingBackslash(facts.appDataFolder) + startup::kAppDataSubfolder;
    }
    // The file names are joined straight to the folder. An empty record
    // stays empty so that the folder test fails and the user is asked.
    if (facts.installPath.empty())
        return {};
    return AddTrailingBackslash(facts.installPath);
}
}  // namespace

std::optional<std::string> LocateReplayFolder(const StartupFacts& facts, StartupUi& ui)
{
    if (facts.installPath.empty() && !ui.AskGameNotInstalled())
        return std::nullopt;

    std::string folder = CandidateFolder(facts);
    if (!folder.empty() && ui.FolderExists(folder))
        return folder;

    if (!ui.AskFolderMissing())
        return std::nullopt;
    // An item without a file-system path would leave nothing to join file
    // names to: the picker opens again until a folder or a cancel.
    for (;;) {
        PickResult picked = ui.PickFolder();
        switch (picked.kind) {
        case PickResult::Kind::Cancelled:
            return std::nullopt;
        case PickResult::Kind::Folder:
            if (!picked.folder.empty())
                return AddTrailingBackslash(picked.folder);
            break;
        case PickResult::Kind::NoPath:
            break;
        }
    }
}

std::optional<std::string> RegistryValueText(uint32_t type, std::string_view data)
{
    if (type != kRegSz && type != kRegExpandSz)
        return std::nullopt;
    size_t end = data.find('\0');
    return std::string(data.substr(0, end == std::string_view::npos ? data.size() : end));
}
