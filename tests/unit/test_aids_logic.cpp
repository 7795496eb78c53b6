// Rules of the drawing aids: the width grid, the sixteen colours, the grid behind the
// surface and the colour key of see-through windows.
#include "aids/AidsLogic.h"

#include <QImage>
#include <gtest/gtest.h>

TEST(PenWidthGrid, NumbersRunRowByRowFiveToARow) {
    struct Case {
        int n;
        GridCell cell;
    };
    const Case cases[] = {{1, {0, 0}},  {5, {4, 0}},  {6, {0, 1}}, {7, {1, 1}},
                          {13, {2, 2}}, {26, {0, 5}}, {30, {4, 5}}};
    for (const Case& c : cases) {
        const std::optional<GridCell> cell = penWidthCell(c.n);
        ASSERT_TRUE(cell.has_value()) << c.n;
        EXPECT_EQ(*cell, c.cell) << c.n;
    }
}

TEST(PenWidthGrid, EveryCellShowsTheNumberThatLeadsToIt) {
    for (int n = 1; n <= 30; ++n)
        EXPECT_EQ(penWidthAt(*penWidthCell(n)), n);
}

TEST(PenWidthGrid, NumbersOutsideOneToThirtyHaveNoCell) {
    for (int n : {-1, 0, 31, 100})
        EXPECT_FALSE(penWidthCell(n).has_value()) << n;
}

TEST(ColorGrid, SixteenColoursByColumnAndRow) {
    struct Case {
        int col, row, r, g, b;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0},       {1, 0, 128, 0, 0},   {2, 0, 0, 128, 0},   {3, 0, 128, 128, 0},
        {0, 1, 0, 0, 128},     {1, 1, 128, 0, 128}, {2, 1, 0, 128, 128}, {3, 1, 192, 192, 192},
        {0, 2, 128, 128, 128}, {1, 2, 255, 0, 0},   {2, 2, 0, 255, 0},   {3, 2, 255, 255, 0},
        {0, 3, 0, 0, 255},     {1, 3, 255, 0, 255}, {2, 3, 0, 255, 255}, {3, 3, 255, 255, 255},
    };
    for (const Case& c : cases) {
        const gfx::Color got = CellColor(c.col, c.row);
        EXPECT_EQ(got, gfx::rgb(c.r, c.g, c.b)) << c.col << "," << c.row;
    }
    // Red lies in the lowest byte.
    EXPECT_EQ(CellColor(1, 2), 0x0000FFu);
    EXPECT_EQ(CellColor(0, 3), 0xFF0000u);
}

TEST(ColorGrid, PointFindsItsCell) {
    struct Case {
        int x, y;
        GridCell cell;
    };
    const Case cases[] = {
        {0, 0, {0, 0}},   {23, 23, {0, 0}},  {24, 25, {0, 0}}, // the lines after a cell
        {26, 0, {1, 0}},  {0, 26, {0, 1}},   {103, 103, {3, 3}},
        {60, 80, {2, 3}}, {500, -4, {3, 0}}, {-1, 500, {0, 3}}, // beyond the grid
    };
    for (const Case& c : cases)
        EXPECT_EQ(colorCellAt(c.x, c.y), c.cell) << c.x << "," << c.y;
}

TEST(ColorGrid, CellsLeaveTwoPixelLinesBetweenThem) {
    EXPECT_EQ(colorCellRect({0, 0}), QRect(0, 0, 24, 24));
    EXPECT_EQ(colorCellRect({3, 1}), QRect(78, 26, 24, 24));
}

TEST(BackGrid, LinesCoverTheLineWidthJustBeforeEachMultipleOfThePitch) {
    EXPECT_EQ(gridPitch(40, 3), 43);
    const std::vector<QRect> lines = gridLineRects(QSize(200, 100), 40, 3);
    const std::vector<QRect> expected = {
        QRect(40, 0, 3, 100),  QRect(83, 0, 3, 100),
        QRect(126, 0, 3, 100), QRect(169, 0, 3, 100), // vertical
        QRect(0, 40, 200, 3),  QRect(0, 83, 200, 3),  // horizontal
    };
    EXPECT_EQ(lines, expected);
}

