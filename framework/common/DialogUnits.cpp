#include "DialogUnits.h"

#include <cstdint>
#include <limits>

int MulDivRounded(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    if (denominator < 0) {
        number = -number;
        denominator = -denominator;
    }
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const std::int64_t half = denominator / 2;
    const std::int64_t result = (product >= 0 ? product + half : product - half) / denominator;
    if (result > std::numeric_limits<int>::max() || result < -std::numeric_limits<int>::max())
        return -1;
    return static_cast<int>(result);
}

DialogBaseUnits ComputeDialogBaseUnits(int alphabetWidth, int fontHeight)
{
    return {(alphabetWidth / 26 + 1) / 2, fontHeight};
}

int DialogUnitsToPixelsX(int units, const DialogBaseUnits& base)
{
    return MulDivRounded(units, base.x, 4);
}

int DialogUnitsToPixelsY(int units, const DialogBaseUnits& base)
{
    return MulDivRounded(units, base.y, 8);
}
