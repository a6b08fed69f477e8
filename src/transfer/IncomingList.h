#pragma once
// Rules of the incoming list, over plain data: the order of a drop's paths
// and the progress shown while they are tested.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A drop's paths in ascending order by `compare` (negative, zero, positive);
// a path equal to one already taken is left out, so of case variants the
// first one stays. Binary insertion: O(n log n) comparisons.
std::vector<std::string> SortedUniquePaths(const std::vector<std::string>& paths,
                                           const std::function<int(std::string_view, std::string_view)>& compare);

// The progress of a drop after path i of n: trunc(i / n * 100).
int DropProgress(size_t i, size_t n);
