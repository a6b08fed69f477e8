#include "replay/ReplayHeader.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::string_view kTypeTag = "\xD8\xCC\xDF\xDA\xB2\xCC\xA7\xB2\x7B\xD9";  // ﾘﾌﾟﾚｲﾌｧｲ{ﾙ
constexpr std::string_view kGameTag = "\x82\xD5\x82\xE6";                          // ぷよ
constexpr size_t kTypeTagOffset = 9;
constexpr size_t kGameTagOffset = 22;

// A header field read as text: it ends at its first zero byte.
std::string_view FieldText(const std::array<char, kReplayHeaderSize>& block, size_t offset, size_t length)
{
    std::string_view field(block.data() + offset, length);
    return field.substr(0, field.find('\0'));
}

}  // namespace

bool IsReplayHeader(std::string_view header)
{
    std::array<char, kReplayHeaderSize> block{};
    std::copy_n(header.begin(), std::min(header.size(), block.size()), block.begin());
    return FieldText(block, kTypeTagOffset, kTypeTag.size()) == kTypeTag &&
           FieldText(block, kGameTagOffset, kGameTag.size()) == kGameTag;
}
