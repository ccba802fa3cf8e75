// The live widgets behind an open dialog on Qt, for the tests of what only
// the Qt implementation has.
#pragma once

#include <QWidget>

#include "CDialog.h"

// The dialog's window.
QWidget& WindowOf(const CDialog& dialog);
// The widget of the dialog's control id, nullptr if it has none.
QWidget* ControlOf(const CDialog& dialog, int id);
