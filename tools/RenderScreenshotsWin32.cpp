// Renders the Windows program's dialogs into BMP files for the README, as
// Windows draws them (under Wine on Linux: scripts/screenshots-windows.sh).
// The dialogs are the program's own classes, opened with DoModal as the
// program opens them; each is captured with its frame once it is on screen.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ShootDialogs.h"

namespace {

// The window with its frame as a 24-bit bottom-up BMP.
bool SaveWindow(HWND window, const std::wstring& path)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // Painted and on the screen first: the capture is what the screen shows.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    Sleep(500);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
    SelectObject(memory, previous);

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) / 4 * 4;
    std::vector<char> pixels(static_cast<std::size_t>(stride) * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out)
        return false;
    const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&header, sizeof header, 1, out) == 1 &&
                         std::fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
    return std::fclose(out) == 0 && written;
}

bool Save(HWND window, const std::wstring& folder, const wchar_t* name)
{
    const std::wstring path = folder + L"\\" + name;
    const bool saved = SaveWindow(window, path);
    std::printf("%s %ls\n", saved ? "wrote" : "could not write", path.c_str());
    return saved;
}

}  // namespace

int wmain(int argc, wchar_t* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: zedulo-screenshots OUTPUT-FOLDER\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    InitCommonControls();
    const bool saved = ShootDialogs("C:\\Users\\Anna\\Documents\\fritzbox-telefonbuch.adr",
                                    [&](CDialog& shown, const char* picture) {
                                        const std::wstring name = std::wstring(picture, picture + std::strlen(picture));
                                        return Save(shown.m_hWnd, folder, (name + L"-windows.bmp").c_str());
                                    });
    return saved ? 0 : 1;
}
