// Runs the framework's window tests with the toolkit started as the program
// starts it, and an application object for the dialogs to belong to.
#include <gtest/gtest.h>

#include "AfxToolkit.h"
#include "CWinApp.h"
#include "TestHooks.h"

namespace {

// An application object that, like the program's, takes the help command.
class TestApp : public CWinApp {
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    AfxToolkit toolkit(argv[0]);
    TestApp application;
    // A window no test answers would wait for a user forever.
    AfxTestHooks::SetStrict(true);
    const int result = RUN_ALL_TESTS();
    AfxTestHooks::Reset();
    return result != 0 || AfxTestHooks::UnansweredCount() != 0 ? 1 : 0;
}
