#pragma once
// The user locale's values as the list texts need them: a plain snapshot, so
// the texts are formatted and tested without the platform.
#include <array>
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
