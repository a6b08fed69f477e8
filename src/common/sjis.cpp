#include "common/sjis.h"

namespace sjis {

bool IsLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

size_t LastCharStart(std::string_view s)
{
    size_t last = s.size();
    for (size_t i = 0; i < s.size();) {
        last = i;
        i += (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
    }
    return last;
}

bool EndsWithChar(std::string_view s, char c)
{
    size_t last = LastCharStart(s);
    return last + 1 == s.size() && s[last] == c;
}

std::string_view ExtractFileName(std::string_view path)
{
    size_t start = 0;
    for (size_t i = 0; i < path.size();) {
        unsigned char b = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(b) && i + 1 < path.size()) {
            i += 2;
            continue;
        }
        ++i;
        if (b == '\\' || b == ':')
            start = i;
    }
    return path.substr(start);
}

std::string TrimMessageTail(std::string_view message)
{
    size_t n = message.size();
    while (n > 0 && (static_cast<unsigned char>(message[n - 1]) <= ' ' || message[n - 1] == '.'))
        --n;
    return std::string(message.substr(0, n));
}

}  // namespace sjis

std::string AddTrailingBackslash(std::string_view path)
{
    std::string out(path);
    if (!sjis::EndsWithChar(path, '\\'))
        out += '\\';
    return out;
}
