#include <gtest/gtest.h>

#include <ostream>

#include "transfer/Transfer.h"

// Named in failure messages (found by argument-dependent lookup, so global).
void PrintTo(StartAction action, std::ostream* os)
{
    static const char* const names[] = {"InsertFreeNotice", "Nothing", "NoFolderNotice", "Run"};
    *os << names[static_cast<int>(action)];
}

namespace {

TEST(DecideStart, OrderOfTheChecks)
{
    using P = SameNamePolicy;
    using A = StartAction;
    struct Case {
        P policy;
        size_t rows;
        const char* folder;
        A action;
    } cases[] = {
        // The free-slot notice comes first, even with nothing to transfer
        // and with no folder known.
        {P::InsertFree, 0, "R:\\", A::InsertFreeNotice},
        {P::InsertFree, 3, "R:\\", A::InsertFreeNotice},
        {P::InsertFree, 0, "", A::InsertFreeNotice},
        // An empty list does nothing, folder or not.
        {P::Overwrite, 0, "R:\\", A::Nothing},
        {P::Skip, 0, "", A::Nothing},
        // Rows but no folder: the notice, never a run into the current folder.
        {P::Overwrite, 1, "", A::NoFolderNotice},
        {P::Skip, 2, "", A::NoFolderNotice},
        {P::Overwrite, 1, "R:\\", A::Run},
        {P::Skip, 5, "R:\\", A::Run},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecideStart(c.policy, c.rows, c.folder), c.action)
            << "policy " << static_cast<int>(c.policy) << ", rows " << c.rows << ", folder \"" << c.folder << '"';
}

}  // namespace
