#include <gtest/gtest.h>

#include "DialogUnits.h"

namespace {

TEST(MulDivRounded, RoundsHalfAwayFromZero)
{
    const struct {
        int number, numerator, denominator, result;
    } cases[] = {
        {7, 7, 4, 12},     // 12.25
        {6, 7, 4, 11},     // 10.5 rounds up
        {-6, 7, 4, -11},   // -10.5 rounds away from zero
        {6, -7, 4, -11},
        {6, 7, -4, -11},
        {-6, -7, 4, 11},
        {5, 15, 8, 9},     // 9.375
        {3, 15, 8, 6},     // 5.625
        {0, 15, 8, 0},
        {1, 1, 0, -1},     // no division by zero
        {2000000000, 4, 2, -1},  // does not fit
        {2000000000, 2, 4, 1000000000},  // the product needs 64 bits
    };
    for (const auto& c : cases)
        EXPECT_EQ(MulDivRounded(c.number, c.numerator, c.denominator), c.result)
            << c.number << " * " << c.numerator << " / " << c.denominator;
}

TEST(DialogUnits, FollowTheBaseUnits)
{
    // 52 letters 305 pixels wide: 305 / 26 = 11, (11 + 1) / 2 = 6.
    const DialogBaseUnits base = ComputeDialogBaseUnits(305, 13);
    EXPECT_EQ(base.x, 6);
    EXPECT_EQ(base.y, 13);
    // Widths round within the integer division: 363 / 26 = 13, 14 / 2 = 7.
    EXPECT_EQ(ComputeDialogBaseUnits(363, 15).x, 7);
    EXPECT_EQ(ComputeDialogBaseUnits(364, 15).x, 7);   // 14, 15 / 2 = 7
    EXPECT_EQ(ComputeDialogBaseUnits(390, 15).x, 8);   // 15, 16 / 2 = 8

    EXPECT_EQ(DialogUnitsToPixelsX(320, base), 480);  // 320 * 6 / 4
    EXPECT_EQ(DialogUnitsToPixelsY(97, base), 158);   // 97 * 13 / 8 = 157.625
    EXPECT_EQ(DialogUnitsToPixelsX(45, base), 68);    // 67.5 rounds up
    EXPECT_EQ(DialogUnitsToPixelsY(74, base), 120);   // 120.25
    EXPECT_EQ(DialogUnitsToPixelsY(12, base), 20);    // 19.5 rounds up
}

}  // namespace
