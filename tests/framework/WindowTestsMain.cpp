// Runs the framework's window tests with an application object for the
// dialogs to belong to.
#include "CWinApp.h"
#include "WindowTestMain.h"

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
    TestApp application;
    return RunWindowTests(argc, argv);
}
