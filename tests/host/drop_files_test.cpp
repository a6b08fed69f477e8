#include <gtest/gtest.h>

#include <cstring>

#include "shell/DropFiles.h"

namespace {

using Names = std::vector<std::string>;

// A DROPFILES header with the given pFiles and fWide, then `list` as is.
std::string Block(uint32_t files, uint32_t wide, const std::string& list)
{
    std::string b(dropdata::kHeaderSize, '\0');
    std::memcpy(&b[dropdata::kFilesOffset], &files, 4);  // both little-endian
    std::memcpy(&b[dropdata::kWideOffset], &wide, 4);
    return b + list;
}

std::string Ansi(const std::string& list) { return Block(dropdata::kHeaderSize, 0, list); }

// UTF-16LE bytes of the units given.
std::string Utf16(std::u16string_view units)
{
    std::string out;
    for (char16_t u : units) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    }
    return out;
}

std::string Wide(std::u16string_view list) { return Block(dropdata::kHeaderSize, 1, Utf16(list)); }

// Stands in for the platform's conversion under code page 932: a few known
// characters, best fit for "é", the default character for the rest, and a
// failed conversion (nothing) for U+FFFF.
std::string FakeToAnsi(std::u16string_view name)
{
    std::string out;
    for (char16_t c : name) {
        if (c < 0x80)
            out += static_cast<char>(c);
        else if (c == u'一')
            out += "\x88\xEA";
        else if (c == u'ソ')
            out += "\x83\x5C";
        else if (c == u'é')
            out += 'e';
        else if (c == 0xFFFF)
            return {};
        else
            out += '?';
    }
    return out;
}

Names Read(const std::string& block)
{
    return dropdata::ReadFileList(std::as_bytes(std::span(block.data(), block.size())), FakeToAnsi);
}

}  // namespace

TEST(DropFileList, WellFormedLists)
{
    using namespace std::string_literals;
    struct Case {
        const char* what;
        std::string block;
        Names names;
    } cases[] = {
        {"ansi", Ansi("C:\\a.dat\0D:\\b\\c.dat\0\0"s), {"C:\\a.dat", "D:\\b\\c.dat"}},
        {"ansi bytes unchanged, 5C trail byte", Ansi("C:\\ソ\\\x88\xEA.dat\0\0"s), {"C:\\ソ\\\x88\xEA.dat"}},
        {"wide", Wide(u"C:\\a.dat\0D:\\b.dat\0\0"s), {"C:\\a.dat", "D:\\b.dat"}},
        // U+4E00 is 00 4E in the block: only a whole zero unit ends the list.
        {"wide, U+4E00 first", Wide(u"一\\x\0\0"s), {"\x88\xEA\\x"}},
        {"wide, 5C trail byte", Wide(u"C:\\ソ\0\0"s), {"C:\\\x83\x5C"}},
        {"wide, outside 932 as converted", Wide(u"C:\\é\x0416\0\0"s), {"C:\\e?"}},
        {"wide, name that converts to nothing", Wide(u"a\0\xFFFF\0b\0\0"s), {"a", "b"}},
        {"order kept", Ansi("c\0a\0b\0\0"s), {"c", "a", "b"}},
        {"duplicate kept", Ansi("C:\\x\0C:\\x\0\0"s), {"C:\\x", "C:\\x"}},
        {"first name is the closing NUL", Ansi("\0\0"s), {}},
        {"wide, first name is the closing NUL", Wide(u"\0"s), {}},
        {"names after the closing NUL ignored", Ansi("a\0\0b\0\0"s), {"a"}},
        {"list further on in the block", Block(24, 0, "junkz\0\0"s), {"z"}},
        // The list may start at an odd offset; units are read unaligned.
        {"wide at odd offset", Block(21, 1, "!"s + Utf16(u"ab\0\0"s)), {"ab"}},
        // Reading the header as the list is odd but stays inside the block.
        {"pFiles into the header", Block(4, 0, ""s), {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(c.block), c.names) << c.what;
}

TEST(DropFileList, BrokenBlocksNeverReadPastTheirEnd)
{
    using namespace std::string_literals;
    struct Case {
        const char* what;
        std::string block;
        Names names;
    } cases[] = {
        {"empty block", ""s, {}},
        {"shorter than the header", Ansi("").substr(0, 19), {}},
        {"header only", Ansi(""), {}},
        {"pFiles at the block's end", Block(24, 0, "abcd"s), {}},
        {"pFiles beyond the block", Block(0x7FFFFFFF, 0, "a\0\0"s), {}},
        {"pFiles near 4 GiB", Block(0xFFFFFFFF, 1, Utf16(u"a\0\0"s)), {}},
        {"no closing NUL: names kept", Ansi("a\0b\0"s), {"a", "b"}},
        {"last name unterminated: dropped", Ansi("a\0bc"s), {"a"}},
        {"only name unterminated", Ansi("abc"s), {}},
        {"wide, no closing NUL", Wide(u"a\0b\0"s), {"a", "b"}},
        {"wide, last name unterminated", Wide(u"a\0bc"s), {"a"}},
        {"wide, odd tail after a name", Wide(u"a\0"s) + "\x62", {"a"}},
        {"wide, odd tail inside a name", Wide(u"a\0b"s) + "\0"s, {"a"}},
        {"wide, half a closing NUL", Wide(u"a\0"s) + "\0"s, {"a"}},
        {"wide, one byte only", Block(20, 1, "\0"s), {}},
    };
    for (const auto& c : cases) {
        // A copy of exactly the block's size, so ASan sees any read past it.
        std::vector<std::byte> exact(c.block.size());
        if (!exact.empty())
            std::memcpy(exact.data(), c.block.data(), exact.size());
        EXPECT_EQ(dropdata::ReadFileList(exact, FakeToAnsi), c.names) << c.what;
    }
}

TEST(DropText, UpToTheFirstNul)
{
    using namespace std::string_literals;
    struct Case {
        const char* what;
        std::string block;
        std::optional<std::string> text;
    } cases[] = {
        {"plain", "hello\0"s, "hello"},
        {"cut at the first NUL", "ab\0cd\0"s, "ab"},
        {"empty text", "\0"s, ""},
        {"shift-jis kept", "ソ\\\0"s, "ソ\\"},
        {"no NUL: end unknown", "abc"s, std::nullopt},
        {"empty block", ""s, std::nullopt},
    };
    for (const auto& c : cases) {
        std::vector<std::byte> exact(c.block.size());
        if (!exact.empty())
            std::memcpy(exact.data(), c.block.data(), exact.size());
        EXPECT_EQ(dropdata::ReadText(exact), c.text) << c.what;
    }
}

TEST(DropErrorText, SystemTextOrCode)
{
    EXPECT_EQ(dropdata::OleErrorText(0x8007000E, "メモリ不足です"), "メモリ不足です");
    EXPECT_EQ(dropdata::OleErrorText(0x800401F0, ""), "OLE エラー 800401F0");
    EXPECT_EQ(dropdata::OleErrorText(0x0000abcd, ""), "OLE エラー 0000ABCD");
}
