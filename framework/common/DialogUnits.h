// Dialog templates measure in dialog units: a quarter of the dialog font's
// average character width across, an eighth of its height down. These are
// the platform's own formulas, so that a template looks as laid out.
#pragma once

struct DialogBaseUnits {
    int x;
    int y;
};

// number * numerator / denominator in 64 bits, rounded half away from zero;
// -1 if the denominator is 0 or the result does not fit: Windows' MulDiv,
// with which the platform converts dialog units, written out for Qt.
int MulDivRounded(int number, int numerator, int denominator);

// From the width in pixels of the 52 letters "A".."Z", "a".."z" side by side
// and the font's height (ascent + descent).
DialogBaseUnits ComputeDialogBaseUnits(int alphabetWidth, int fontHeight);

int DialogUnitsToPixelsX(int units, const DialogBaseUnits& base);
int DialogUnitsToPixelsY(int units, const DialogBaseUnits& base);
