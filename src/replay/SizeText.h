#pragma once
// The size total under the replay list, as the status bar shows it.
#include <cstdint>
#include <string>

#include "replay/LocaleSnapshot.h"

// "Total " + the total / 1024 rounded half up, formatted "#,###", + " KByte".
std::string TotalKByteText(uint64_t totalBytes, const LocaleSnapshot& locale);
