#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "replay/DateText.h"
#include "replay/SizeText.h"

namespace {

DosDateTime Pack(int year, int month, int day, int hour, int minute, int second)
{
    DosDateTime dt;
    dt.date = static_cast<uint16_t>(((year - 1980) << 9) | (month << 5) | day);
    dt.time = static_cast<uint16_t>((hour << 11) | (minute << 5) | (second / 2));
    return dt;
}

LocaleSnapshot Japanese() { return LocaleSnapshot(); }

LocaleSnapshot EnglishUs()
{
    LocaleSnapshot l;
    l.shortDate = "M/d/yyyy";
    l.clock24 = false;
    l.markerBefore = false;
    l.amMarker = "AM";
    l.pmMarker = "PM";
    return l;
}

}  // namespace

TEST(DateTimeText, Locales)
{
    LocaleSnapshot ja = Japanese();
    LocaleSnapshot jaZero = ja;
    jaZero.hourLeadingZero = true;
    LocaleSnapshot us = EnglishUs();
    LocaleSnapshot before = ja;
    before.clock24 = false;
    before.markerBefore = true;
    LocaleSnapshot german = ja;
    german.shortDate = "dd.MM.yyyy";
    german.dateSeparator = ".";
    german.timeSeparator = ".";
    german.hourLeadingZero = true;
    LocaleSnapshot dashes = ja;  // "/" in the picture is the locale's separator
    dashes.dateSeparator = "-";
    LocaleSnapshot noMarker = us;
    noMarker.amMarker = "";

    struct Case {
        const char* what;
        DosDateTime dt;
        const LocaleSnapshot& locale;
        const char* text;
    } cases[] = {
        {"24h without leading zero", Pack(2024, 3, 5, 9, 7, 4), ja, "2024/03/05 9:07:04"},
        {"24h with leading zero", Pack(2024, 3, 5, 9, 7, 4), jaZero, "2024/03/05 09:07:04"},
        {"24h afternoon", Pack(2024, 12, 31, 23, 59, 58), ja, "2024/12/31 23:59:58"},
        {"odd second counts as the even one below", Pack(2024, 3, 5, 10, 15, 31), ja, "2024/03/05 10:15:30"},
        {"midnight shows the date only", Pack(2024, 3, 5, 0, 0, 0), ja, "2024/03/05"},
        {"midnight in 12h too", Pack(2024, 3, 5, 0, 0, 0), us, "3/5/2024"},
        {"two seconds after midnight", Pack(2024, 3, 5, 0, 0, 2), ja, "2024/03/05 0:00:02"},
        {"12h morning, marker after", Pack(2024, 3, 5, 9, 7, 4), us, "3/5/2024 9:07:04 AM"},
        {"12h afternoon", Pack(2024, 3, 5, 13, 5, 6), us, "3/5/2024 1:05:06 PM"},
        {"12h noon hour", Pack(2024, 3, 5, 12, 30, 0), us, "3/5/2024 12:30:00 PM"},
        {"12h midnight hour", Pack(2024, 3, 5, 0, 30, 0), us, "3/5/2024 12:30:00 AM"},
        {"12h marker before", Pack(2024, 3, 5, 13, 5, 6), before, "2024/03/05 午後 1:05:06"},
        {"12h marker before, morning", Pack(2024, 3, 5, 11, 0, 0), before, "2024/03/05 午前 11:00:00"},
        {"empty marker leaves no blank", Pack(2024, 3, 5, 9, 0, 0), noMarker, "3/5/2024 9:00:00"},
        {"other separators", Pack(1999, 1, 2, 3, 4, 6), german, "02.01.1999 03.04.06"},
        {"slash stands for the date separator", Pack(2024, 3, 5, 0, 0, 0), dashes, "2024-03-05"},
        {"first and last packed years", Pack(1980, 1, 1, 0, 0, 0), ja, "1980/01/01"},
        {"", Pack(2107, 12, 31, 23, 59, 58), ja, "2107/12/31 23:59:58"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DateTimeText(c.dt, c.locale), c.text) << c.what;
}

TEST(DateTimeText, ShortDatePictures)
{
    const DosDateTime dt = Pack(2005, 3, 6, 0, 0, 0);  // a Sunday
    LocaleSnapshot l;
    l.shortMonthNames[2] = "Mar";
    l.longMonthNames[2] = "March";
    l.shortDayNames[0] = "Sun";
    l.longDayNames[0] = "Sunday";

    struct Case {
        const char* pattern;
        const char* text;
    } cases[] = {
        {"yyyy/MM/dd", "2005/03/06"},
        {"M/d/yyyy", "3/6/2005"},
        {"d/M/yy", "6/3/05"},
        {"y", "05"},
        {"yyyy'年'M'月'd'日'", "2005年3月6日"},
        {"yyyy年M月d日", "2005年3月6日"},
        {"yyyy【M［d‥", "2005【3［6‥"},  // trail bytes 79, 6D, 64 are no tokens
        {"'dMy' d", "dMy 6"},
        {"d''M", "6'3"},
        {"'it''s' d", "it's 6"},
        {"'open d", "open d"},
        {"ddd dddd", "Sun Sunday"},
        {"MMM MMMM", "Mar March"},
        {"yyyy-mm-dd", "2005-03-06"},
        {"gg yyyy", " 2005"},
        {"", ""},
    };
    for (const auto& c : cases) {
        l.shortDate = c.pattern;
        EXPECT_EQ(DateTimeText(dt, l), c.text) << c.pattern;
    }

    // Without names the number stands in.
    LocaleSnapshot bare;
    bare.shortDate = "MMMM ddd";
    EXPECT_EQ(DateTimeText(dt, bare), "3 6");
}

TEST(DateTimeText, DayNamesFollowTheDate)
{
    LocaleSnapshot l;
    l.shortDate = "ddd";
    l.shortDayNames = {"日", "月", "火", "水", "木", "金", "土"};
    EXPECT_EQ(DateTimeText(Pack(1980, 1, 1, 0, 0, 0), l), "火");
    EXPECT_EQ(DateTimeText(Pack(2000, 2, 29, 0, 0, 0), l), "火");
    EXPECT_EQ(DateTimeText(Pack(2024, 3, 1, 0, 0, 0), l), "金");
    EXPECT_EQ(DateTimeText(Pack(2107, 12, 31, 0, 0, 0), l), "土");
}

TEST(DateTimeText, TimeThePackedFormCannotHoldIsEmpty)
{
    EXPECT_EQ(DateTimeText(std::optional<DosDateTime>(), LocaleSnapshot()), "");
    EXPECT_EQ(DateTimeText(std::optional<DosDateTime>(Pack(2024, 3, 5, 0, 0, 0)), LocaleSnapshot()), "2024/03/05");
}

// Fields a packed date can hold but no calendar has: a name that does not
// exist falls back to the number, and the time shows as it is packed.
TEST(DateTimeText, NonsenseFieldsDoNotCrash)
{
    LocaleSnapshot l;
    l.shortDate = "dddd MMMM yyyy";  // no day names: the day's number stands in
    l.longMonthNames = {"January", "February", "March", "April", "May", "June",
                        "July", "August", "September", "October", "November", "December"};
    struct Case {
        uint16_t date, time;
        const char* text;
    } cases[] = {
        {0x0000, 0x0000, "0 0 1980"},                     // month 0, day 0
        {0xFFFF, 0xFFFF, "31 15 2107 31:63:62"},          // month 15, 31 h 63 min
        {0x01E0, 0x01E0, "0 15 1980 0:15:00"},
        {0x000F, 0x000F, "15 0 1980 0:00:30"},
        {(44 << 9) | (3 << 5) | 5, 0, "5 March 2024"},  // a real date, for contrast
    };
    for (const auto& c : cases)
        EXPECT_EQ(DateTimeText(DosDateTime{c.date, c.time}, l), c.text) << std::hex << c.date;
}

TEST(TotalKByteText, RoundingAndGrouping)
{
    LocaleSnapshot comma;
    struct Case {
        uint64_t total;
        const char* text;
    } cases[] = {
        {0, "Total  KByte"},
        {511, "Total  KByte"},
        {512, "Total 1 KByte"},
        {600, "Total 1 KByte"},
        {1535, "Total 1 KByte"},
        {1536, "Total 2 KByte"},   // 1.5
        {2560, "Total 3 KByte"},   // 2.5
        {1023 * 1024 + 511, "Total 1,023 KByte"},
        {1023 * 1024 + 512, "Total 1,024 KByte"},
        {1572864, "Total 1,536 KByte"},
        {999499, "Total 976 KByte"},
        {1234567890ull * 1024, "Total 1,234,567,890 KByte"},
        {std::numeric_limits<uint64_t>::max(), "Total 18,014,398,509,481,984 KByte"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TotalKByteText(c.total, comma), c.text) << c.total;
}

TEST(TotalKByteText, ThousandsSeparator)
{
    struct Case {
        const char* what;
        bool readable;
        const char* separator;
        const char* text;
    } cases[] = {
        {"empty", true, "", "Total 1536 KByte"},
        {"one character", true, ".", "Total 1.536 KByte"},
        {"first character only", true, "ab", "Total 1a536 KByte"},
        {"double-byte kept whole", true, "，", "Total 1，536 KByte"},
        {"unreadable", false, "", "Total 1,536 KByte"},
    };
    for (const auto& c : cases) {
        LocaleSnapshot l;
        l.thousandReadable = c.readable;
        l.thousandSeparator = c.separator;
        EXPECT_EQ(TotalKByteText(1572864, l), c.text) << c.what;
    }
    LocaleSnapshot none;
    none.thousandSeparator = "";
    EXPECT_EQ(TotalKByteText(1234567890ull * 1024, none), "Total 1234567890 KByte");
}
