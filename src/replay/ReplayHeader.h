#pragma once
// The replay header test on bytes: the first 26 bytes of a file, with the type
// tag "ﾘﾌﾟﾚｲﾌｧｲ{ﾙ" at offset 9 and the game tag "ぷよ" at offset 22.
#include <cstddef>
#include <string_view>

constexpr size_t kReplayHeaderSize = 26;

// `header` is what one read of 26 bytes delivered (may be shorter); missing
// bytes count as zero.
bool IsReplayHeader(std::string_view header);
