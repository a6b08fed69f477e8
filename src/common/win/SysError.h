#pragma once
#include <windows.h>

#include <string>

// The system's message text for an error code, trimmed at its end of blanks,
// control characters and full stops; empty when the system has none.
std::string SysErrorMessage(DWORD code);
