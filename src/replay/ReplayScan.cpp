#include "replay/ReplayScan.h"

std::string ReplaySlot(std::string_view longName)
{
    // "REPLAY" is six characters; a name the search matched through its short
    // form may end earlier.
    if (longName.size() <= 6)
        return {};
    return std::string(longName.substr(6, 2));
}

void ScanTally::Count(bool isReplay, uint64_t size)
{
    foundAny = true;
    if (!isReplay)
        return;
    ++accepted;
    totalBytes += size;
}

bool ScanTally::GoesOn() const { return accepted <= kGoOnLimit; }

bool ScanTally::WritesTotal() const { return foundAny; }
