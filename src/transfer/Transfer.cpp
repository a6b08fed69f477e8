#include "transfer/Transfer.h"

#include "common/sjis.h"

std::vector<std::string> SelectTransferPaths(const std::vector<std::string>& rowPaths, SameNamePolicy policy,
                                             const std::string& replayFolder,
                                             const std::function<bool(const std::string&)>& existsAsFile)
{
    std::vector<std::string> out;
    for (const std::string& path : rowPaths) {
        if (policy == SameNamePolicy::Skip &&
            existsAsFile(replayFolder + std::string(sjis::ExtractFileName(path))))
            continue;
        out.push_back(path);
    }
    return out;
}

StartAction DecideStart(SameNamePolicy policy, size_t incomingRows, std::string_view replayFolder)
{
    if (policy == SameNamePolicy::InsertFree)
        return StartAction::InsertFreeNotice;
    if (incomingRows == 0)
        return StartAction::Nothing;
    if (replayFolder.empty())
        return StartAction::NoFolderNotice;
    return StartAction::Run;
}
