// The turned picture: the fixed-point turn, points in it, and its layout in the control.
#include "gfx/Rotation.h"

#include <QTransform>

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace gfx;

namespace {

// Rows of letters as a picture: each letter its own colour.
QImage fromRows(const std::vector<std::string>& rows) {
    QImage img(int(rows[0].size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(rows[std::size_t(y)][std::size_t(x)], 0, 0));
    return img;
}

std::vector<std::string> toRows(const QImage& img) {
    std::vector<std::string> rows;
    for (int y = 0; y < img.height(); ++y) {
        std::string r;
        for (int x = 0; x < img.width(); ++x)
            r += char(qRed(img.pixel(x, y)));
        rows.push_back(r);
    }
    return rows;
}

QImage noise(int w, int h, unsigned seed) {
    QImage img(w, h, QImage::Format_RGB32);
    std::mt19937 gen(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, 0xFF000000u | (gen() & 0xFFFF00) | 0x01); // never the background
    return img;
}

using Rows = std::vector<std::string>;

} // namespace

TEST(Rotation, ThreeByTwoExample) {
    const QImage src = fromRows({"abc", "def"});
    const std::pair<long double, Rows> cases[] = {
        {90, {"cf", "be", "ad"}},  {-90, {"da", "eb", "fc"}},  {180, {"fed", "cba"}},
        {450, {"cf", "be", "ad"}}, {-270, {"cf", "be", "ad"}}, {-180, {"fed", "cba"}},
        {0, {"abc", "def"}},       {720, {"abc", "def"}}};
    for (const auto& [angle, rows] : cases) {
        const QImage out = BuildRotatedBitmap(src, rgb(1, 2, 3), angle);
        EXPECT_EQ(toRows(out), rows) << double(angle);
        EXPECT_EQ(out.size(), RotatedSize(src.size(), angle));
        EXPECT_EQ(out.format(), QImage::Format_RGB32);
    }
}

TEST(Rotation, AngleZeroReproducesOddAndEvenSizes) {
    for (QSize size : {QSize(1, 1), QSize(2, 2), QSize(3, 2), QSize(4, 5), QSize(7, 7),
                       QSize(100, 37), QSize(64, 64)}) {
        const QImage src = noise(size.width(), size.height(), 1);
        EXPECT_EQ(BuildRotatedBitmap(src, White, 0), src) << size.width() << "x" << size.height();
    }
}

TEST(Rotation, QuarterTurnsMatchQtsExactTurns) {
    // Qt turns clockwise on the screen for positive angles, Ravo counter-clockwise.
    for (QSize size : {QSize(3, 2), QSize(4, 4), QSize(5, 8), QSize(9, 6), QSize(10, 7)}) {
        const QImage src = noise(size.width(), size.height(), 2);
        for (int angle : {90, 180, -90, -180, 450, -450}) {
            const QImage want = src.transformed(QTransform().rotate(-(angle % 360)));
            EXPECT_EQ(BuildRotatedBitmap(src, White, angle), want)
                << size.width() << "x" << size.height() << " at " << angle;
        }
    }
}

TEST(Rotation, TwoSeventyIsCentredLikeAnyOtherAngle) {
    // Only 0 and -90 (and 90 for heights) move the centre of an even size onto the
    // source's own middle pixel; 270 turns like -90 but keeps the plain centre. With
    // odd sizes there is nothing to move and the two agree.
    const QImage odd = noise(5, 3, 7);
    EXPECT_EQ(BuildRotatedBitmap(odd, White, 270), BuildRotatedBitmap(odd, White, -90));
    const QImage even = noise(4, 2, 7);
    const QImage at270 = BuildRotatedBitmap(even, rgb(1, 2, 3), 270);
    const QImage atMinus90 = BuildRotatedBitmap(even, rgb(1, 2, 3), -90);
    ASSERT_EQ(at270.size(), atMinus90.size());
    // The picture sits one column further left, and the last column is background.
    EXPECT_EQ(at270.copy(0, 0, 1, 4), atMinus90.copy(1, 0, 1, 4));
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(fromArgb(at270.pixel(1, y)), rgb(1, 2, 3));
}

TEST(Rotation, FortyFiveDegreesHasBackgroundCorners) {
    const QImage src = noise(100, 100, 3);
    const Color back = rgb(9, 200, 77);
    const QImage out = BuildRotatedBitmap(src, back, 45);
    ASSERT_EQ(out.size(), QSize(141, 141));
    int backs = 0;
    for (int y = 0; y < 141; ++y)
        for (int x = 0; x < 141; ++x) {
            const bool isBack = fromArgb(out.pixel(x, y)) == back;
            backs += isBack;
            // The turned square is a diamond: far from the centre along both axes lies
            // background, near the centre lies picture.
            const int d = std::abs(x - 70) + std::abs(y - 70);
            if (d > 73) {
                ASSERT_TRUE(isBack) << x << "," << y;
            }
            if (d < 68) {
                ASSERT_FALSE(isBack) << x << "," << y;
            }
        }
    // The four corner triangles make half of the square.
    EXPECT_NEAR(backs, 141 * 141 / 2, 300);
}

TEST(Rotation, BackgroundIsTheBottomLeftPixel) {
    QImage img = noise(5, 4, 4);
    img.setPixel(0, 3, qRgb(10, 20, 30));
    EXPECT_EQ(rotationBackground(img), rgb(10, 20, 30));
    EXPECT_EQ(rotationBackground(QImage()), White);
    QImage mono(8, 8, QImage::Format_Mono);
    mono.fill(0);
    EXPECT_EQ(rotationBackground(mono), White);
    // A white bottom-left pixel turned by 30 degrees gives white corners.
    img.setPixel(0, 3, qRgb(255, 255, 255));
    const QImage out = BuildRotatedBitmap(noise(40, 30, 5), rotationBackground(img), 30);
    EXPECT_EQ(fromArgb(out.pixel(0, 0)), White);
    EXPECT_EQ(fromArgb(out.pixel(out.width() - 1, out.height() - 1)), White);
}

TEST(Rotation, RotatedPointFindsThePixel) {
    // Points are corners on the pixel grid; for odd sizes the centre of the turn is a pixel
    // corner too, and a pixel's top-left corner lands on the top-left of where it went.
    for (QSize size : {QSize(1, 1), QSize(5, 3), QSize(7, 9), QSize(3, 11)}) {
        const QImage src = noise(size.width(), size.height(), 6);
        for (int angle : {0, 90, -90, 180, 270, 450}) {
            SCOPED_TRACE(angle);
            const QImage out = BuildRotatedBitmap(src, White, angle);
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x) {
                    const QPoint p = RotatedPoint(QPoint(x, y), size, out.size(), angle);
                    ASSERT_TRUE(out.rect().contains(p));
                    EXPECT_EQ(out.pixel(p), src.pixel(x, y))
                        << size.width() << "x" << size.height() << " at " << angle << ": " << x
                        << "," << y;
                }
        }
    }
}

