// Every shape drawn by press, drag and release on the surface: the final pixels where the
// geometry puts them, nothing left of the rubber bands, and repaints kept to what changed.
#include "test_drawing_fixture.h"

#include "aids/Display.h"
#include "aids/RadioGroup.h"
#include "app/Panel.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <QSpinBox>

namespace {

using Drawing = DrawingTest;

struct Pen {
    const char* name;
    int width;
    bool dash;
    bool fill;
};

struct Shape {
    const char* name;
    QToolButton* TTools::*button;
    QPoint from, to, far;
    Qt::KeyboardModifiers keys = {};
};

TEST_F(Drawing, ManyMovesLeaveOnlyTheFinalShape) {
    const Pen pens[] = {
        {"thin", 1, false, false}, {"dashed", 7, true, false}, {"filled", 5, false, true}};
    const Shape shapes[] = {
        {"line", &TTools::DoLine, {300, 300}, {500, 420}, {900, 700}},
        {"line held", &TTools::DoLine, {300, 300}, {500, 420}, {900, 700}, Qt::ShiftModifier},
        {"free line held", &TTools::DoCurve, {300, 300}, {500, 420}, {900, 700}, Qt::ShiftModifier},
        {"rectangle", &TTools::DoRect, {300, 300}, {520, 430}, {50, 60}},
        {"rounded rectangle", &TTools::DoRoundRect, {300, 300}, {520, 430}, {800, 90}},
        {"ellipse", &TTools::DoEllipse, {300, 300}, {520, 430}, {40, 900}},
        {"circle", &TTools::DoCircle, {500, 500}, {560, 580}, {900, 800}},
        {"polygon on a side", &TTools::DoPolygon, {400, 400}, {480, 420}, {700, 300}},
        {"polygon around a centre", &TTools::DoPolygonCenter, {500, 500}, {560, 570}, {900, 520}},
        {"axes", &TTools::DoAxes, {600, 500}, {700, 560}, {1100, 900}},
    };
    tools->MenuRadius->setChecked(true);
    tools->MenuCircle->setChecked(true);
    for (const Pen& pen : pens) {
        for (const Shape& s : shapes) {
            SCOPED_TRACE(std::string(s.name) + ", " + pen.name);
            choose(tools->*s.button);
            palette->LinePenWidth = pen.width;
            if (tools->Dash->isChecked() != pen.dash) tools->Dash->click();
            if (tools->Fill->isChecked() != pen.fill) tools->Fill->click();

            // Released a little beside the last move: no rubber band may stay there.
            const QPoint last = s.to + QPoint(6, 4);
            clearSurface();
            press(s.from, s.keys);
            for (const QPoint& p : wander(s.from, last, s.far))
                move(p, s.keys);
            release(s.to, s.keys);
            const QImage wandered = surface().copy();
            // The boxes and the free line end where they were last shown, the others where
            // the button goes up.
            const bool endsAtLastMove = s.button == &TTools::DoRect ||
                                        s.button == &TTools::DoRoundRect ||
                                        s.button == &TTools::DoCurve;
            const QPoint end = endsAtLastMove ? last : s.to;
            clearSurface();
            press(s.from, s.keys);
            move(end, s.keys);
            release(end, s.keys);
            const QImage direct = surface().copy();
            EXPECT_GT(inkCount(direct), 20);
            EXPECT_EQ(wandered, direct);
        }
    }
}

TEST_F(Drawing, AxesShrinkingLeaveNoLabelsOfTheirLargerSize) {
    choose(tools->DoAxes);
    // The drag reaches far, then comes back close: only the small axes' labels remain.
    press({400, 300});
    for (int x = 420; x <= 1200; x += 40)
        move({x, 300 + (x - 400) / 2});
    move({520, 380});
    const QImage beforeRelease = surface().copy();
    release({520, 380});
    const QImage dragged = surface().copy();
    clearSurface();
    drag({400, 300}, {{520, 380}});
    EXPECT_EQ(dragged, surface());
    // Also while the stroke ran, the far labels were gone: far out there is nothing.
    EXPECT_EQ(inkCount(beforeRelease.copy(700, 0, 1220, 1080)), 0);
}

TEST_F(Drawing, LineEndsAndArrowHeads) {
    choose(tools->DoLine);
    drag({100, 100}, {{150, 60}, {200, 0}});
    EXPECT_TRUE(painted(100, 100));
    EXPECT_TRUE(painted(150, 50));
    EXPECT_FALSE(painted(200, 0)) << "a thin line leaves out its end";

    clearSurface();
    tools->ArrowRight->click();
    tools->ArrowLeft->click();
    drag({100, 300}, {{300, 300}});
    EXPECT_TRUE(painted(200, 300));
    // Barbs at the end point back from (300, 300) to (290, 310) and (290, 290) ...
    EXPECT_TRUE(painted(295, 305));
    EXPECT_TRUE(painted(295, 295));
    EXPECT_TRUE(painted(291, 309));
    // ... and at the start from (100, 300) to (110, 310) and (110, 290).
    EXPECT_TRUE(painted(105, 305));
    EXPECT_TRUE(painted(105, 295));
    EXPECT_FALSE(painted(295, 300 + 8));

    clearSurface();
    // Held to a direction, the line goes to the constrained point.
    tools->ArrowRight->click();
    tools->ArrowLeft->click();
    drag({100, 100}, {{200, 130}}, Qt::ShiftModifier);
    EXPECT_TRUE(painted(199, 100));
    EXPECT_FALSE(painted(150, 115));
}

TEST_F(Drawing, BoxesFromAnyCornerNormalised) {
    choose(tools->DoRect);
    drag({200, 200}, {{150, 170}, {100, 150}});
    EXPECT_EQ(f->Xa, 100);
    EXPECT_EQ(f->Ya, 150);
    EXPECT_EQ(f->Xm, 200);
    EXPECT_EQ(f->Ym, 200);
    for (QPoint p : {QPoint(100, 150), QPoint(199, 150), QPoint(100, 199), QPoint(199, 199),
                     QPoint(150, 150), QPoint(100, 175)})
        EXPECT_TRUE(painted(p.x(), p.y())) << p.x() << "," << p.y();
    for (QPoint p : {QPoint(200, 200), QPoint(150, 200), QPoint(150, 175), QPoint(99, 150)})
        EXPECT_FALSE(painted(p.x(), p.y())) << p.x() << "," << p.y();

    // The rectangle ends at the last point it was shown at: a move level with the anchor
    // shows nothing new.
    clearSurface();
    drag({300, 300}, {{400, 380}, {400, 300}});
    EXPECT_TRUE(painted(399, 379));
    EXPECT_TRUE(painted(350, 379));

    clearSurface();
    choose(tools->DoRoundRect);
    drag({100, 100}, {{200, 180}});
    EXPECT_FALSE(painted(100, 100)) << "rounded corner";
    EXPECT_TRUE(painted(110, 100));
    EXPECT_TRUE(painted(100, 110));
    EXPECT_TRUE(painted(199, 150));
}

TEST_F(Drawing, EllipseCircleAndDot) {
    choose(tools->DoEllipse);
    drag({100, 100}, {{301, 201}});
    EXPECT_TRUE(painted(100, 150));
    EXPECT_TRUE(painted(300, 150));
    EXPECT_TRUE(painted(200, 100));
    EXPECT_FALSE(painted(101, 101));
    EXPECT_FALSE(painted(200, 150));

    clearSurface();
    choose(tools->DoCircle);
    // Radius 50: the box (350, 350)-(450, 450).
    drag({400, 400}, {{415, 420}, {430, 440}});
    for (QPoint p : {QPoint(350, 400), QPoint(449, 400), QPoint(400, 350), QPoint(400, 449)})
        EXPECT_TRUE(painted(p.x(), p.y())) << p.x() << "," << p.y();
    EXPECT_FALSE(painted(400, 400));
    EXPECT_FALSE(painted(450, 400));
    EXPECT_EQ(f->MinX, 350);
    EXPECT_EQ(f->MaxX, 450);
    EXPECT_EQ(f->MinY, 350);
    EXPECT_EQ(f->MaxY, 450);

    clearSurface();
    choose(tools->DoDot);
    palette->DotPenWidth = 10;
    palette->DotPenColor = gfx::rgb(0, 0, 200);
    drag({600, 600}, {{640, 650}});
    EXPECT_EQ(at(600, 600), gfx::rgb(0, 0, 200));
    EXPECT_EQ(at(603, 600), gfx::rgb(0, 0, 200));
    EXPECT_FALSE(painted(609, 600));
    EXPECT_FALSE(painted(640, 650)) << "a dot has nothing at the release point";
}

TEST_F(Drawing, FillsOfClosedShapesInTheCurrentColour) {
    const gfx::Color red = gfx::rgb(200, 0, 0);
    palette->LinePenColor = red;
    palette->PaletteColor = red;
    tools->Fill->click();
    struct Case {
        QToolButton* TTools::*button;
        QPoint from, to, inside, outside;
    };
    const Case cases[] = {
        {&TTools::DoRect, {100, 100}, {200, 180}, {150, 140}, {210, 140}},
        {&TTools::DoRoundRect, {100, 100}, {200, 180}, {150, 140}, {210, 140}},
        {&TTools::DoEllipse, {100, 100}, {200, 180}, {150, 140}, {105, 105}},
        {&TTools::DoCircle, {150, 150}, {150, 200}, {150, 150}, {150, 205}},
        {&TTools::DoPolygon, {100, 200}, {200, 200}, {150, 150}, {150, 210}},
        {&TTools::DoPolygonCenter, {150, 150}, {150, 200}, {150, 150}, {150, 205}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((tools->*c.button)->objectName().toStdString());
        clearSurface();
        choose(tools->*c.button);
        drag(c.from, {c.to});
        EXPECT_EQ(at(c.inside.x(), c.inside.y()), red);
        EXPECT_EQ(at(c.outside.x(), c.outside.y()), gfx::White);
    }
}

TEST_F(Drawing, GradientsRunFromTheColourPanelToWhite) {
    const gfx::Color blue = gfx::rgb(0, 0, 255);
    palette->LinePenColor = blue;
    palette->PaletteColor = blue;
    choose(tools->DoRect);
    tools->Fill->click();
    // "Vasen>Oikea": the colour at the left edge turning to white to the right.
    tools->Gradient->setItemIndex(3);
    drag({100, 100}, {{301, 200}});
    EXPECT_EQ(at(100, 150), blue);
    EXPECT_LE(gfx::red(at(101, 150)), 3);
    EXPECT_GT(gfx::red(at(290, 150)), 230);
    EXPECT_LT(gfx::red(at(150, 150)), gfx::red(at(250, 150)));
    EXPECT_EQ(at(200, 120), at(200, 180)) << "columns are plain";

    clearSurface();
    tools->Gradient->setItemIndex(2); // "Ala>Ylä": white at the top, the colour at the bottom
    drag({100, 100}, {{300, 301}});
    EXPECT_GT(gfx::red(at(150, 105)), 240);
    EXPECT_LT(gfx::red(at(150, 295)), 10);

    clearSurface();
    choose(tools->DoCircle);
    tools->Gradient->setItemIndex(1); // "Keskelle": white in the middle, the colour at the rim
    drag({400, 400}, {{400, 500}});
    EXPECT_GT(gfx::red(at(401, 400)), 240);
    EXPECT_LT(gfx::red(at(400, 303)), 15);
    EXPECT_EQ(at(400, 290), gfx::White);
}

TEST_F(Drawing, PolygonsWithSectorLinesAndTheirCircle) {
    choose(tools->DoPolygonCenter);
    tools->AngleCount->setValue(4);
    drag({400, 400}, {{400, 450}});
    // Corners (435, 435), (365, 435), (365, 365), (435, 365).
    EXPECT_TRUE(painted(400, 435));
    EXPECT_TRUE(painted(365, 400));
    EXPECT_FALSE(painted(420, 420));
    EXPECT_EQ(QPoint(f->Xka, f->YKa), QPoint(400, 400));
    EXPECT_EQ(f->MinX, 365);
    EXPECT_EQ(f->MaxY, 435);

    clearSurface();
    tools->MenuRadius->setChecked(true);
    tools->MenuCircle->setChecked(true);
    choose(tools->DoPolygon);
    drag({100, 200}, {{200, 200}});
    EXPECT_TRUE(painted(150, 200));
    EXPECT_TRUE(painted(200, 150));
    EXPECT_TRUE(painted(150, 100));
    EXPECT_TRUE(painted(100, 150));
    EXPECT_TRUE(painted(125, 125)) << "a line from a corner to the centre";
    EXPECT_TRUE(painted(150 + 71 - 1, 150)) << "the circle of radius 71";
    EXPECT_EQ(QPoint(f->Xka, f->YKa), QPoint(150, 150));

    // A side of length nought draws nothing and keeps the last centre.
    clearSurface();
    drag({700, 700}, {});
    EXPECT_EQ(inkCount(surface()), 0);
    EXPECT_EQ(QPoint(f->Xka, f->YKa), QPoint(150, 150));
}

TEST_F(Drawing, AxesOnTheGridsPitch) {
    choose(tools->DoAxes);
    palette->LinePenWidth = 3;
    drag({400, 300}, {{300, 250}});
    EXPECT_EQ(QRect(QPoint(f->AxelMinX, f->AxelMinY), QPoint(f->AxelMaxX, f->AxelMaxY)),
              QRect(QPoint(300, 250), QPoint(500, 350)));
    EXPECT_TRUE(painted(320, 300));
    EXPECT_TRUE(painted(400, 330));
    // Ticks two wide at x = 359 and 441 reach from y = 297 to 302.
    EXPECT_TRUE(painted(359, 297));
    EXPECT_TRUE(painted(441, 297));
    EXPECT_FALSE(painted(380, 297));
    // Labels under the ticks; none along the y axis, which is too short for ticks.
    EXPECT_GT(inkCount(surface().copy(345, 304, 28, 16)), 3);
    EXPECT_GT(inkCount(surface().copy(432, 304, 20, 16)), 3);
    EXPECT_EQ(inkCount(surface().copy(360, 265, 37, 30)), 0);
    // The arrow heads at the right and top ends.
    EXPECT_TRUE(painted(495, 305));
    EXPECT_TRUE(painted(405, 255));
}

TEST_F(Drawing, FreeLineFollowsThePointerAndSetsTheBounds) {
    choose(tools->DoCurve);
    drag({100, 100}, {{150, 120}, {200, 100}, {200, 160}});
    EXPECT_TRUE(painted(100, 100));
    EXPECT_TRUE(painted(125, 110));
    EXPECT_TRUE(painted(175, 110));
    EXPECT_TRUE(painted(200, 130));
    EXPECT_EQ(f->MinX, 150);
    EXPECT_EQ(f->MaxX, 200);
    EXPECT_EQ(f->MinY, 100);
    EXPECT_EQ(f->MaxY, 160);
}

TEST_F(Drawing, DashedPenInTheCurrentColour) {
    palette->LinePenColor = gfx::Black;
    palette->PaletteColor = gfx::rgb(0, 150, 0);
    palette->LinePenWidth = 7;
    tools->Dash->click();
    choose(tools->DoLine);
    drag({100, 300}, {{700, 300}});
    EXPECT_EQ(f->Canvas.pen.style, gfx::PenStyle::Dash);
    // Along the line: dashes of the current colour with gaps between them, 12 each at
    // this width, so a run of 24 pixels holds both.
    int ink = 0, gaps = 0;
    for (int x = 120; x < 680; ++x) {
        const gfx::Color c = at(x, 300);
        if (c == gfx::rgb(0, 150, 0))
            ++ink;
        else if (c == gfx::White)
            ++gaps;
        else
            ADD_FAILURE() << "colour " << c << " at " << x;
    }
    EXPECT_GT(ink, 200);
    EXPECT_GT(gaps, 100);
    for (int x = 120; x < 680; x += 24) {
        bool dash = false, gap = false;
        for (int i = 0; i < 24; ++i)
            (at(x + i, 300) == gfx::White ? gap : dash) = true;
        EXPECT_TRUE(dash && gap) << x;
    }
}

TEST_F(Drawing, ReadOutsOfTheShapes) {
    // The angle in radians is written with the locale's decimal separator.
    const QLocale kept;
    QLocale::setDefault(QLocale::c());
    struct Restore {
        QLocale locale;
        ~Restore() { QLocale::setDefault(locale); }
    } restore{kept};
    ws->Display->show();
    QLabel* value = ws->Display->Value;
    // No stroke: the pointer and the colour under it.
    move({120, 45}, {}, Qt::NoButton);
    EXPECT_EQ(value->text(), QStringLiteral("(120,45)\n255 255 255"));

    choose(tools->DoLine);
    press({100, 100});
    move({200, 0});
    EXPECT_EQ(value->text(), QStringLiteral("(200,0) kulma on 45 astetta, 0.79 rad"));
    release({200, 0});

    choose(tools->DoCircle);
    press({100, 100});
    move({130, 140});
    EXPECT_EQ(value->text(), QStringLiteral("(130,140) säde on 50 px"));
    release({130, 140});

    choose(tools->DoRect);
    press({100, 100});
    move({40, 130});
    EXPECT_EQ(value->text(), QStringLiteral("(40,130) -60*30"));
    release({40, 130});

    choose(tools->DoAxes);
    press({400, 300});
    move({300, 250});
    EXPECT_EQ(value->text(), QStringLiteral("(500,350) -2*-1"));
    release({300, 250});

    choose(tools->DoCurve);
    press({100, 100});
    move({150, 130});
    move({120, 90});
    EXPECT_EQ(value->text(), QStringLiteral("120 150 90 130"));
    release({120, 90});
    // Over what was drawn, the colour under the pointer.
    move({135, 110}, {}, Qt::NoButton);
    EXPECT_EQ(value->text(), QStringLiteral("(135,110)\n0 0 0"));
}

TEST_F(Drawing, EachMoveRepaintsOnlyWhatChanged) {
    struct Case {
        QToolButton* TTools::*button;
        QPoint anchor, first, second;
    };
    const Case cases[] = {
        {&TTools::DoRect, {300, 200}, {1300, 900}, {1310, 905}},
        {&TTools::DoEllipse, {300, 200}, {1300, 900}, {1310, 905}},
        {&TTools::DoPolygonCenter, {900, 540}, {900, 1000}, {910, 1005}},
        {&TTools::DoAxes, {900, 540}, {1400, 900}, {1420, 920}},
        {&TTools::DoLine, {100, 100}, {1800, 1000}, {1790, 1010}},
    };
    tools->AngleCount->setValue(12);
    palette->LinePenWidth = 5;
    for (const Case& c : cases) {
        SCOPED_TRACE((tools->*c.button)->objectName().toStdString());
        choose(tools->*c.button);
        press(c.anchor);
        move(c.first);
        QApplication::processEvents();
        f->takePaintedRegion();
        const QImage before = surface().copy();
        move(c.second);
        QApplication::processEvents();
        const QRegion painted = f->takePaintedRegion();
        const QImage after = surface();
        int changed = 0, outside = 0;
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                if (before.pixel(x, y) != after.pixel(x, y)) {
                    ++changed;
                    outside += !painted.contains(QPoint(x, y));
                }
        EXPECT_GT(changed, 100);
        EXPECT_EQ(outside, 0);
        qint64 area = 0;
        for (const QRect& r : painted)
            area += qint64(r.width()) * r.height();
        EXPECT_LT(area, 1920 * 1080 / 8) << "not the whole screen, nor the figure's box";
        release(c.second);
    }
}

// While a stroke runs the surface keeps at most five screen-sized pictures: the drawing,
// the work picture and the three snapshots; the cutting mask only while cutting.
TEST_F(Drawing, AStrokeKeepsAtMostFiveScreenPictures) {
    auto screenPictures = [&] {
        QSet<const uchar*> pixels;
        for (const gfx::Canvas* c : {&f->Canvas, &f->Image1, &f->Arc1Image, &f->Arc2Image,
                                     &f->Arc3Image, &f->Kopio, &f->CopyImage, &f->ZoomBitmap})
            if (c->image().size() == QSize(1920, 1080)) pixels.insert(c->image().constBits());
        return pixels.size();
    };
    choose(tools->DoAxes);
    for (int n = 0; n < 5; ++n) {
        press({400 + 10 * n, 300});
        for (int i = 1; i <= 10; ++i)
            move({400 + 30 * i, 300 + 20 * i});
        EXPECT_LE(screenPictures(), 5u) << n;
        EXPECT_TRUE(f->Kopio.isEmpty());
        release({700, 500});
    }
    palette->Scissors->click();
    choose(tools->DoEllipse);
    press({300, 300});
    move({500, 400});
    EXPECT_FALSE(f->Kopio.isEmpty());
    EXPECT_LE(screenPictures(), 6u);
    release({500, 400});
    f->PopupMenu->close();
    palette->Scissors->click();
    choose(tools->DoRect);
    drag({100, 100}, {{200, 200}});
    EXPECT_TRUE(f->Kopio.isEmpty()) << "the mask goes with the next stroke that does not cut";
}

} // namespace
