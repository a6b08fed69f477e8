#pragma once
// Texts of the replay lists: the file date and the size total. Plain functions
// over a snapshot of the user locale's values, so they are tested natively.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

// What GetLocaleInfoA gives for the user's default locale.
struct LocaleSnapshot {
    std::string shortDate = "yyyy/MM/dd";  // LOCALE_SSHORTDATE
    std::string dateSeparator = "/";       // LOCALE_SDATE
    std::string timeSeparator = ":";       // LOCALE_STIME
    bool hourLeadingZero = false;          // LOCALE_ITLZERO = 1
    bool clock24 = true;                   // LOCALE_ITIME = 1
    bool markerBefore = false;             // LOCALE_ITIMEMARKPOSN = 1
    std::string amMarker = "午前";          // LOCALE_S1159
    std::string pmMarker = "午後";          // LOCALE_S2359
    // LOCALE_STHOUSAND; unset when it cannot be read ("," is used then).
    bool thousandReadable = true;
    std::string thousandSeparator = ",";
    // Names for the rare patterns that spell them out (MMM, MMMM, ddd, dddd):
    // LOCALE_SABBREVMONTHNAME1.., LOCALE_SMONTHNAME1.., and the day names,
    // here Sunday first. An empty name falls back to the number.
    std::array<std::string, 12> shortMonthNames{};
    std::array<std::string, 12> longMonthNames{};
    std::array<std::string, 7> shortDayNames{};
    std::array<std::string, 7> longDayNames{};
};

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

// "Total " + the total / 1024 rounded half up, formatted "#,###", + " KByte".
std::string TotalKByteText(uint64_t totalBytes, const LocaleSnapshot& locale);
