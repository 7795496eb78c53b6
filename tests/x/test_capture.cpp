// Reading the screen on a real X server: the test's own client paints the root window, and
// every capture must show exactly that, with the parts off the screen black.
#include "platform/Platform.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr QRect Filled(200, 100, 120, 80);

// A pattern that differs from pixel to pixel, so that a picture read from the wrong place
// shows. Its top byte is not 0xFF, so that a padding byte left as the server keeps it shows
// too.
quint32 patternAt(int x, int y) {
    return 0x5a000000u | quint32((x * 3) & 0xff) << 16 | quint32((y * 5) & 0xff) << 8 |
           quint32((x ^ y) & 0xff);
}

std::string hex(quint32 word) {
    return QString::number(word, 16).toStdString();
}

// Compares all 32 bits of each pixel: QImage's == leaves out the top byte of Format_RGB32.
testing::AssertionResult sameWords(const QImage& actual, const QImage& expected) {
    if (actual.format() != expected.format() || actual.size() != expected.size())
        return testing::AssertionFailure()
               << "format " << actual.format() << " size " << actual.width() << "x"
               << actual.height() << ", expected format " << expected.format() << " size "
               << expected.width() << "x" << expected.height();
    for (int y = 0; y < actual.height(); ++y) {
        const auto* a = reinterpret_cast<const quint32*>(actual.constScanLine(y));
        const auto* e = reinterpret_cast<const quint32*>(expected.constScanLine(y));
        for (int x = 0; x < actual.width(); ++x)
            if (a[x] != e[x])
                return testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is 0x"
                                                   << hex(a[x]) << ", expected 0x" << hex(e[x]);
    }
    return testing::AssertionSuccess();
}

class XCapture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        int number = 0;
        c = xcb_connect(nullptr, &number);
        if (xcb_connection_has_error(c)) return;
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
        for (; number > 0 && it.rem > 1; --number)
            xcb_screen_next(&it);
        screen = it.data;
        if (screen->root_depth != 24) return;
        gc = xcb_generate_id(c);
        xcb_create_gc(c, gc, screen->root, 0, nullptr);
    }
    static void TearDownTestSuite() {
        if (gc) xcb_free_gc(c, gc);
        xcb_disconnect(c);
        c = nullptr;
        screen = nullptr;
        gc = 0;
    }
    void SetUp() override {
        ASSERT_FALSE(xcb_connection_has_error(c)) << "no X server";
        ASSERT_TRUE(gc) << "the X screen is not of depth 24";
        // Each test paints the screen afresh, whatever the one before left.
        paintPattern();
        fill(Filled, 0x336699);
        sync();
    }

    static int width() { return screen->width_in_pixels; }
    static int height() { return screen->height_in_pixels; }

    // The pattern over the whole root window, a band of rows per request.
    static void paintPattern() {
        constexpr int Rows = 32;
        std::vector<quint32> band;
        for (int top = 0; top < height(); top += Rows) {
            const int rows = std::min(Rows, height() - top);
            band.resize(std::size_t(width()) * std::size_t(rows));
            for (int y = 0; y < rows; ++y)
                for (int x = 0; x < width(); ++x)
                    band[std::size_t(y) * std::size_t(width()) + std::size_t(x)] =
                        patternAt(x, top + y);
            xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, gc, quint16(width()),
                          quint16(rows), 0, qint16(top), 0, 24, quint32(band.size() * 4),
                          reinterpret_cast<const uint8_t*>(band.data()));
        }
        shown = QImage(width(), height(), QImage::Format_RGB32);
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                shown.setPixel(x, y, 0xff000000u | patternAt(x, y));
    }

    static void fill(const QRect& r, quint32 rgb) {
        xcb_change_gc(c, gc, XCB_GC_FOREGROUND, &rgb);
        const xcb_rectangle_t rect{qint16(r.x()), qint16(r.y()), quint16(r.width()),
                                   quint16(r.height())};
        xcb_poly_fill_rectangle(c, screen->root, gc, 1, &rect);
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                shown.setPixel(x, y, 0xff000000u | rgb);
    }

    // Returns once the server has done all that this client asked.
    static void sync() { std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); }

    // What a capture of `rect` should hold: the painted screen, black off it.
    static QImage expectedFor(const QRect& rect) {
        QImage expected(rect.size(), QImage::Format_RGB32);
        expected.fill(Qt::black);
        for (int y = 0; y < rect.height(); ++y)
            for (int x = 0; x < rect.width(); ++x)
                if (shown.rect().contains(rect.topLeft() + QPoint(x, y)))
                    expected.setPixel(x, y, shown.pixel(rect.topLeft() + QPoint(x, y)));
        return expected;
    }

    static inline xcb_connection_t* c = nullptr;
    static inline const xcb_screen_t* screen = nullptr;
    static inline xcb_gcontext_t gc = 0;
    static inline QImage shown;
};

TEST_F(XCapture, EveryWayShowsThePaintedScreen) {
    struct Case {
        const char* name;
        QRect rect;
    };
    for (const Case& k : {
             Case{"inside", QRect(10, 20, 30, 40)},
             Case{"the whole screen", QRect(0, 0, 640, 480)},
             Case{"the filled rectangle and its edge", Filled.adjusted(-1, -1, 1, 1)},
             Case{"the last pixel", QRect(639, 479, 1, 1)},
             Case{"off at the right and bottom", QRect(600, 450, 100, 80)},
             Case{"off at the left and top", QRect(-15, -7, 40, 30)},
             Case{"larger than the screen", QRect(-5, -5, 650, 490)},
             Case{"wholly off", QRect(700, 500, 10, 10)},
         }) {
        SCOPED_TRACE(k.name);
        const QImage expected = expectedFor(k.rect);
        const QImage x11 = platform::captureScreenWithX11(k.rect);
        ASSERT_FALSE(x11.isNull()) << "the X server's way must take a screen of depth 24";
        EXPECT_TRUE(sameWords(x11, expected));
        EXPECT_TRUE(sameWords(platform::captureScreen(k.rect), expected));
        EXPECT_TRUE(sameWords(platform::captureScreenWithQt(k.rect), expected));
    }
    EXPECT_TRUE(platform::captureScreen(QRect()).isNull());
    EXPECT_TRUE(platform::captureScreenWithX11(QRect(5, 5, 0, 10)).isNull());
}

TEST_F(XCapture, FilledRectangleIsItsColour) {
    const QImage image = platform::captureScreen(Filled);
    ASSERT_EQ(image.size(), Filled.size());
    int others = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            others += image.pixel(x, y) != 0xff336699u;
    EXPECT_EQ(others, 0);
}

// A picture of the whole screen keeps what it read: neither a later capture nor painting on
// the screen or on another picture changes it.
TEST_F(XCapture, EachPictureIsItsOwn) {
    const QRect all(0, 0, width(), height());
    const QImage before = platform::captureScreen(all);
    const QImage expectedBefore = expectedFor(all);
    fill(Filled, 0xcc2211);
    sync();
    QImage after = platform::captureScreen(all);
    EXPECT_TRUE(sameWords(after, expectedFor(all)));
    after.fill(Qt::white);
    EXPECT_TRUE(sameWords(before, expectedBefore));
}

} // namespace
