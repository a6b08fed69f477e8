#pragma once
// Decisions of the incoming list and the transfer run, over plain data.
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

// A drop's paths in ascending order by `compare` (negative, zero, positive);
// a path equal to one already taken is left out, so of case variants the
// first one stays. Binary insertion: O(n log n) comparisons.
std::vector<std::string> SortedUniquePaths(const std::vector<std::string>& paths,
                                           const std::function<int(std::string_view, std::string_view)>& compare);

// The progress of a drop after path i of n: trunc(i / n * 100).
int DropProgress(size_t i, size_t n);
