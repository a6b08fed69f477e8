// The main of every Windows test exe: GoogleTest's, with an answerer under
// all the tests' own that fails a test provoking a dialog nobody expected and
// cancels the dialog, so that the fault shows instead of a hang.
#include <gtest/gtest.h>

#include "ModalAnswerer.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    ModalAnswerer strays([](const SeenDialog& d) {
        ADD_FAILURE() << "a dialog nobody expected: \"" << d.caption << "\" " << d.text;
        return static_cast<int>(IDCANCEL);
    });
    return RUN_ALL_TESTS();
}
