#include "shell/DropEffect.h"

namespace dropeffect {

uint32_t OfferedEffect(bool filesOffered, bool /*textOffered*/)
{
    // Text or not, the answer is the same: the program itself drops files only.
    return filesOffered ? kCopy : kLink;
}

uint32_t OverEffect(uint32_t offered, bool accepted) { return accepted ? offered : kNone; }

uint32_t DropResultEffect(uint32_t allowed, uint32_t offered, bool taken)
{
    return taken ? (allowed & offered) : kNone;
}

}  // namespace dropeffect
