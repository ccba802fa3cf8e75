// What the dialogs are on Windows: the platform's windows with the
// template's styles and font, and the application icon as LoadIconA gives it.
#include <gtest/gtest.h>

#include <windows.h>

#include <iostream>

#include "AfxGlobals.h"
#include "AfxPlatform.h"
#include "CDialog.h"
#include "DialogDriver.h"
#include "resource.h"
#include "resources/IconGroup.h"

namespace {

TEST(Win32DialogWindow, IsAnAppWindowInTahomaWithoutMinimiseOrMaximise)
{
    CDialog dialog(IDD_CONVERTER_DIALOG);
    RunDialog(dialog, [&](DialogDriver& user) {
        HWND window = dialog.m_hWnd;
        const LONG style = GetWindowLongW(window, GWL_STYLE);
        EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
        EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "a task-bar button of its own";

        // "MS Shell Dlg" with DS_SHELLFONT is Tahoma, 8 points: base units
        // of 6 and 13 pixels, and the size Windows gives the template.
        RECT units{0, 0, 4, 8};
        MapDialogRect(window, &units);
        const PixelRect client = user.ClientRect();
        std::cout << "Base units " << units.right << " / " << units.bottom << "; client area " << client.width
                  << " x " << client.height << " pixels\n";
        EXPECT_EQ(units.right, 6);
        EXPECT_EQ(units.bottom, 13);
        EXPECT_EQ(client.width, 480);
        EXPECT_EQ(client.height, 158);
    });
}

// LoadIconA takes the picture that suits the display: true colour.
TEST(Win32LoadIcon, KeepsTheTrueColourPicture)
{
    const HICON icon = LoadIconA(AfxFindResourceHandle(MAKEINTRESOURCE(IDR_MAINFRAME), RT_GROUP_ICON),
                                 MAKEINTRESOURCE(IDR_MAINFRAME));
    ASSERT_TRUE(icon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = 32;
    format.bmiHeader.biHeight = -32;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> colours(32 * 32), mask(32 * 32);
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDIBits(screen, info.hbmColor, 0, 32, colours.data(), &format, DIB_RGB_COLORS), 32);
    ASSERT_EQ(GetDIBits(screen, info.hbmMask, 0, 32, mask.data(), &format, DIB_RGB_COLORS), 32);
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    const auto images = LoadIconGroup(AfxProgramResources(), IDR_MAINFRAME);
    ASSERT_TRUE(images);
    const IconImage* trueColour = nullptr;
    for (const IconImage& image : *images) {
        if (image.width == 32 && image.bitCount == 24)
            trueColour = &image;
    }
    ASSERT_TRUE(trueColour);
    int differing = 0;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const bool opaque = (trueColour->pixels[i] >> 24) != 0;
        // Where the mask leaves the picture, its colour is the 24-bit one.
        if (opaque && (mask[i] & 0xFFFFFF) == 0)
            differing += (colours[i] & 0xFFFFFF) != (trueColour->pixels[i] & 0xFFFFFF);
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
