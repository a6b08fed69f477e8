#pragma once
// Reading the blocks of a drop: the file list (a DROPFILES header and its
// name list) and plain text. Both come from another program, so every read
// stays inside the block: only what ends in its terminator inside the block
// is taken, and a broken block yields nothing rather than a read past its end.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dropdata {

// The DROPFILES header: pFiles, pt (two LONGs), fNC, fWide (tied to the
// platform's structure in drag_drop.cpp).
constexpr size_t kHeaderSize = 20;
constexpr size_t kFilesOffset = 0;  // pFiles: offset of the name list from the block's start
constexpr size_t kWideOffset = 16;  // fWide: nonzero when the names are UTF-16

// Turns one wide name into ANSI bytes the way the platform does.
using WideToAnsi = std::function<std::string(std::u16string_view)>;

// The names of a file-list block, in the order and with the repeats of the
// block. Never an empty name: a wide name that converts to nothing is left
// out. A block shorter than its header or whose pFiles lies beyond it gives
// no names. The list ends at its closing NUL or at the block's end; a last
// name cut off by the block's end (no NUL of its own, or an odd byte left in
// a wide list) is dropped, the names before it are kept.
std::vector<std::string> ReadFileList(std::span<const std::byte> block, const WideToAnsi& toAnsi);

// The text of a text block: its bytes up to the first NUL. No value when the
// block holds no NUL, as then its end is not known.
std::optional<std::string> ReadText(std::span<const std::byte> block);

// The message of a failed OLE call: the system's text for the code, or
// "OLE エラー " and the code in eight upper-case hex digits when it has none.
std::string OleErrorText(uint32_t code, std::string_view systemText);

}  // namespace dropdata
