#pragma once
// Decisions of the replay folder scan, over what the directory search
// delivers: the slot a row shows, and the running values of one scan.
#include <cstdint>
#include <string>
#include <string_view>

// The row's caption: characters 7 and 8 of the long name, whatever name the
// search matched it through. A name of 7 characters gives its 7th alone, a
// shorter one nothing.
std::string ReplaySlot(std::string_view longName);

// The running values of one scan.
struct ScanTally {
    // The scan asks for another entry only while at most this many files
    // were accepted, so the list holds at most one more.
    static constexpr int kGoOnLimit = 100;

    int accepted = 0;         // entries that passed the header test
    uint64_t totalBytes = 0;  // their sizes
    bool foundAny = false;    // the search delivered any entry at all

    // One delivered entry, accepted or not; `size` counts only when accepted.
    void Count(bool isReplay, uint64_t size);
    // Whether the scan asks the search for the next entry.
    bool GoesOn() const;
    // Whether the size total is written to the status bar: not when the
    // search found nothing, so the panel keeps its text.
    bool WritesTotal() const;
};
