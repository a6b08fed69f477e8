#include "replay/DateText.h"

#include <cstdio>

#include "common/sjis.h"

namespace {

struct CivilDate {
    int year, month, day;
};

CivilDate UnpackDate(uint16_t date) { return {1980 + (date >> 9), (date >> 5) & 0x0F, date & 0x1F}; }

std::string Number(int value, bool twoDigits)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, twoDigits ? "%02d" : "%d", value);
    return buffer;
}

// 0 = Sunday. The packed form only ever holds Gregorian dates.
int DayOfWeek(const CivilDate& d)
{
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    int y = d.month < 3 ? d.year - 1 : d.year;
    int m = (d.month >= 1 && d.month <= 12) ? d.month : 1;
    return (y + y / 4 - y / 100 + y / 400 + offsets[m - 1] + d.day) % 7;
}

template <size_t N>
std::string NameOr(const std::array<std::string, N>& names, int index, int number)
{
    if (index >= 0 && index < static_cast<int>(N) && !names[static_cast<size_t>(index)].empty())
        return names[static_cast<size_t>(index)];
    return Number(number, false);
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The locale's short date picture. Letters are read without regard to case, as
// a picture written by hand may spell the month "m"; "/" stands for the locale's
// date separator; text in single quotes is literal ('' is one quote). Era marks
// (g) have no meaning for the packed form's Gregorian years and are left out.
std::string FormatDate(const CivilDate& d, const LocaleSnapshot& locale)
{
    const std::string& pattern = locale.shortDate;
    std::string out;
    size_t i = 0;
    while (i < pattern.size()) {
        char c = pattern[i];
        if (sjis::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < pattern.size()) {
            out.append(pattern, i, 2);  // its trail byte may look like a letter
            i += 2;
            continue;
        }
        if (c == '\'') {
            ++i;
            if (i < pattern.size() && pattern[i] == '\'') {
                out += '\'';
                ++i;
                continue;
            }
            while (i < pattern.size()) {
                if (sjis::IsLeadByte(static_cast<unsigned char>(pattern[i])) && i + 1 < pattern.size()) {
                    out.append(pattern, i, 2);
                    i += 2;
                } else if (pattern[i] == '\'') {
                    if (i + 1 < pattern.size() && pattern[i + 1] == '\'') {
                        out += '\'';
                        i += 2;
                    } else {
                        ++i;
                        break;
                    }
                } else {
                    out += pattern[i++];
                }
            }
            continue;
        }
        if (c == '/') {
            out += locale.dateSeparator;
            ++i;
            continue;
        }
        char letter = Lower(c);
        if (letter != 'd' && letter != 'm' && letter != 'y' && letter != 'g') {
            out += c;
            ++i;
            continue;
        }
        size_t run = 0;
        while (i < pattern.size() && Lower(pattern[i]) == letter) {
            ++run;
            ++i;
        }
        switch (letter) {
        case 'd':
            if (run <= 2)
                out += Number(d.day, run == 2);
            else
                out += NameOr(run == 3 ? locale.shortDayNames : locale.longDayNames, DayOfWeek(d), d.day);
            break;
        case 'm':
            if (run <= 2)
                out += Number(d.month, run == 2);
            else
                out += NameOr(run == 3 ? locale.shortMonthNames : locale.longMonthNames, d.month - 1, d.month);
            break;
        case 'y':
            out += run <= 2 ? Number(d.year % 100, true) : Number(d.year, false);
            break;
        default:
            break;
        }
    }
    return out;
}

std::string FormatTime(uint16_t time, const LocaleSnapshot& locale)
{
    int hour = time >> 11;
    int minute = (time >> 5) & 0x3F;
    int second = (time & 0x1F) * 2;
    std::string marker;
    if (!locale.clock24) {
        marker = hour < 12 ? locale.amMarker : locale.pmMarker;
        hour %= 12;
        if (hour == 0)
            hour = 12;
    }
    std::string text = Number(hour, locale.hourLeadingZero) + locale.timeSeparator + Number(minute, true) +
                       locale.timeSeparator + Number(second, true);
    // No stray blank when the locale has an empty marker.
    if (marker.empty())
        return text;
    return locale.markerBefore ? marker + " " + text : text + " " + marker;
}

}  // namespace

std::string DateTimeText(DosDateTime dt, const LocaleSnapshot& locale)
{
    std::string text = FormatDate(UnpackDate(dt.date), locale);
    if (dt.time != 0)  // 00:00:00 shows the date alone
        text += " " + FormatTime(dt.time, locale);
    return text;
}

std::string DateTimeText(const std::optional<DosDateTime>& dt, const LocaleSnapshot& locale)
{
    return dt ? DateTimeText(*dt, locale) : std::string();
}
