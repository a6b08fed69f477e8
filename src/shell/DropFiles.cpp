#include "shell/DropFiles.h"

#include <cstring>

#include "common/Exception.h"

namespace dropdata {
namespace {

uint32_t ReadU32(std::span<const std::byte> block, size_t offset)
{
    unsigned char b[4];
    std::memcpy(b, block.data() + offset, 4);
    return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[2]) << 16 |
           static_cast<uint32_t>(b[3]) << 24;
}

void ReadAnsiList(std::span<const std::byte> list, std::vector<std::string>& names)
{
    const char* p = reinterpret_cast<const char*>(list.data());
    std::string_view rest(p, list.size());
    while (!rest.empty() && rest.front() != '\0') {
        size_t nul = rest.find('\0');
        if (nul == std::string_view::npos)
            return;  // cut off by the block's end
        names.emplace_back(rest.substr(0, nul));
        rest.remove_prefix(nul + 1);
    }
}

void ReadWideList(std::span<const std::byte> list, const WideToAnsi& toAnsi, std::vector<std::string>& names)
{
    // Units are assembled byte by byte: pFiles need not be even.
    const size_t units = list.size() / 2;
    auto unit = [&](size_t i) {
        return static_cast<char16_t>(std::to_integer<unsigned>(list[2 * i]) |
                                     std::to_integer<unsigned>(list[2 * i + 1]) << 8);
    };
    std::u16string name;
    size_t i = 0;
    while (i < units && unit(i) != 0) {
        name.clear();
        while (i < units && unit(i) != 0)
            name.push_back(unit(i++));
        if (i == units)
            return;  // cut off by the block's end (an odd last byte counts as no unit)
        ++i;
        std::string ansi = toAnsi(name);
        if (!ansi.empty())
            names.push_back(std::move(ansi));
    }
}

}  // namespace

std::vector<std::string> ReadFileList(std::span<const std::byte> block, const WideToAnsi& toAnsi)
{
    std::vector<std::string> names;
    if (block.size() < kHeaderSize)
        return names;
    const uint32_t files = ReadU32(block, kFilesOffset);
    if (files >= block.size())
        return names;
    auto list = block.subspan(files);
    if (ReadU32(block, kWideOffset) != 0)
        ReadWideList(list, toAnsi, names);
    else
        ReadAnsiList(list, names);
    return names;
}

std::optional<std::string> ReadText(std::span<const std::byte> block)
{
    std::string_view bytes(reinterpret_cast<const char*>(block.data()), block.size());
    size_t nul = bytes.find('\0');
    if (nul == std::string_view::npos)
        return std::nullopt;
    return std::string(bytes.substr(0, nul));
}

std::string OleErrorText(uint32_t code, std::string_view systemText)
{
    if (!systemText.empty())
        return std::string(systemText);
    return FormatText("OLE エラー %.8X", static_cast<unsigned>(code));
}

}  // namespace dropdata
