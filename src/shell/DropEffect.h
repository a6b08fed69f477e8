#pragma once
// The effects the drop target answers the platform with, over plain flags:
// the same values as the platform's DROPEFFECT_* (tied in drag_drop.cpp).
#include <cstdint>

namespace dropeffect {

constexpr uint32_t kNone = 0;
constexpr uint32_t kCopy = 1;
constexpr uint32_t kMove = 2;
constexpr uint32_t kLink = 4;

// DragEnter: the effect offered for the whole drag. A file list is copied;
// anything else is offered as a link, whether it holds text or not.
uint32_t OfferedEffect(bool filesOffered, bool textOffered);

// DragOver: the offered effect, or none when the handler refused the drop.
uint32_t OverEffect(uint32_t offered, bool accepted);

// Drop: the effect reported back to the source, which came in as everything
// the source allows. Nothing here moves the dropped files, and a source told
// "move" deletes its originals: at most what was offered, none when the data
// gave nothing to take.
uint32_t DropResultEffect(uint32_t allowed, uint32_t offered, bool taken);

}  // namespace dropeffect
