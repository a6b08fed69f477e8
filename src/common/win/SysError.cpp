#include "common/win/SysError.h"

#include "common/sjis.h"

std::string SysErrorMessage(DWORD code)
{
    char buffer[256];
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                             nullptr, code, 0, buffer, sizeof buffer, nullptr);
    return sjis::TrimMessageTail(std::string_view(buffer, n));
}