TEST(Rotation, RotatePointsUpToTheLastIndex) {
    const QSize pic(3, 2);
    const QSize turned = RotatedSize(pic, 90);
    QPoint pts[5] = {{0, 0}, {2, 0}, {2, 1}, {0, 1}, {1, 1}};
    RotatePoints(pts, 3, pic, turned, 90);
    EXPECT_EQ(pts[0], QPoint(0, 2));
    EXPECT_EQ(pts[1], QPoint(0, 0));
    EXPECT_EQ(pts[2], QPoint(1, 0));
    EXPECT_EQ(pts[3], QPoint(1, 2));
    EXPECT_EQ(pts[4], QPoint(1, 1)); // past the last index: untouched
}

TEST(Rotation, MaxSizeAndMulDiv) {
    EXPECT_EQ(MaxSizeOf(QSize(100, 100)), 141);
    EXPECT_EQ(MaxSizeOf(QSize(3, 4)), 5);
    EXPECT_EQ(MaxSizeOf(QSize(1, 1)), 1);
    EXPECT_EQ(MaxSizeOf(QSize()), 0);
    struct Case {
        int x, y, z, want;
    };
    const Case cases[] = {{41, 200, 141, 58}, {5, 1, 2, 3},  {-5, 1, 2, -3},      {7, 1, 2, 4},
                          {10, 10, -3, -33},  {7, 3, 0, -1}, {1 << 30, 8, 1, -1}, {0, 200, 141, 0}};
    for (const Case& k : cases)
        EXPECT_EQ(MulDiv(k.x, k.y, k.z), k.want) << k.x << "*" << k.y << "/" << k.z;
}

