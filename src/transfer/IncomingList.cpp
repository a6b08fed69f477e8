#include "transfer/IncomingList.h"

std::vector<std::string> SortedUniquePaths(const std::vector<std::string>& paths,
                                           const std::function<int(std::string_view, std::string_view)>& compare)
{
    std::vector<std::string> sorted;
    sorted.reserve(paths.size());
    for (const std::string& path : paths) {
        size_t lo = 0, hi = sorted.size();
        bool equal = false;
        while (lo < hi) {
            size_t mid = lo + (hi - lo) / 2;
            int c = compare(sorted[mid], path);
            if (c == 0) {
                equal = true;
                break;
            }
            if (c < 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        if (!equal)
            sorted.insert(sorted.begin() + static_cast<std::ptrdiff_t>(lo), path);
    }
    return sorted;
}

int DropProgress(size_t i, size_t n)
{
    // In extended precision, as the bar's values have always been computed.
    long double q = static_cast<long double>(i) / static_cast<long double>(n);
    return static_cast<int>(q * 100.0L);
}
