#include <gtest/gtest.h>

#include <set>
#include <strings.h>

#include "transfer/IncomingList.h"
#include "transfer/Transfer.h"

namespace {

TEST(TransferSelection, PolicyDecidesWhichRowsGoToTheShell)
{
    // In the replay folder: REPLAY01.dat as a file, REPLAY03.dat as a folder.
    const std::set<std::string> files = {"R:\\REPLAY01.dat"};
    auto exists = [&](const std::string& p) { return files.count(p) > 0; };
    const std::vector<std::string> rows = {"C:\\a\\REPLAY01.dat", "C:\\a\\REPLAY02.dat", "C:\\b\\REPLAY02.dat",
                                           "C:\\a\\REPLAY03.dat", "C:\\a\\REPLAY01.dat"};
    struct Case {
        SameNamePolicy policy;
        std::vector<std::string> expected;
    } cases[] = {
        {SameNamePolicy::Overwrite, rows},  // duplicates kept, row order
        {SameNamePolicy::Skip, {"C:\\a\\REPLAY02.dat", "C:\\b\\REPLAY02.dat", "C:\\a\\REPLAY03.dat"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SelectTransferPaths(rows, c.policy, "R:\\", exists), c.expected) << static_cast<int>(c.policy);
}

TEST(TransferSelection, FileNameIsJudgedInShiftJis)
{
    std::vector<std::string> asked;
    auto exists = [&](const std::string& p) {
        asked.push_back(p);
        return false;
    };
    SelectTransferPaths({"C:\\ソフト\\ソ.dat"}, SameNamePolicy::Skip, "R:\\", exists);
    EXPECT_EQ(asked, std::vector<std::string>{"R:\\ソ.dat"});
}

int IgnoreCase(std::string_view a, std::string_view b)
{
    int c = strncasecmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (c)
        return c;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

TEST(DropSorting, AscendingWithoutCaseVariants)
{
    EXPECT_EQ(SortedUniquePaths({"D:\\r\\REPLAY10.dat", "D:\\r\\replay02.dat"}, IgnoreCase),
              (std::vector<std::string>{"D:\\r\\replay02.dat", "D:\\r\\REPLAY10.dat"}));
    EXPECT_EQ(SortedUniquePaths({"c:\\x\\Replay01.dat", "C:\\X\\REPLAY01.DAT", "b"}, IgnoreCase),
              (std::vector<std::string>{"b", "c:\\x\\Replay01.dat"}));
    EXPECT_EQ(SortedUniquePaths({"c", "a", "b", "a"}, IgnoreCase), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(SortedUniquePaths({}, IgnoreCase).empty());
}

TEST(DropSorting, TakesLogarithmicComparisonsPerPath)
{
    std::vector<std::string> paths;
    for (int i = 0; i < 10000; ++i)
        paths.push_back(std::to_string((i * 7919) % 10000));
    long comparisons = 0;
    auto counting = [&](std::string_view a, std::string_view b) {
        ++comparisons;
        return a.compare(b);
    };
    auto sorted = SortedUniquePaths(paths, counting);
    EXPECT_EQ(sorted.size(), 10000u);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
    EXPECT_LT(comparisons, 10000L * 15);  // log2(10000) is about 13.3
}

TEST(DropProgress, NeverReachesAHundred)
{
    struct Case {
        size_t n;
        std::vector<int> expected;
    } cases[] = {{1, {0}}, {3, {0, 33, 66}}, {4, {0, 25, 50, 75}}};
    for (const auto& c : cases) {
        std::vector<int> seen;
        for (size_t i = 0; i < c.n; ++i)
            seen.push_back(DropProgress(i, c.n));
        EXPECT_EQ(seen, c.expected) << c.n;
    }
}

}  // namespace
