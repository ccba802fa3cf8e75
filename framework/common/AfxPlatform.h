// What each platform implementation (qt/, win32/) provides to the
// framework's shared code.
#pragma once

#include <optional>
#include <string>
#include <vector>

class CWinApp;
class CWnd;
class ResourceSource;

// What the framework's entry does once the platform is set up: runs the
// application's InitInstance, and its message loop if it asks for one;
// returns the exit status ExitInstance gives.
int AfxRunApp(CWinApp& app);
// The platform's message loop, until the program is told to end.
void AfxRunMessageLoop();

// The program's own resources: dialog templates, strings, icons, version.
const ResourceSource& AfxProgramResources();

// The program file's name without folder and extension.
std::string AfxModuleBaseName();

struct AfxHelpSearch {
    std::optional<std::string> page;   // the full path of the page found
    std::vector<std::string> folders;  // where it was looked for, in order
};
// Looks for the help page (a file name) where the program's help belongs.
AfxHelpSearch AfxFindHelpPage(const std::string& pageName);
// Shows the page in the platform's viewer, owned by the owner's window, if
// any; a test's help-window handler gets it described instead.
void AfxShowHelpPage(CWnd* owner, const std::string& page, const std::string& title);
