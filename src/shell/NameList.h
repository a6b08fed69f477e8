#pragma once
// The shell's name lists: entries one after the other, each closed by a NUL,
// the whole closed by one more NUL. Our buffers carry ten spare zero bytes.
#include <cstddef>
#include <span>
#include <string>
#include <vector>

// Σ(length + 1) + 10. Raises the allocation error when the sum overflows.
size_t NameListSize(const std::vector<std::string>& list);

// Writes the entries and the closing NUL into a buffer of at least
// NameListSize(list) bytes; the spare bytes after it are left as they are
// (zero in a buffer from MakeNameList). Raises the allocation error when the
// buffer is too small, writing nothing.
void FillNameList(std::span<char> buffer, const std::vector<std::string>& list);

// A zero-filled buffer of NameListSize(list) bytes holding the list. Any
// failure to obtain it raises "ShfOperation:メモリ割当てに失敗しました.".
std::vector<char> MakeNameList(const std::vector<std::string>& list);
