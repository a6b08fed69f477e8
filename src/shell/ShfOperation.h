#pragma once
// TShfOperation: a non-visual component that hands one copy, move, delete or
// rename of a list of files to the shell (SHFileOperationA) and reports what
// the shell returned. The shell does the work, its dialogs and its decisions
// about existing files; the component only builds the record and runs it.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "common/Component.h"
#include "shell/ShfPlan.h"

// The shell's record together with the buffers it points into; it cannot be
// copied or moved, so the pointers stay good for as long as it lives.
class TShfRecord {
public:
    explicit TShfRecord(ShfPlan plan);
    TShfRecord(const TShfRecord&) = delete;
    TShfRecord& operator=(const TShfRecord&) = delete;

    SHFILEOPSTRUCTA op;

private:
    ShfPlan plan_;
};

class TShfOperation : public TComponent {
public:
    explicit TShfOperation(TComponent* owner, std::string name = {});

    // Source paths, one per entry; the caller edits the owned list directly
    // or replaces its entries with the setter.
    std::vector<std::string>& FromFFList() { return fromFFList_; }
    const std::vector<std::string>& FromFFList() const { return fromFFList_; }
    void SetFromFFList(const std::vector<std::string>& list) { fromFFList_ = list; }

    TwFunc OperationF() const { return operationF_; }
    void SetOperationF(TwFunc op) { operationF_ = op; }

    // The single destination, used while Options().MUILIDESTFILES is off.
    const std::string& ToFolder() const { return toFolder_; }
    void SetToFolder(const std::string& folder) { toFolder_ = folder; }

    // One destination per source, used while Options().MUILIDESTFILES is on.
    std::vector<std::string>& ToFiles() { return toFiles_; }
    const std::vector<std::string>& ToFiles() const { return toFiles_; }
    void SetToFiles(const std::vector<std::string>& list) { toFiles_ = list; }

    TfFlags& Options() { return options_; }
    const TfFlags& Options() const { return options_; }

    // Whether the shell reported the last run aborted.
    bool fAbort() const { return fAbort_; }

    // Title of the shell's progress dialog; empty means none.
    const std::string& ProgressTitle() const { return progressTitle_; }
    void SetProgressTitle(const std::string& title) { progressTitle_ = title; }

    // The record Execute would hand the shell now. Raises the component's
    // errors ("ShfOperation:..."); the shell is not involved.
    TShfRecord BuildRecord() const;

    // Builds the record, hands it to ShellCall, takes fAbort from the record
    // and returns the shell's result (0 on success, anything else passed on
    // as is). Shell failures are not raised.
    int Execute();

    // The one way to the shell: SHFileOperationA by default. Tests replace it
    // to count calls and to look at (or answer through) the record; the
    // record's buffers are only good during the call.
    std::function<int(SHFILEOPSTRUCTA&)> ShellCall;

private:
    TwFunc operationF_ = TwFunc::foMOVE;
    std::vector<std::string> fromFFList_;
    std::vector<std::string> toFiles_;
    std::string toFolder_;
    TfFlags options_;
    bool fAbort_ = false;
    std::string progressTitle_;
};
