#include "shell/ShfOperation.h"

#include <utility>

static_assert(shf::kMove == FO_MOVE && shf::kCopy == FO_COPY && shf::kDelete == FO_DELETE &&
              shf::kRename == FO_RENAME);
static_assert(shf::kMultiDestFiles == FOF_MULTIDESTFILES && shf::kSilent == FOF_SILENT &&
              shf::kRenameOnCollision == FOF_RENAMEONCOLLISION && shf::kNoConfirmation == FOF_NOCONFIRMATION &&
              shf::kAllowUndo == FOF_ALLOWUNDO && shf::kFilesOnly == FOF_FILESONLY &&
              shf::kSimpleProgress == FOF_SIMPLEPROGRESS && shf::kNoConfirmMkdir == FOF_NOCONFIRMMKDIR);

TShfRecord::TShfRecord(ShfPlan plan) : plan_(std::move(plan))
{
    ZeroMemory(&op, sizeof op);
    op.hwnd = nullptr;  // the shell's dialogs get no owner window
    op.wFunc = plan_.wFunc;
    op.pFrom = plan_.from.data();
    op.pTo = plan_.to.data();
    op.fFlags = plan_.fFlags;
    op.fAnyOperationsAborted = FALSE;
    op.hNameMappings = nullptr;
    op.lpszProgressTitle = plan_.progressTitle.empty() ? nullptr : plan_.progressTitle.c_str();
}

TShfOperation::TShfOperation(TComponent* owner, std::string name)
    : TComponent(owner, std::move(name)), ShellCall([](SHFILEOPSTRUCTA& op) { return SHFileOperationA(&op); })
{
}

TShfRecord TShfOperation::BuildRecord() const
{
    return TShfRecord(
        PlanShfOperation(operationF_, options_, fromFFList_, toFiles_, toFolder_, progressTitle_));
}

int TShfOperation::Execute()
{
    TShfRecord record = BuildRecord();
    int result = ShellCall(record.op);
    fAbort_ = record.op.fAnyOperationsAborted != FALSE;
    return result;
}
