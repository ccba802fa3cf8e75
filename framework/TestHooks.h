// Hooks for the program's tests: they answer modal windows in place of a
// user. With a handler set, the window is built in full, described to the
// handler, and not shown; the handler's answer is what the user chose.
// Without one, the window is shown and waits for the user. Both platform
// implementations of the framework answer through the same hooks.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CDialog;

struct AfxMessageBoxInfo {
    std::string caption;
    std::string text;
    bool hasIcon = false;
    std::vector<std::string> buttons;
    std::string ownerTitle;  // the window that owns the box, empty if none
    bool modal = false;
};

struct AfxFileChooserInfo {
    bool saveMode = false;
    bool nativeDialog = false;
    std::string title;
    std::optional<std::string> initialDirectory;  // as the settings record gave it
    std::string directory;                        // where the chooser opened
    std::string selectedFile;                     // full path of the name filled in
    std::string defaultSuffix;
    std::vector<std::string> nameFilters;
    std::string selectedNameFilter;
    std::string acceptLabel;  // the button that confirms, as shown ("&" marks its mnemonic)
    bool existingFilesOnly = false;
    bool confirmOverwrite = false;
    std::string ownerTitle;
    bool modal = false;
};

struct AfxHelpWindowInfo {
    std::string title;
    std::string page;  // the file shown
    std::string ownerTitle;
    bool modal = false;
};

struct AfxMenuEntryInfo {
    bool separator = false;
    std::string text;      // with its "&" mnemonic
    std::string shortcut;  // as shown beside the text
    unsigned id = 0;
};

struct AfxPopupMenuInfo {
    std::vector<AfxMenuEntryInfo> entries;
    std::string ownerTitle;
};

namespace AfxTestHooks {

// Returns the button pressed (IDOK, ...).
void SetMessageBoxHandler(std::function<int(const AfxMessageBoxInfo&)> handler);
// Returns the chosen path, or nothing for a cancelled chooser.
void SetFileChooserHandler(std::function<std::optional<std::string>(const AfxFileChooserInfo&)> handler);
void SetHelpWindowHandler(std::function<void(const AfxHelpWindowInfo&)> handler);
// Returns the identifier of the entry chosen, or nothing when the menu is
// dismissed.
void SetPopupMenuHandler(std::function<std::optional<unsigned>(const AfxPopupMenuInfo&)> handler);
// Called once a modal dialog is on screen; the handler plays the user and
// must end the dialog (EndDialog, or keys and clicks that do), or it is
// ended with IDCANCEL when the handler returns.
void SetDialogHandler(std::function<void(CDialog&)> handler);
// String-table lookups of id find nothing, as if the string were empty;
// 0 makes every string visible again.
void HideString(unsigned id);
// Removes every handler and shows every string.
void Reset();

// In strict mode (for test programs) a modal window that no handler answers
// is not shown, which would wait for a user forever: it is reported on
// standard error, counted, and taken as cancelled (a message box as OK).
void SetStrict(bool strict);
int UnansweredCount();

}  // namespace AfxTestHooks
