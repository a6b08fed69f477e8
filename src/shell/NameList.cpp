#include "shell/NameList.h"

#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

#include "common/Exception.h"
#include "shell/ShfPlan.h"

namespace {
constexpr size_t kSpareBytes = 10;

[[noreturn]] void RaiseAllocation() { throw Exception(kShfAllocationFailed); }

void AddChecked(size_t& total, size_t n)
{
    if (n > std::numeric_limits<size_t>::max() - total)
        RaiseAllocation();
    total += n;
}
}  // namespace

size_t NameListSize(const std::vector<std::string>& list)
{
    size_t total = 0;
    for (const std::string& entry : list) {
        AddChecked(total, entry.size());
        AddChecked(total, 1);
    }
    AddChecked(total, kSpareBytes);
    return total;
}

void FillNameList(std::span<char> buffer, const std::vector<std::string>& list)
{
    if (buffer.size() < NameListSize(list))
        RaiseAllocation();
    char* p = buffer.data();
    for (const std::string& entry : list) {
        std::memcpy(p, entry.data(), entry.size());
        p += entry.size();
        *p++ = '\0';
    }
    *p = '\0';  // the list's closing NUL, also when the buffer was not clean
}

std::vector<char> MakeNameList(const std::vector<std::string>& list)
{
    std::vector<char> buffer;
    try {
        buffer.resize(NameListSize(list));
    } catch (const std::bad_alloc&) {
        RaiseAllocation();
    } catch (const std::length_error&) {
        RaiseAllocation();
    }
    FillNameList(buffer, list);
    return buffer;
}
