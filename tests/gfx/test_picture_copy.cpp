// Large-picture memory and the banded copy between pictures: every pixel of the asked
// rectangle arrives, nothing outside it changes, and what cannot be copied is refused.
#include "Noise.h"

#include "gfx/PictureCopy.h"
#include "gfx/PictureMemory.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

namespace {

// A white picture from newPicture, or from Qt when `own` is false.
QImage whitePicture(int w, int h, bool own) {
    QImage img = own ? gfx::newPicture(w, h) : QImage(w, h, QImage::Format_RGB32);
    img.fill(0xFFFFFFFFu);
    return img;
}

// The pixels of `after` equal `from` inside r and white outside it.
void expectCopied(const QImage& from, const QImage& after, const QRect& r) {
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x) {
            const QRgb want = r.contains(x, y) ? from.pixel(x, y) : 0xFFFFFFFFu;
            if (after.pixel(x, y) != want) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") in " << r.x() << "," << r.y()
                              << " " << r.width() << "x" << r.height();
                return;
            }
        }
}

TEST(PictureMemory, LargePicturesHaveMemoryOfTheirOwnAndSmallOnesComeFromQt) {
    const QImage large = gfx::newPicture(1920, 1080);
    ASSERT_FALSE(large.isNull());
    EXPECT_EQ(large.format(), QImage::Format_RGB32);
    EXPECT_EQ(large.bytesPerLine(), 1920 * 4);
    EXPECT_TRUE(gfx::inPictureMemory(large));
    const QImage small = gfx::newPicture(40, 30);
    EXPECT_EQ(small.size(), QSize(40, 30));
    EXPECT_TRUE(gfx::newPicture(0, 10).isNull());
    EXPECT_TRUE(gfx::newPicture(10, -1).isNull());
    EXPECT_FALSE(
        gfx::inPictureMemory(QImage(1920, 1080, QImage::Format_RGB32).copy(0, 0, 1919, 1080)));
}

TEST(PictureCopy, CopiesExactlyTheRectangle) {
    struct Case {
        QSize size;
        QRect r;
        bool ownMemory;
    };
    const Case cases[] = {
        {{1920, 1080}, {0, 0, 1920, 1080}, true},   // the whole screen, in bands
        {{1920, 1080}, {0, 0, 1920, 1080}, false},  // the same in Qt's memory
        {{1921, 1079}, {0, 0, 1921, 1079}, true},   // rows of an odd length
        {{1920, 1080}, {37, 501, 1500, 403}, true}, // a part off the origin
        {{1920, 1080}, {0, 700, 1920, 1}, true},    // one row
        {{1920, 1080}, {1919, 0, 1, 1080}, true},   // one column
        {{300, 200}, {10, 20, 250, 150}, false},    // small: one thread
    };
    unsigned seed = 1;
    for (const Case& c : cases) {
        const QImage from = noiseImage(c.size.width(), c.size.height(), seed++);
        QImage to = whitePicture(c.size.width(), c.size.height(), c.ownMemory);
        ASSERT_TRUE(gfx::copyArea(from, to, c.r));
        expectCopied(from, to, c.r);
    }
}

TEST(PictureCopy, RefusesWhatItCannotCopyAndChangesNothing) {
    const QImage from = noiseImage(400, 300, 7);
    QImage to = whitePicture(400, 300, false);
    const QImage white = to.copy();
    // A rectangle reaching outside either picture.
    EXPECT_FALSE(gfx::copyArea(from, to, QRect(300, 200, 101, 50)));
    EXPECT_FALSE(gfx::copyArea(from, to, QRect(-1, 0, 10, 10)));
    // Another format.
    const QImage argb = from.convertToFormat(QImage::Format_ARGB32);
    EXPECT_FALSE(gfx::copyArea(argb, to, QRect(0, 0, 10, 10)));
    // A destination sharing its pixels with another picture.
    const QImage sharer = to;
    EXPECT_FALSE(gfx::copyArea(from, to, QRect(0, 0, 10, 10)));
    EXPECT_EQ(to, white);
    EXPECT_EQ(sharer, white);
}

} // namespace
