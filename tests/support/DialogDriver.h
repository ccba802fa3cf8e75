// Plays the user of a dialog while it is open: reads its window and
// controls and types, clicks and presses keys as a user does, on either
// platform's windows. RunDialog runs a dialog with DoModal and hands it to
// the user through the framework's test hooks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "CDialog.h"
#include "TestHooks.h"

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

struct ControlView {
    int id = 0;
    std::string text;         // as GetWindowTextA reads it
    PixelRect rect;           // in the dialog's client area
    bool tabStop = false;     // Tab stops at it
    bool enabled = true;
    bool defaultButton = false;
};

// Whether inner stands centred over outer, give or take the odd pixel that
// halving leaves over.
bool IsCentredOver(const PixelRect& inner, const PixelRect& outer);

enum class Key { Enter, Escape, Space, AltF4, AltH };

class DialogDriver {
public:
    explicit DialogDriver(CDialog& dialog) : m_dialog(dialog) {}

    CDialog& Dialog() { return m_dialog; }

    std::string Title() const;
    // The title of the window this one belongs to, empty if none.
    std::string OwnerTitle() const;
    // Shown, and not ended.
    bool IsOpen() const;
    // The window's frame on the screen, and its client area on the screen.
    PixelRect WindowRect() const;
    PixelRect ClientRect() const;
    // A rectangle of the template in the dialog's pixels, as the platform
    // converts dialog units for this dialog's font: position and size each
    // on their own, as controls are placed.
    PixelRect MapDialogRect(int x, int y, int cx, int cy) const;
    // Where a dialog without owner stands that the template places at 0, 0.
    PixelRect PlacementArea() const;

    // The controls in template order.
    std::vector<ControlView> Controls() const;
    std::string Text(int id) const;
    // Replaces a field's text, as typing it does.
    void Type(int id, const std::string& text);
    // Pastes text into a field through the clipboard, over the whole text
    // (cursor -1) or at the cursor.
    void Paste(int id, const std::string& text, int cursor = -1);
    void Click(int id);
    // Gives the control the focus and presses the key there.
    void Press(int id, Key key);
    void Focus(int id);
    // The control with the focus, 0 if none of the dialog's has it.
    int FocusedId() const;
    // The control Tab moves the focus to from this one.
    int NextTabStop(int id) const;
    // The close box.
    void Close();
    // A system command sent to the dialog. One that starts a move or a
    // resize with the keyboard finds Esc waiting, as a user would end it.
    void SystemCommand(UINT command);
    void Minimise();
    void Restore();

private:
    CDialog& m_dialog;
};

struct DialogRun {
    INT_PTR result = 0;
    std::vector<AfxMessageBoxInfo> messages;
};

// Runs dialog as the program's main window; user acts while it is open.
// Message boxes are answered with OK and recorded. If user leaves the dialog
// open, it is cancelled. Dialogs opened over it go to nested.
DialogRun RunDialog(CDialog& dialog, const std::function<void(DialogDriver&)>& user,
                    const std::function<void(DialogDriver&)>& nested = {});
