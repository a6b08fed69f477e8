#pragma once
// The file date of the replay lists. Plain functions over a snapshot of the
// user locale's values, so they are tested natively.
#include <cstdint>
#include <optional>
#include <string>

#include "replay/LocaleSnapshot.h"

// A packed file date and time as FileTimeToDosDateTime gives them.
struct DosDateTime {
    uint16_t date = 0;
    uint16_t time = 0;
};

// The file's date-time text: the short date, then unless the time is exactly
// 00:00:00 a blank and the long time (seconds even, as the packed form holds).
std::string DateTimeText(DosDateTime dt, const LocaleSnapshot& locale);

// A time the packed form could not hold (before 1980, after 2107) shows as an
// empty text: the row stays, without a date.
std::string DateTimeText(const std::optional<DosDateTime>& dt, const LocaleSnapshot& locale);
