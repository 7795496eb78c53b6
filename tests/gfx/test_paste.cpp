// Pasting a clipboard picture: what the clipboard's data offers, and the part of the
// picture that lands on the canvas at any position, also at the ends of the int range.
#include "gfx/Paste.h"

#include <QMimeData>
#include <gtest/gtest.h>

#include <climits>

namespace {

using gfx::ClipboardContent;

// 3 x 2: red, white (transparent when pasted), blue / green, red, blue.
QImage sample() {
    QImage p(3, 2, QImage::Format_RGB32);
    const QRgb rows[2][3] = {{qRgb(255, 0, 0), qRgb(255, 255, 255), qRgb(0, 0, 255)},
                             {qRgb(0, 255, 0), qRgb(255, 0, 0), qRgb(0, 0, 255)}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            p.setPixel(x, y, rows[y][x]);
    return p;
}

TEST(Paste, WhatTheClipboardHolds) {
    EXPECT_EQ(gfx::clipboardPicture(nullptr).content, ClipboardContent::Empty);
    QMimeData nothing;
    EXPECT_EQ(gfx::clipboardPicture(&nothing).content, ClipboardContent::Empty);
    QMimeData text;
    text.setText(QStringLiteral("ei kuva"));
    EXPECT_EQ(gfx::clipboardPicture(&text).content, ClipboardContent::NoPicture);
    QMimeData nullPicture;
    nullPicture.setImageData(QImage());
    EXPECT_EQ(gfx::clipboardPicture(&nullPicture).content, ClipboardContent::NoPicture);
    QMimeData picture;
    picture.setImageData(sample());
    const gfx::ClipboardPicture found = gfx::clipboardPicture(&picture);
    EXPECT_EQ(found.content, ClipboardContent::Picture);
    EXPECT_EQ(found.picture.size(), QSize(3, 2));
}

TEST(Paste, OnlyThePartOnTheCanvasIsDrawn) {
    struct Case {
        int X, Y;
        QRect drawn;
    };
    for (const Case& c : {
             Case{1, 1, QRect(1, 1, 3, 2)},
             Case{-1, 0, QRect(0, 0, 2, 2)},
             Case{4, 3, QRect(4, 3, 1, 1)},
             Case{5, 0, QRect()},
             Case{0, -2, QRect()},
             // Far positions, whose far corner lies beyond the int range, where a QRect of
             // the picture's place would overflow.
             Case{INT_MAX, INT_MAX, QRect()},
             Case{INT_MAX - 1, 0, QRect()},
             Case{INT_MIN, INT_MIN, QRect()},
             Case{INT_MIN, 0, QRect()},
         }) {
        gfx::Canvas canvas(5, 4, gfx::Black);
        const QRect drawn = gfx::pastePicture(canvas, sample(), c.X, c.Y);
        EXPECT_EQ(drawn, c.drawn) << c.X << "," << c.Y;
        const QImage picture = sample();
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) {
                const bool inside = drawn.contains(x, y);
                const QRgb source =
                    inside ? picture.pixel(int(qint64(x) - c.X), int(qint64(y) - c.Y)) : 0;
                const bool shows = inside && source != qRgb(255, 255, 255);
                EXPECT_EQ(canvas.image().pixel(x, y), shows ? source : qRgb(0, 0, 0))
                    << c.X << "," << c.Y << " at " << x << "," << y;
            }
    }
}

} // namespace
