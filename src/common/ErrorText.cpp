#include "common/ErrorText.h"

#include "common/sjis.h"

std::string ErrorBoxText(std::string_view message)
{
    std::string text(message);
    if (!message.empty() && static_cast<unsigned char>(message[sjis::LastCharStart(message)]) > '.')
        text += '.';
    return text;
}

std::string TitleFromModulePath(std::string_view path)
{
    std::string name(sjis::ExtractFileName(path));
    size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.resize(dot);
    // Only single-byte letters change case; a trail byte is never touched.
    for (size_t i = sjis::IsLeadByte(static_cast<unsigned char>(name.empty() ? 0 : name[0])) ? 2 : 1; i < name.size();) {
        unsigned char b = static_cast<unsigned char>(name[i]);
        if (sjis::IsLeadByte(b)) {
            i += 2;
            continue;
        }
        if (b >= 'A' && b <= 'Z')
            name[i] = static_cast<char>(b - 'A' + 'a');
        ++i;
    }
    return name;
}