TEST(Rotation, LayoutKeepsTheScaleWhileTurning) {
    // A 100 x 100 picture (MaxSize 141) stretched in a 200 x 200 control.
    ImageLayout l;
    l.maxSize = 141;
    l.client = QSize(200, 200);
    l.stretch = true;
    l.uniqueSize = true;
    l.rotated = RotatedSize(QSize(100, 100), 0);
    EXPECT_EQ(ImageRect(l), QRect(29, 29, 142, 142));
    l.rotated = RotatedSize(QSize(100, 100), 45);
    EXPECT_EQ(l.rotated, QSize(141, 141));
    EXPECT_EQ(ImageRect(l), QRect(0, 0, 200, 200));
}

TEST(Rotation, LayoutCases) {
    struct Case {
        const char* name;
        ImageLayout in;
        QRect want;
    };
    const Case cases[] = {
        // Tool windows: centred at its own size, cut by the window when larger.
        {"centred",
         {141, QSize(141, 141), QSize(120, 120), true, false, false, true},
         QRect(-10, -10, 141, 141)},
        {"centred small",
         {141, QSize(100, 100), QSize(200, 160), true, false, false, true},
         QRect(50, 30, 100, 100)},
        {"plain",
         {0, QSize(30, 20), QSize(200, 160), false, false, false, false},
         QRect(0, 0, 30, 20)},
        {"proportional wide",
         {0, QSize(300, 150), QSize(150, 150), true, false, true, false},
         QRect(0, 37, 150, 75)},
        {"proportional tall",
         {0, QSize(100, 400), QSize(150, 200), false, false, true, false},
         QRect(0, 0, 50, 200)},
        {"proportional fits",
         {0, QSize(100, 40), QSize(150, 200), false, false, true, false},
         QRect(0, 0, 100, 40)},
        {"stretch",
         {0, QSize(100, 40), QSize(150, 200), false, true, false, false},
         QRect(0, 0, 150, 200)},
    };
    for (const Case& k : cases)
        EXPECT_EQ(ImageRect(k.in), k.want) << k.name;
}

TEST(Rotation, ClipPolygonFollowsTheTurnedOutline) {
    // An odd-sized picture at angle 0: exactly its own rectangle, placed in the parent.
    const QSize odd(101, 61);
    EXPECT_EQ(ImageRgn(odd, RotatedSize(odd, 0), QRect(0, 0, 101, 61), QPoint(10, 20), 0),
              QPolygon({QPoint(10, 20), QPoint(111, 20), QPoint(111, 81), QPoint(10, 81)}));
    // An even size's centre is its left (upper) middle pixel at angle 0, so the outline
    // through the turned corners starts one pixel up and left.
    const QSize even(100, 60);
    EXPECT_EQ(ImageRgn(even, RotatedSize(even, 0), QRect(0, 0, 100, 60), QPoint(10, 20), 0),
              QPolygon({QPoint(9, 19), QPoint(109, 19), QPoint(109, 79), QPoint(9, 79)}));
    // A quarter turn drawn twice the size at (5, 5): the top-left corner goes to the bottom
    // left, the top edge becomes the left edge.
    const QSize at90 = RotatedSize(even, 90);
    ASSERT_EQ(at90, QSize(60, 100));
    EXPECT_EQ(ImageRgn(even, at90, QRect(5, 5, 120, 200), QPoint(0, 0), 90),
              QPolygon({QPoint(5, 203), QPoint(5, 3), QPoint(125, 3), QPoint(125, 203)}));
    EXPECT_TRUE(ImageRgn(QSize(), QSize(), QRect(), QPoint(), 0).isEmpty());
}
