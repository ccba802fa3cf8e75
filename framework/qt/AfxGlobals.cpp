#include "AfxGlobals.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <map>

#include "AfxPlatform.h"
#include "AfxResources.h"
#include "WindowHandle.h"
#include "resources/IconGroup.h"

namespace {

QImage ToImage(const IconImage& image)
{
    QImage result(image.width, image.height, QImage::Format_ARGB32);
    for (int y = 0; y < image.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < image.width; ++x)
            line[x] = image.pixels[static_cast<std::size_t>(y) * image.width + x];
    }
    return result;
}

}  // namespace

std::string AfxModuleBaseName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).baseName().toStdString();
}

HINSTANCE AfxFindResourceHandle(LPCTSTR, LPCTSTR)
{
    static HINSTANCE__ module;
    return &module;
}

HICON LoadIconA(HINSTANCE, LPCSTR lpIconName)
{
    if (!IS_INTRESOURCE(lpIconName))
        return nullptr;
    const auto id = static_cast<std::uint16_t>(reinterpret_cast<std::uintptr_t>(lpIconName));
    static std::map<std::uint16_t, HICON__> icons;
    if (const auto known = icons.find(id); known != icons.end())
        return &known->second;

    const auto images = LoadIconGroup(AfxResources(), id);
    if (!images || images->empty())
        return nullptr;
    // One picture per size, the one with the most colours.
    std::map<int, const IconImage*> deepest;
    for (const IconImage& image : *images) {
        const IconImage*& best = deepest[image.width];
        if (!best || image.bitCount > best->bitCount)
            best = &image;
    }
    HICON__& icon = icons[id];
    for (const auto& [size, image] : deepest)
        icon.icon.addPixmap(QPixmap::fromImage(ToImage(*image)));
    icon.width = GetSystemMetrics(SM_CXICON);
    icon.height = GetSystemMetrics(SM_CYICON);
    return &icon;
}

int GetSystemMetrics(int nIndex)
{
    switch (nIndex) {
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    default:
        return 0;
    }
}

void InitCommonControls()
{
}