TEST(BackGrid, LineCountFollowsTheScreenAndTheGridsSize) {
    auto count = [](QSize area, int cell, int line) {
        int vertical = 0, horizontal = 0;
        for (const QRect& r : gridLineRects(area, cell, line))
            ++(r.height() == area.height() ? vertical : horizontal);
        return std::pair{vertical, horizontal};
    };
    // 44 × 43 − 3 = 1889 is the last line start left of 1920; 25 × 43 − 3 = 1072 of 1080.
    EXPECT_EQ(count(QSize(1920, 1080), 40, 3), std::pair(44, 25));
    // A line that starts on the last pixel still shows.
    EXPECT_EQ(count(QSize(43, 41), 40, 3), std::pair(1, 1));
    EXPECT_EQ(count(QSize(40, 40), 40, 3), std::pair(0, 0));
    // The grid has 399 shown columns and 400 rows, whatever the screen.
    EXPECT_EQ(count(QSize(3000, 3000), 6, 1), std::pair(399, 400));
}

TEST(BackGrid, RegionHoldsExactlyTheLinePixels) {
    for (auto [cell, line] : {std::pair(40, 3), std::pair(6, 1), std::pair(7, 9)}) {
        const QSize area(301, 187);
        QRegion expected;
        for (const QRect& r : gridLineRects(area, cell, line))
            expected += r;
        EXPECT_EQ(gridRegion(area, cell, line), expected) << cell << "/" << line;
    }
    const QRegion r = gridRegion(QSize(200, 100), 40, 3);
    EXPECT_TRUE(r.contains(QPoint(40, 10)));
    EXPECT_TRUE(r.contains(QPoint(42, 10)));
    EXPECT_FALSE(r.contains(QPoint(39, 10)));
    EXPECT_FALSE(r.contains(QPoint(43, 10)));
    EXPECT_TRUE(r.contains(QPoint(10, 41)));
}

TEST(ColourKey, NothingDrawnGivesAMaskOutsideTheWindow) {
    const QRegion empty = keyedMask(QRegion());
    EXPECT_FALSE(empty.isEmpty()); // an empty mask would switch masking off
    EXPECT_FALSE(empty.intersects(QRect(0, 0, 10000, 10000)));
    const QRegion drawn(5, 6, 7, 8);
    EXPECT_EQ(keyedMask(drawn), drawn);
}

TEST(ColourKey, OnlyExactWhiteIsKeyedOut) {
    QImage img(10, 8, QImage::Format_RGB32);
    img.fill(Qt::white);
    img.setPixel(2, 3, qRgb(0, 0, 0));
    img.setPixel(9, 7, qRgb(254, 255, 255));
    img.setPixel(0, 0, qRgb(255, 255, 254));
    QRegion expected;
    expected += QRect(2, 3, 1, 1);
    expected += QRect(9, 7, 1, 1);
    expected += QRect(0, 0, 1, 1);
    EXPECT_EQ(nonWhiteRegion(img), expected);

    QImage white(4, 4, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_TRUE(nonWhiteRegion(white).isEmpty());
    EXPECT_TRUE(nonWhiteRegion(QImage()).isEmpty());
}

TEST(ReadOutPlacement, BesideThePaletteLevelWithItsBottom) {
    // Palette 38 wide at the right edge, 400..1050; read-out 254x70.
    EXPECT_EQ(displayPosition(1920, QRect(1882, 400, 38, 650), QSize(254, 70)), QPoint(1628, 980));
    // The rule takes the palette's width, not its place.
    EXPECT_EQ(displayPosition(1920, QRect(0, 0, 40, 100), QSize(200, 50)), QPoint(1680, 50));
}

TEST(MagnifierPlacement, BesidePointerKeptOnTheScreen) {
    struct Case {
        QPoint pointer;
        QPoint expected;
    };
    const QSize zoomer(390, 215);
    const Case cases[] = {
        {{10, 500}, {0, 205}},      // near the left edge: flush with it, above the pointer
        {{1000, 100}, {805, 180}},  // no room above: below the pointer
        {{389, 400}, {0, 105}},     // still nearer the left edge than the window's width
        {{390, 400}, {195, 105}},   // centred from the window's width on
        {{1530, 295}, {1335, 0}},   // room exactly above
        {{1531, 294}, {1530, 374}}, // right edge: flush with it
        {{1919, 1079}, {1530, 784}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(zoomerPosition(c.pointer, zoomer, 1920), c.expected)
            << c.pointer.x() << "," << c.pointer.y();
}

TEST(MagnifierPlacement, SourceIsHalfTheClientCentredOnThePointer) {
    EXPECT_EQ(zoomerSource(QPoint(1000, 500), QSize(390, 215)), QRect(903, 447, 194, 106));
    // Near the screen's corner the part reaches off the screen.
    EXPECT_EQ(zoomerSource(QPoint(0, 0), QSize(390, 215)), QRect(-97, -53, 194, 106));
}
