#include <gtest/gtest.h>

#include "shell/DropEffect.h"

namespace {

using namespace dropeffect;

TEST(DropEffect, DragEnterOffersCopyForFilesAndLinkOtherwise)
{
    struct Case {
        bool files, text;
        uint32_t offered;
    } cases[] = {
        {true, true, kCopy},
        {true, false, kCopy},
        {false, true, kLink},
        {false, false, kLink},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OfferedEffect(c.files, c.text), c.offered) << "files " << c.files << ", text " << c.text;
}

TEST(DropEffect, DragOverAnswersTheOfferUnlessRefused)
{
    struct Case {
        uint32_t offered;
        bool accepted;
        uint32_t effect;
    } cases[] = {
        {kCopy, true, kCopy},
        {kCopy, false, kNone},
        {kLink, true, kLink},
        {kLink, false, kNone},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OverEffect(c.offered, c.accepted), c.effect)
            << "offered " << c.offered << ", accepted " << c.accepted;
}

TEST(DropEffect, DropReportsAtMostTheOfferAndNeverAMove)
{
    const uint32_t all = kCopy | kMove | kLink;
    struct Case {
        uint32_t allowed, offered;
        bool taken;
        uint32_t reported;
    } cases[] = {
        {all, kCopy, true, kCopy},            // the source must not delete its originals
        {kCopy | kMove, kCopy, true, kCopy},
        {kMove, kCopy, true, kNone},          // a move-only source is told nothing was done
        {all, kLink, true, kLink},
        {kCopy | kMove, kLink, true, kNone},
        {all, kCopy, false, kNone},           // the data gave nothing to take
        {kCopy, kCopy, false, kNone},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DropResultEffect(c.allowed, c.offered, c.taken), c.reported)
            << "allowed " << c.allowed << ", offered " << c.offered << ", taken " << c.taken;
}

}  // namespace
