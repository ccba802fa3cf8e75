// The font of dialog templates and the base units it gives.
#pragma once

#include <QFont>

#include "DialogUnits.h"

// The template's point size in the family fontconfig gives for "sans-serif",
// standing in for "MS Shell Dlg".
QFont AfxDialogFont(int pointSize);
// The base units of a font at the screen's logical resolution.
DialogBaseUnits AfxBaseUnits(const QFont& font);
