#include "replay/SizeText.h"

#include "common/sjis.h"

std::string TotalKByteText(uint64_t totalBytes, const LocaleSnapshot& locale)
{
    // Half up on the exact quotient; split so that no total can overflow.
    uint64_t k = totalBytes / 1024 + (totalBytes % 1024 >= 512 ? 1 : 0);

    std::string separator = ",";
    if (locale.thousandReadable) {
        // The first character, both bytes of it when it is a double-byte one.
        const std::string& s = locale.thousandSeparator;
        size_t length = s.empty() ? 0 : (sjis::IsLeadByte(static_cast<unsigned char>(s[0])) && s.size() > 1 ? 2 : 1);
        separator = s.substr(0, length);
    }

    std::string digits = k == 0 ? std::string() : std::to_string(k);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += separator;
        grouped += digits[i];
    }
    return "Total " + grouped + " KByte";
}
