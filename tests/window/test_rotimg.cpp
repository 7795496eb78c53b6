// TRotateImage as a real widget: rebuilds, events, layout, the Canvas access and painting
// into its parent.
#include "gfx/Noise.h"
#include "tools/RotImg.h"

#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

#include <random>

namespace {

QImage plain(int w, int h, QRgb c) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

// A parent whose own picture is plain green, so that anything else came from the child.
struct GreenParent : QWidget {
    GreenParent() {
        resize(300, 300);
        setAttribute(Qt::WA_DontShowOnScreen);
    }
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::green); }
};

} // namespace

TEST(RotImg, SameAngleFiresNoRotation) {
    TRotateImage img;
    int fired = 0;
    img.OnRotation = [&](TRotateImage* sender) {
        EXPECT_EQ(sender, &img);
        ++fired;
    };
    img.SetPicture(TPicture::fromBitmap(noiseImage(30, 20, 1)));
    EXPECT_EQ(fired, 1); // the picture's rebuild
    img.SetAngle(30);
    EXPECT_EQ(fired, 2);
    img.SetAngle(30);
    EXPECT_EQ(fired, 2);
    img.SetAngle(390); // stored as given: another value, another rebuild
    EXPECT_EQ(fired, 3);
    EXPECT_EQ(double(img.Angle()), 390.0);
}

TEST(RotImg, NoPictureNoRebuild) {
    TRotateImage img;
    int fired = 0;
    img.OnRotation = [&](TRotateImage*) { ++fired; };
    img.SetAngle(45);
    EXPECT_EQ(fired, 0);
    EXPECT_TRUE(img.RotatedBitmap().isNull());
    EXPECT_TRUE(img.ImageRgn().isEmpty());
    EXPECT_EQ(img.MaxSize(), 0);
    EXPECT_EQ(img.size(), QSize(105, 105));
}

TEST(RotImg, TurnedBitmapAndBackground) {
    TRotateImage img;
    QImage pic = noiseImage(100, 100, 2);
    pic.setPixel(0, 99, qRgb(250, 10, 10)); // bottom-left: the corners' colour
    img.SetPicture(TPicture::fromBitmap(pic));
    EXPECT_EQ(img.RotatedBitmap(), pic);
    EXPECT_EQ(img.MaxSize(), 141);
    img.SetAngle(45);
    ASSERT_EQ(img.RotatedBitmap().size(), QSize(141, 141));
    EXPECT_EQ(img.RotatedBitmap().pixel(0, 0), qRgb(250, 10, 10));
    EXPECT_EQ(img.RotatedTransparentColor(), gfx::rgb(250, 10, 10));
}

TEST(RotImg, StretchedLayoutKeepsItsScale) {
    TRotateImage img;
    img.resize(200, 200);
    img.SetStretch(true);
    img.SetPicture(TPicture::fromBitmap(noiseImage(100, 100, 3)));
    EXPECT_EQ(img.ImageRect().size(), QSize(142, 142));
    img.SetAngle(45);
    EXPECT_EQ(img.ImageRect(), QRect(0, 0, 200, 200));
    // A size change lays out again.
    img.resize(100, 100);
    EXPECT_EQ(img.ImageRect(), QRect(0, 0, 100, 100));
}

TEST(RotImg, AutoSizeFollowsThePicture) {
    TRotateImage img;
    img.move(7, 9);
    img.SetAutoSize(true);
    img.SetPicture(TPicture::fromBitmap(noiseImage(60, 30, 4)));
    EXPECT_EQ(img.size(), QSize(67, 67)); // MaxSize with UniqueSize
    img.SetUniqueSize(false);
    EXPECT_EQ(img.size(), QSize(60, 30));
    img.SetAngle(90);
    EXPECT_EQ(img.size(), QSize(30, 60));
    EXPECT_EQ(img.pos(), QPoint(7, 9));
}

TEST(RotImg, CanvasDrawsOnTheBitmap) {
    TRotateImage img;
    img.resize(40, 30);
    {
        auto canvas = img.Canvas(); // no picture yet: a white bitmap of the control's size
        EXPECT_EQ(canvas->width(), 40);
        EXPECT_EQ(canvas->height(), 30);
        canvas->fillRect(0, 0, 10, 10, gfx::rgb(0, 0, 255));
    }
    // The turned bitmap was rebuilt from the drawing.
    ASSERT_EQ(img.RotatedBitmap().size(), QSize(40, 30));
    EXPECT_EQ(img.RotatedBitmap().pixel(5, 5), qRgb(0, 0, 255));
    img.SetAngle(180);
    EXPECT_EQ(img.RotatedBitmap().pixel(34, 24), qRgb(0, 0, 255));
    img.Canvas()->fillRect(30, 20, 40, 30, gfx::rgb(255, 0, 0));
    EXPECT_EQ(img.RotatedBitmap().pixel(5, 5), qRgb(255, 0, 0));
}

