// The application icon as the framework loads it: one picture per size,
// the one with the most colours.
#include <gtest/gtest.h>

#include <QImage>

#include "AfxGlobals.h"
#include "AfxResources.h"
#include "WindowHandle.h"
#include "resource.h"
#include "resources/IconGroup.h"

namespace {

TEST(LoadIcon, KeepsTheTrueColourPictureOfEverySize)
{
    const HICON icon = LoadIconA(AfxFindResourceHandle(MAKEINTRESOURCE(IDR_MAINFRAME), RT_GROUP_ICON),
                                 MAKEINTRESOURCE(IDR_MAINFRAME));
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->width, GetSystemMetrics(SM_CXICON)) << "the standard (large) size";
    EXPECT_EQ(icon->height, GetSystemMetrics(SM_CYICON));

    const auto images = LoadIconGroup(AfxResources(), IDR_MAINFRAME);
    ASSERT_TRUE(images);
    int compared = 0;
    for (const IconImage& image : *images) {
        if (image.bitCount != 24)
            continue;
        const QImage loaded = icon->icon.pixmap(image.width, image.height).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(loaded.size(), QSize(image.width, image.height));
        int differing = 0;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x)
                differing += loaded.pixel(x, y) != image.pixels[static_cast<std::size_t>(y) * image.width + x];
        }
        EXPECT_EQ(differing, 0) << image.width << " pixels";
        ++compared;
    }
    EXPECT_EQ(compared, 3) << "48, 32 and 16 pixels";
}

}  // namespace
