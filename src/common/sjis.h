#pragma once
// Byte-string helpers for Shift-JIS (code page 932) paths and texts. A byte
// 5C that is the trail byte of a double-byte character (as in "ソ") is never
// a path separator.
#include <string>
#include <string_view>

namespace sjis {

bool IsLeadByte(unsigned char b);

// Offset of the first byte of the last character of s; s.size() when empty.
size_t LastCharStart(std::string_view s);

// True when the last character of s is the single-byte character c.
bool EndsWithChar(std::string_view s, char c);

// The part of path after its last "\" or ":" that stands as a character of its own.
std::string_view ExtractFileName(std::string_view path);

// A message cut at its end of blanks, control characters and full stops, as
// the platform's message texts come with a closing line break.
std::string TrimMessageTail(std::string_view message);

}  // namespace sjis

// Path with a backslash appended unless its last character already is one.
std::string AddTrailingBackslash(std::string_view path);
