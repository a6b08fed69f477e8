#pragma once
// Decisions of the transfer run, over plain data.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The same-name policy: the selected item of the "同名ファイル" group.
enum class SameNamePolicy { Overwrite = 0, Skip = 1, InsertFree = 2 };

// The paths a run hands to the shell, in row order: every row under
// Overwrite; under Skip only rows whose file name is not yet a file in the
// replay folder (`existsAsFile` is asked for replayFolder + file name).
std::vector<std::string> SelectTransferPaths(const std::vector<std::string>& rowPaths, SameNamePolicy policy,
                                             const std::string& replayFolder,
                                             const std::function<bool(const std::string&)>& existsAsFile);

// What the Start button does, in the order of its checks: the free-slot
// policy is refused even with an empty list; an empty list does nothing; a
// replay folder never found (start-up stopped on an error) is reported rather
// than copying into the current folder; else the run goes ahead.
enum class StartAction { InsertFreeNotice, Nothing, NoFolderNotice, Run };
StartAction DecideStart(SameNamePolicy policy, size_t incomingRows, std::string_view replayFolder);
