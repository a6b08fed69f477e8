#pragma once
// Synthesised replay files for tests: only the two tags the header test looks
// at are real; every other byte says whose file it is.
#include <string>

inline std::string ReplayBytes(const std::string& filler = "test", size_t size = 64)
{
    std::string bytes(size < 26 ? 26 : size, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = filler.empty() ? 'x' : filler[i % filler.size()];
    const char typeTag[] = "\xD8\xCC\xDF\xDA\xB2\xCC\xA7\xB2\x7B\xD9";
    const char gameTag[] = "\x82\xD5\x82\xE6";
    bytes.replace(9, 10, typeTag, 10);
    bytes.replace(22, 4, gameTag, 4);
    bytes.resize(size);
    return bytes;
}
