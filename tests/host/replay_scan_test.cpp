#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "replay/ReplayScan.h"

namespace {

TEST(ReplaySlot, CharactersSevenAndEightOfTheLongName)
{
    struct Case {
        const char* name;
        const char* slot;
    } cases[] = {
        {"REPLAY01.dat", "01"},
        {"replay7x.DAT", "7x"},                // letters and case as the search gave them
        {"REPLAY01 - copy.dat", "01"},         // matched through its short name
        {"REPLAY1.dat", "1."},                 // a final "?" that matched nothing
        {"REPLAYソ.dat", "ソ"},                 // one double-byte character
        {"REPLAY1ソ.dat", "1\x83"},             // bytes, not characters: the lead byte alone
        {"REPLAY1", "1"},                      // seven characters: the seventh alone
        {"REPLAY", ""},
        {"REP", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplaySlot(c.name), c.slot) << c.name;
}

struct Entry {
    bool replay;
    uint64_t size;
};

std::vector<Entry> Repeat(size_t n, Entry e) { return std::vector<Entry>(n, e); }

std::vector<Entry> Join(std::vector<std::vector<Entry>> parts)
{
    std::vector<Entry> all;
    for (auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// The scan's loop over what the search delivers: each entry is counted, and
// the next one asked for only while the tally goes on.
struct Scanned {
    ScanTally tally;
    size_t examined = 0;
};

Scanned Scan(const std::vector<Entry>& entries)
{
    Scanned s;
    for (const Entry& e : entries) {
        ++s.examined;
        s.tally.Count(e.replay, e.size);
        if (!s.tally.GoesOn())
            break;
    }
    return s;
}

TEST(ScanTally, CapTotalAndWhetherTheTotalIsWritten)
{
    const uint64_t gib3 = 3ull << 30;
    struct Case {
        const char* what;
        std::vector<Entry> entries;
        size_t examined;
        int accepted;
        uint64_t total;
        bool writesTotal;
    } cases[] = {
        {"nothing found", {}, 0, 0, 0, false},
        {"found, none accepted", {{false, 1000}, {false, 26}}, 2, 0, 0, true},
        {"two of 300 bytes", {{true, 300}, {false, 999}, {true, 300}}, 3, 2, 600, true},
        {"sizes beyond 32 bits", {{true, gib3}, {true, gib3}}, 2, 2, 2 * gib3, true},
        {"exactly 101 accepted", Repeat(101, {true, 1}), 101, 101, 101, true},
        {"150 accepted: 101 rows", Repeat(150, {true, 1}), 101, 101, 101, true},
        {"100 accepted: the search goes on", Join({Repeat(100, {true, 1}), {{false, 5}}}), 101, 100, 100, true},
        {"rejected entries do not count toward the cap",
         Join({Repeat(100, {true, 1}), Repeat(5, {false, 7}), Repeat(3, {true, 1})}), 106, 101, 101, true},
    };
    for (const auto& c : cases) {
        Scanned s = Scan(c.entries);
        EXPECT_EQ(s.examined, c.examined) << c.what;
        EXPECT_EQ(s.tally.accepted, c.accepted) << c.what;
        EXPECT_EQ(s.tally.totalBytes, c.total) << c.what;
        EXPECT_EQ(s.tally.WritesTotal(), c.writesTotal) << c.what;
    }
}

}  // namespace
