#include "replay/UserLocale.h"

#include <windows.h>

#include <optional>
#include <string>

namespace {

std::optional<std::string> ReadLocale(LCTYPE type)
{
    char buffer[128];
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) <= 0)
        return std::nullopt;
    return std::string(buffer);
}

std::string LocaleText(LCTYPE type) { return ReadLocale(type).value_or(std::string()); }

void ReadLocale(LCTYPE type, std::string& field)
{
    if (auto value = ReadLocale(type))
        field = *value;
}

void ReadLocale(LCTYPE type, bool& field)
{
    if (auto value = ReadLocale(type))
        field = *value == "1";
}

}  // namespace

LocaleSnapshot ReadUserLocale()
{
    LocaleSnapshot locale;
    ReadLocale(LOCALE_SSHORTDATE, locale.shortDate);
    ReadLocale(LOCALE_SDATE, locale.dateSeparator);
    ReadLocale(LOCALE_STIME, locale.timeSeparator);
    ReadLocale(LOCALE_ITLZERO, locale.hourLeadingZero);
    ReadLocale(LOCALE_ITIME, locale.clock24);
    ReadLocale(LOCALE_ITIMEMARKPOSN, locale.markerBefore);
    ReadLocale(LOCALE_S1159, locale.amMarker);
    ReadLocale(LOCALE_S2359, locale.pmMarker);
    auto thousand = ReadLocale(LOCALE_STHOUSAND);
    locale.thousandReadable = thousand.has_value();
    locale.thousandSeparator = thousand.value_or(",");
    for (int i = 0; i < 12; ++i) {
        locale.shortMonthNames[i] = LocaleText(LOCALE_SABBREVMONTHNAME1 + i);
        locale.longMonthNames[i] = LocaleText(LOCALE_SMONTHNAME1 + i);
    }
    // The locale counts its day names from Monday; the snapshot from Sunday.
    for (int i = 0; i < 7; ++i) {
        locale.shortDayNames[(i + 1) % 7] = LocaleText(LOCALE_SABBREVDAYNAME1 + i);
        locale.longDayNames[(i + 1) % 7] = LocaleText(LOCALE_SDAYNAME1 + i);
    }
    return locale;
}
