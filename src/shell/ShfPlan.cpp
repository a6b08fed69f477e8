#include "shell/ShfPlan.h"

#include "common/Exception.h"
#include "shell/NameList.h"

unsigned ShellFunc(TwFunc op)
{
    switch (op) {
    case TwFunc::foMOVE: return shf::kMove;
    case TwFunc::foCOPY: return shf::kCopy;
    case TwFunc::foDELETE: return shf::kDelete;
    case TwFunc::foRENAME: return shf::kRename;
    }
    return shf::kMove;  // not reached: the enumeration has no other value
}

uint16_t ShellFlags(const TfFlags& o)
{
    uint16_t flags = 0;
    if (o.ALLOWUNDO) flags |= shf::kAllowUndo;
    if (o.FILESONLY) flags |= shf::kFilesOnly;
    if (o.MUILIDESTFILES) flags |= shf::kMultiDestFiles;
    if (o.NOCONFIRMATION) flags |= shf::kNoConfirmation;
    if (o.NOCONFIRMMKDIR) flags |= shf::kNoConfirmMkdir;
    if (o.RENAMEONCOLLISION) flags |= shf::kRenameOnCollision;
    if (o.SILENT) flags |= shf::kSilent;
    if (o.SIMPLEPROGRESS) flags |= shf::kSimpleProgress;
    return flags;
}

ShfPlan PlanShfOperation(TwFunc op, const TfFlags& options, const std::vector<std::string>& fromList,
                         const std::vector<std::string>& toFiles, const std::string& toFolder,
                         const std::string& progressTitle)
{
    if (fromList.empty())
        throw Exception(kShfNoSource);
    ShfPlan plan;
    plan.wFunc = ShellFunc(op);
    plan.fFlags = ShellFlags(options);
    plan.from = MakeNameList(fromList);
    if (options.MUILIDESTFILES) {
        if (toFiles.empty())
            throw Exception(kShfNoTarget);
        plan.to = MakeNameList(toFiles);
    } else {
        // A one-entry list; an empty ToFolder gives the empty list of two NULs.
        plan.to.assign(toFolder.begin(), toFolder.end());
        plan.to.push_back('\0');
        plan.to.push_back('\0');
    }
    plan.progressTitle = progressTitle;
    return plan;
}