TEST(RotImg, CanvasOfAnotherGraphicIsRefused) {
    TRotateImage img;
    QPicture drawing;
    {
        QPainter p(&drawing);
        p.fillRect(0, 0, 20, 10, Qt::red);
    }
    img.SetColor(gfx::rgb(1, 2, 3));
    img.SetPicture(TPicture::fromDrawing(drawing));
    // A bitmap of the drawing, on the control's colour, was made and turned.
    EXPECT_EQ(img.RotatedBitmap().size(), img.Picture().size());
    EXPECT_EQ(img.RotatedBitmap().pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_TRUE(img.RotatedTransparent());
    EXPECT_EQ(img.RotatedTransparentColor(), gfx::rgb(1, 2, 3));
    try {
        img.Canvas();
        FAIL() << "no error";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "Can only modify an image if it contains a bitmap");
    }
}

TEST(RotImg, RotatedPointOfTheControl) {
    TRotateImage img;
    QImage pic = noiseImage(5, 3, 5);
    img.SetPicture(TPicture::fromBitmap(pic));
    img.SetAngle(90);
    const QPoint p = img.RotatedPoint(QPoint(4, 0));
    EXPECT_EQ(img.RotatedBitmap().pixel(p), pic.pixel(4, 0));
    QPoint corners[2] = {{0, 0}, {4, 2}};
    img.RotatePoints(corners, 1);
    EXPECT_EQ(img.RotatedBitmap().pixel(corners[0]), pic.pixel(0, 0));
    EXPECT_EQ(img.RotatedBitmap().pixel(corners[1]), pic.pixel(4, 2));
}

TEST(RotImg, PaintsOnlyTheTurnedPictureIntoItsParent) {
    GreenParent parent;
    auto* img = new TRotateImage(&parent);
    img->setGeometry(50, 60, 150, 150);
    img->SetCenter(true);
    img->SetPicture(TPicture::fromBitmap(plain(101, 101, qRgb(255, 0, 0))));
    img->SetAngle(45);
    const QImage shot = parent.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint c = img->geometry().center();
    EXPECT_EQ(shot.pixel(c), qRgb(255, 0, 0));
    // The corners of the control lie outside the turned square: the parent shows there,
    // not the turned bitmap's background corners.
    for (QPoint corner : {img->geometry().topLeft(), img->geometry().bottomRight(),
                          img->geometry().topRight(), img->geometry().bottomLeft()})
        EXPECT_EQ(shot.pixel(corner + (c - corner) / 6), qRgb(0, 255, 0));
    // Nothing beyond the control.
    EXPECT_EQ(shot.pixel(45, 135), qRgb(0, 255, 0));
    // Along the diagonals the square reaches about 71 pixels from the centre.
    EXPECT_EQ(shot.pixel(c.x() + 65, c.y()), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(c.x() + 50, c.y() + 50), qRgb(0, 255, 0));
}

TEST(RotImg, TransparentLeavesOutTheBackgroundColour) {
    GreenParent parent;
    auto* img = new TRotateImage(&parent);
    img->setGeometry(10, 10, 60, 60);
    QImage pic = plain(40, 40, qRgb(255, 255, 255));
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 30; ++x)
            pic.setPixel(x, y, qRgb(0, 0, 255));
    img->SetPicture(TPicture::fromBitmap(pic));
    img->SetTransparent(true);
    EXPECT_TRUE(img->Picture().transparent());
    const QImage shot = parent.grab().toImage().convertToFormat(QImage::Format_RGB32);
    // UniqueSize places the 40 x 40 picture in the middle of its 57 x 57 square.
    const QPoint origin = QPoint(10, 10) + img->ImageRect().topLeft();
    EXPECT_EQ(shot.pixel(origin + QPoint(20, 20)), qRgb(0, 0, 255));
    EXPECT_EQ(shot.pixel(origin + QPoint(2, 2)), qRgb(0, 255, 0));
    img->SetTransparent(false);
    const QImage opaque = parent.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(opaque.pixel(origin + QPoint(2, 2)), qRgb(255, 255, 255));
}

TEST(RotImg, LoadingDefersTheRebuild) {
    TRotateImage img;
    int fired = 0;
    img.OnRotation = [&](TRotateImage*) { ++fired; };
    img.SetLoading(true);
    img.SetPicture(TPicture::fromBitmap(noiseImage(10, 6, 6)));
    img.SetAngle(90);
    EXPECT_EQ(fired, 0);
    EXPECT_TRUE(img.RotatedBitmap().isNull());
    img.SetLoading(false);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(img.RotatedBitmap().size(), QSize(6, 10));
}
