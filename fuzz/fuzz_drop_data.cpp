// The drop blocks come from other programs: any bytes at all must be read
// without reading past the block. The first byte picks how the stand-in
// conversion behaves (it may give nothing, as a failed conversion does).
#include <cstring>
#include <vector>

#include "shell/DropFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t mode = data[0];
    // An exact copy, so that a read past the block is caught.
    std::vector<std::byte> block(size - 1);
    if (!block.empty())
        std::memcpy(block.data(), data + 1, block.size());

    auto toAnsi = [mode](std::u16string_view name) {
        std::string out;
        if (mode & 1)
            return out;  // a conversion that fails on everything
        for (char16_t c : name) {
            if (c < 0x80)
                out += static_cast<char>(c);
            else if (mode & 2)
                out += "\x88\xEA";  // double-byte result
            else
                out += '?';
        }
        return out;
    };
    for (const std::string& name : dropdata::ReadFileList(block, toAnsi))
        if (name.empty())
            __builtin_trap();  // never an empty name
    (void)dropdata::ReadText(block);
    return 0;
}
