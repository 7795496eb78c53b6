// The surface's modes around the shapes: grid snapping, cutting outlines and the cut-out
// menu, the right button, undo by Ctrl+Z, text, colour pick, erasers, area fill, the aids
// that a move hides or moves, and the grid window passing its events on.
#include "test_drawing_fixture.h"

#include "aids/AddIns.h"
#include "aids/Back.h"
#include "aids/ColorsForm.h"
#include "aids/Numbers.h"
#include "aids/OptionsForm.h"
#include "aids/Zoomer.h"
#include "app/Errors.h"
#include "platform/Platform.h"
#include "text/FormText.h"
#include "tools/Oper.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

namespace {

using Modes = DrawingTest;

TEST_F(Modes, SnappingStartsAtTheGridCornerAndMovesThePointerOnlyWhenNear) {
    ws->OptionsForm->SnapToGrid->setChecked(true);
    choose(tools->DoLine);
    struct Case {
        int cw, lw;
        QPoint pressed, start;
        bool moved;
    };
    const Case cases[] = {{40, 1, {100, 100}, {82, 82}, false},
                          {40, 1, {90, 90}, {82, 82}, true},
                          {6, 1, {12, 12}, {14, 7}, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pressed.x());
        ws->Back->Grid->setCellWidth(c.cw);
        ws->Back->Grid->setLineWidth(c.lw);
        platform::setPointerPosition({700, 650});
        press(c.pressed);
        EXPECT_EQ(QPoint(f->Xa, f->Ya), c.start);
        EXPECT_EQ(platform::pointerPosition(), c.moved ? c.start : QPoint(700, 650));
        release({400, 300});
        EXPECT_TRUE(painted(c.start.x(), c.start.y())) << "the line starts at the corner";
        clearSurface();
    }
}

TEST_F(Modes, PolygonalCutClosesNearItsFirstCorner) {
    palette->Scissors->click();
    choose(tools->DoLine);
    palette->LinePenWidth = 9; // the cutting pen is black and one pixel wide whatever
    const QPoint corners[] = {{100, 100}, {300, 100}, {300, 300}};
    for (const QPoint& p : corners) {
        press(p);
        release(p);
        EXPECT_TRUE(f->Drawing) << "the rubber band follows the pointer between the clicks";
    }
    EXPECT_EQ(f->LeCount, 3);
    // The rubber band from the last corner, with no button held, goes at the next click.
    move({250, 350}, {}, Qt::NoButton);
    EXPECT_TRUE(painted(275, 325));
    press({105, 104});
    EXPECT_FALSE(painted(275, 325));
    release({105, 104});

    EXPECT_EQ(f->LeCount, 0);
    EXPECT_EQ(QPoint(f->Xle, f->Yle), QPoint(0, 0));
    EXPECT_FALSE(f->Drawing);
    EXPECT_TRUE(f->PopupMenu->isVisible());
    EXPECT_EQ(f->PopupMenu->pos(), QPoint(300, 104));
    // The outline on the surface and in the mask, one pixel wide.
    for (const QPoint& p : {QPoint(200, 100), QPoint(300, 200), QPoint(100, 100)}) {
        EXPECT_EQ(at(p.x(), p.y()), gfx::Black) << p.x() << "," << p.y();
        EXPECT_EQ(f->Kopio.pixel(p.x(), p.y()), gfx::Black) << p.x() << "," << p.y();
    }
    // The side back towards the first corner, and the short one closing the outline.
    EXPECT_GT(inkCount(f->Kopio.image().copy(110, 110, 180, 180)), 170);
    EXPECT_GT(inkCount(f->Kopio.image().copy(100, 100, 6, 5)), 4);
    EXPECT_EQ(inkCount(f->Kopio.image()), inkCount(surface()));
    EXPECT_FALSE(painted(200, 101));
    EXPECT_EQ(f->Kopio.pixel(250, 150), gfx::White);
    // One snapshot for the whole cut.
    EXPECT_EQ(palette->ImageIndex, 1);
    EXPECT_TRUE(f->Arc2Image.isEmpty());
    f->PopupMenu->close();
}

TEST_F(Modes, PolygonalCutFarFromTheFirstCornerGoesOn) {
    palette->Scissors->click();
    choose(tools->DoLine);
    for (const QPoint& p :
         {QPoint(100, 100), QPoint(300, 100), QPoint(300, 300), QPoint(120, 100)}) {
        press(p);
        release(p);
    }
    EXPECT_EQ(f->LeCount, 4);
    EXPECT_TRUE(f->Drawing);
    EXPECT_FALSE(f->PopupMenu->isVisible());
    EXPECT_EQ(QPoint(f->Xa, f->Ya), QPoint(120, 100));
}

TEST_F(Modes, ShapeOutlinesGoIntoTheMask) {
    palette->Scissors->click();
    choose(tools->DoRect);
    drag({200, 200}, {{150, 170}, {100, 150}});
    for (const QPoint& p : {QPoint(100, 150), QPoint(199, 150), QPoint(100, 199), QPoint(150, 199)})
        EXPECT_EQ(f->Kopio.pixel(p.x(), p.y()), gfx::Black) << p.x() << "," << p.y();
    EXPECT_EQ(f->Kopio.pixel(150, 175), gfx::White);
    EXPECT_EQ(f->Kopio.pixel(200, 200), gfx::White);
    EXPECT_EQ(QRect(QPoint(f->MinX, f->MinY), QPoint(f->MaxX, f->MaxY)),
              QRect(QPoint(100, 150), QPoint(200, 200)));
    EXPECT_EQ(f->MinXRaja, 100 - 1 - 20);
    EXPECT_TRUE(f->PopupMenu->isVisible());
    EXPECT_EQ(f->PopupMenu->pos(), QPoint(200, 150));
    f->PopupMenu->close();

    choose(tools->DoCircle);
    drag({600, 500}, {{630, 540}});
    EXPECT_EQ(f->Kopio.pixel(550, 500), gfx::Black);
    EXPECT_EQ(f->Kopio.pixel(600, 500), gfx::White);
    EXPECT_EQ(f->Kopio.pixel(150, 199), gfx::White) << "a fresh mask for every outline";
    f->PopupMenu->close();
}

TEST_F(Modes, FreeLineCutClosesBackToItsStart) {
    palette->Scissors->click();
    choose(tools->DoCurve);
    drag({300, 300}, {{400, 300}, {400, 400}, {310, 400}});
    // The closing line from the last point back to the first, on the surface and in the mask.
    EXPECT_TRUE(painted(305, 350));
    for (const QPoint& p : {QPoint(350, 300), QPoint(400, 350), QPoint(350, 400), QPoint(305, 350)})
        EXPECT_EQ(f->Kopio.pixel(p.x(), p.y()), gfx::Black) << p.x() << "," << p.y();
    EXPECT_EQ(f->Kopio.pixel(350, 350), gfx::White);
    EXPECT_TRUE(f->PopupMenu->isVisible());
    EXPECT_EQ(f->PopupMenu->pos(), QPoint(400, 400));
    f->PopupMenu->close();
}

TEST_F(Modes, OutlinesTooSmallOrWithoutBoundsAreUndone) {
    palette->Scissors->click();
    struct Case {
        QToolButton* TTools::*button;
        QPoint from, to;
    };
    const Case cases[] = {{&TTools::DoRect, {100, 100}, {102, 300}},
                          {&TTools::DoEllipse, {100, 100}, {400, 103}},
                          {&TTools::DoDot, {100, 100}, {100, 100}},
                          {&TTools::DoAxes, {400, 300}, {600, 500}}};
    for (const Case& c : cases) {
        SCOPED_TRACE((tools->*c.button)->objectName().toStdString());
        choose(tools->*c.button);
        palette->ImageIndex = 1;
        drag(c.from, {c.to});
        EXPECT_EQ(inkCount(surface()), 0);
        EXPECT_FALSE(f->PopupMenu->isVisible());
        EXPECT_EQ(palette->ImageIndex, 0) << "undone as an undo is";
    }
}

TEST_F(Modes, CutOutMenuItemsCloseIt) {
    const QStringList captions{
        "Tallenna", "Kopioi", "Leikkaa", "Poista", "Työkaluksi", "Työkaluksi valikkoon", "Peruuta"};
    QStringList shown;
    for (QAction* a : f->PopupMenu->actions())
        shown << a->text();
    EXPECT_EQ(shown, captions);
    palette->Scissors->click();
    choose(tools->DoEllipse);
    const QImage before = surface().copy();
    drag({300, 300}, {{500, 450}});
    ASSERT_TRUE(f->PopupMenu->isVisible());
    QTest::mouseClick(f->PopupMenu, Qt::LeftButton, {},
                      f->PopupMenu->actionGeometry(f->MenuCopy).center());
    EXPECT_FALSE(f->PopupMenu->isVisible());
    EXPECT_EQ(surface(), before) << "copying takes the outline away and nothing else";
}

TEST_F(Modes, RightButtonClosesToolPropertiesAndItsReleaseOpensItsMenu) {
    ws->Oper->show();
    choose(tools->DoRect);
    f->FormMouseDown(Qt::RightButton, {Qt::RightButton, {}}, 500, 400);
    EXPECT_FALSE(ws->Oper->isVisible());
    EXPECT_FALSE(f->Drawing);
    EXPECT_TRUE(f->Arc1Image.isEmpty()) << "no snapshot";
    f->FormMouseMove({Qt::RightButton, {}}, 560, 450);
    f->FormMouseUp(Qt::RightButton, {Qt::NoButton, {}}, 560, 450);
    EXPECT_EQ(inkCount(surface()), 0);
    ASSERT_TRUE(f->PopupMenuMbRight->isVisible());
    EXPECT_EQ(f->PopupMenuMbRight->pos(), QPoint(560, 450));
    QStringList shown;
    for (QAction* a : f->PopupMenuMbRight->actions())
        shown << a->text();
    EXPECT_EQ(shown, (QStringList{"Liitä", "Zoomaa", "Peruuta"}));
    QTest::mouseClick(f->PopupMenuMbRight, Qt::LeftButton, {},
                      f->PopupMenuMbRight->actionGeometry(f->MenuMbRighCancel).center());
    EXPECT_FALSE(f->PopupMenuMbRight->isVisible());
    EXPECT_EQ(inkCount(surface()), 0);
}

// Undo by Ctrl+Z through the history of three snapshots.
class CtrlZ : public DrawingTest {
protected:
    void stroke(int n) {
        choose(tools->DoRect);
        drag({100 + 40 * n, 100}, {{300 + 40 * n, 200 + 30 * n}});
        pictures.push_back(surface().copy());
    }
    void ctrlZ(QWidget* target) {
        QTest::keyPress(target, Qt::Key_Control);
        QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyRelease(target, Qt::Key_Control);
    }
    int shown() const {
        for (int i = 0; i < int(pictures.size()); ++i)
            if (surface() == pictures[std::size_t(i)]) return i;
        return -1;
    }
    std::vector<QImage> pictures;
};

TEST_F(CtrlZ, WalksBackThroughTheHistory) {
    pictures.push_back(surface().copy());
    ctrlZ(f);
    EXPECT_EQ(shown(), 0);
    EXPECT_EQ(palette->ImageIndex, 1);
    for (int n = 1; n <= 3; ++n)
        stroke(n);
    EXPECT_EQ(shown(), 3);
    const std::pair<int, int> steps[] = {{2, 0}, {1, -1}, {0, -2}, {0, -2}};
    for (auto [picture, index] : steps) {
        ctrlZ(f);
        EXPECT_EQ(shown(), picture);
        EXPECT_EQ(palette->ImageIndex, index);
    }
    stroke(4); // drawn on the blank surface, which goes into the third slot again
    EXPECT_EQ(palette->ImageIndex, -1);
    EXPECT_EQ(f->Arc3Image.image(), pictures[0]);
    ctrlZ(f);
    EXPECT_EQ(shown(), 0);
    EXPECT_EQ(palette->ImageIndex, -2);
}

TEST_F(CtrlZ, HistoryIsThreeStepsDeep) {
    pictures.push_back(surface().copy());
    for (int n = 1; n <= 4; ++n)
        stroke(n);
    for (int expected : {3, 2, 1, 1}) {
        ctrlZ(f);
        EXPECT_EQ(shown(), expected);
    }
}

TEST_F(CtrlZ, SecondUndoAfterOneStrokeChangesNothing) {
    pictures.push_back(surface().copy());
    stroke(1);
    ctrlZ(f);
    EXPECT_EQ(shown(), 0);
    EXPECT_EQ(palette->ImageIndex, 0);
    ctrlZ(f);
    EXPECT_EQ(shown(), 0);
    EXPECT_EQ(palette->ImageIndex, 0);
}

TEST_F(CtrlZ, OnlyTheReleaseOfZWhileCtrlIsHeld) {
    pictures.push_back(surface().copy());
    stroke(1);
    // Ctrl let go before Z: nothing.
    QTest::keyPress(f, Qt::Key_Control);
    QTest::keyPress(f, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyRelease(f, Qt::Key_Control);
    QTest::keyRelease(f, Qt::Key_Z);
    EXPECT_EQ(shown(), 1);
    // Z pressed but not yet released: nothing yet.
    QTest::keyPress(f, Qt::Key_Control);
    QTest::keyPress(f, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown(), 1);
    QTest::keyRelease(f, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown(), 0);
    QTest::keyRelease(f, Qt::Key_Control);
    EXPECT_FALSE(f->CtrlIsDown);
}

TEST_F(CtrlZ, GridWindowPassesKeysAndStrokesOn) {
    pictures.push_back(surface().copy());
    ws->Back->setGridVisible(true);
    choose(tools->DoRect);
    QWidget* grid = ws->Back->Grid;
    // Grid lines lie at multiples of the pitch (41): press on one, release on another.
    QTest::mousePress(grid, Qt::LeftButton, {}, QPoint(40, 40));
    QTest::mouseMove(grid, QPoint(100, 90));
    QTest::mouseMove(grid, QPoint(122, 122));
    QTest::mouseRelease(grid, Qt::LeftButton, {}, QPoint(122, 122));
    EXPECT_TRUE(painted(40, 40));
    EXPECT_TRUE(painted(121, 121));
    EXPECT_FALSE(painted(80, 80));
    pictures.push_back(surface().copy());
    ctrlZ(ws->Back);
    EXPECT_EQ(shown(), 0);
}

TEST_F(Modes, ArmedTextWindowPlacesItsLinesInsteadOfAShape) {
    TFormText* text = ws->FormText;
    text->show();
    text->Editor->setPlainText(QStringLiteral("Eka\nToka\nKolmas"));
    choose(tools->DoRect);
    press({300, 300});
    move({500, 450});
    EXPECT_EQ(inkCount(surface()), 0) << "no preview while the text window is armed";
    release({500, 450});
    const int h = f->Canvas.textHeight(QStringLiteral("Eka"));
    // Three lines one below the other, starting 3 pixels right of the pointer and the first
    // sitting just above it.
    for (int i = 0; i < 3; ++i) {
        const QRect line(503, 454 - h + i * h, 80, h);
        EXPECT_GT(inkCount(surface().copy(line)), 10) << i;
    }
    EXPECT_EQ(inkCount(surface().copy(0, 0, 503, 1080)), 0);
    EXPECT_EQ(inkCount(surface().copy(0, 454 + 2 * h + 2, 1920, 200)), 0);
    EXPECT_TRUE(text->Editor->toPlainText().isEmpty()) << "not kept";
    EXPECT_FALSE(text->Visited);

    // Disarmed: the next drag draws the shape.
    clearSurface();
    drag({100, 100}, {{200, 200}});
    EXPECT_TRUE(painted(100, 100));

    // Armed again with nothing typed: the release places nothing and draws nothing.
    clearSurface();
    text->hide();
    text->show();
    drag({100, 100}, {{200, 200}});
    EXPECT_EQ(inkCount(surface()), 0);
}

// Each typed line is placed as one line with every character it has: the surface around the
// release looks exactly as the whole line drawn at once in the surface's font.
TEST_F(Modes, TypedLinesArePlacedExactlyAsTyped) {
    TFormText* text = ws->FormText;
    const QStringList typed = {
        QStringLiteral("Hei maailma"),
        QStringLiteral("x 2028 y 8 z"),
        QStringLiteral("åäö ÅÄÖ, 0123456789!?.;:-_()"),
        QStringLiteral("  kaksi blankoa alussa ja lopussa  "),
        QStringLiteral("שלום abc"),
        QStringLiteral("ohjaus\u0001merkit\u0007ja\u001bnolla"),
    };
    const QPoint at(300, 400);
    for (const QString& line : typed) {
        clearSurface();
        text->show();
        text->Editor->setPlainText(line);
        drag(at, {at});
        const QFont font = gfx::toQFont(f->Canvas.font);
        QImage expected(surface().size(), surface().format());
        expected.fill(Qt::white);
        {
            QPainter p(&expected);
            p.setFont(font);
            p.setPen(gfx::toQColor(f->Canvas.font.color));
            const QFontMetrics m(font);
            p.drawText(at.x() + 3, at.y() + 4 - m.height() + m.ascent(), line);
        }
        EXPECT_GT(inkCount(expected), 20) << line.toStdString();
        EXPECT_EQ(surface(), expected) << line.toStdString();
        text->hide();
    }
}

// A tab moves the rest of the line on to the next stop, as the editor shows it.
TEST_F(Modes, ATabInALineMovesOnToTheNextStop) {
    TFormText* text = ws->FormText;
    text->show();
    text->Editor->setPlainText(QStringLiteral("i\tI"));
    drag({300, 400}, {{300, 400}});
    const int h = f->Canvas.textHeight(QStringLiteral("I"));
    const QImage placed = surface().copy(0, 404 - h, 1920, h);
    int first = -1, last = -1, gapInk = 0;
    for (int x = 0; x < placed.width(); ++x)
        for (int y = 0; y < placed.height(); ++y)
            if (placed.pixel(x, y) != qRgb(255, 255, 255)) {
                if (first < 0) first = x;
                if (x > 303 + 20 && x < 303 + gfx::TabStop) ++gapInk;
                last = x;
            }
    EXPECT_GE(first, 303);
    EXPECT_LT(first, 303 + 20) << "the i";
    EXPECT_EQ(gapInk, 0) << "the tab leaves a gap";
    EXPECT_GE(last, 303 + gfx::TabStop) << "the I at the stop";
    EXPECT_LT(last, 303 + gfx::TabStop + 20);
}

// A long text ends at the surface's bottom edge and a long line at its right edge.
TEST_F(Modes, LongTextIsPlacedUpToTheSurfacesEdges) {
    TFormText* text = ws->FormText;
    text->show();
    QStringList many{QString(100000, QLatin1Char('W'))};
    for (int i = 0; i < 10000; ++i)
        many << QStringLiteral("rivi %1").arg(i);
    text->Editor->setPlainText(many.join(QLatin1Char('\n')));
    drag({10, 30}, {{10, 30}});
    const QImage s = surface();
    const int h = f->Canvas.textHeight(QStringLiteral("W"));
    EXPECT_GT(inkCount(s.copy(s.width() - 40, 34 - h, 40, h)), 10) << "the long line to the edge";
    EXPECT_GT(inkCount(s.copy(0, s.height() - 40, 200, 40)), 10) << "lines down to the bottom";
    EXPECT_TRUE(text->Editor->toPlainText().isEmpty());
}

TEST_F(Modes, ColourPickTakesThePixelUnderTheRelease) {
    const gfx::Color teal = gfx::rgb(0, 128, 128);
    f->Canvas.fillRect(500, 500, 700, 700, teal);
    f->canvasChanged();
    QApplication::processEvents();
    ws->ColorsForm->DoPick->click();
    ASSERT_EQ(f->cursorId(), PointerMode::Pick);
    choose(tools->DoRect);
    press({600, 600});
    EXPECT_FALSE(f->Drawing) << "a press starts no stroke";
    move({650, 650});
    release({600, 620});
    EXPECT_EQ(palette->PaletteColor, teal);
    EXPECT_EQ(palette->LinePenColor, teal);
    EXPECT_EQ(f->Canvas.pen.color, teal);
    EXPECT_EQ(f->cursorId(), PointerMode::Default);
    EXPECT_FALSE(ws->ColorsForm->DoPick->isChecked());
}

TEST_F(Modes, SquareErasersWipeAtEveryMove) {
    f->Canvas.fillRect(0, 0, 400, 400, gfx::Black);
    f->setCursorId(PointerMode::EraserMedium);
    choose(tools->DoLine);
    drag({100, 100}, {{105, 100}, {110, 100}});
    // 12x12 squares from x = 114 and x = 119, y = 109 .. 120; not at the press point.
    EXPECT_EQ(at(113, 110), gfx::Black);
    for (int x = 114; x <= 130; ++x)
        EXPECT_EQ(at(x, 115), gfx::White) << x;
    EXPECT_EQ(at(131, 115), gfx::Black);
    EXPECT_EQ(at(120, 121), gfx::Black);
    EXPECT_EQ(inkCount(surface().copy(0, 0, 400, 400)), 400 * 400 - (17 * 12));

    // With the area fill down no stroke starts, so nothing is wiped.
    f->Canvas.fillRect(0, 0, 400, 400, gfx::Black);
    palette->DoFill->click();
    drag({200, 200}, {{220, 200}, {240, 210}});
    EXPECT_EQ(inkCount(surface().copy(0, 0, 400, 400)), 400 * 400);
}

TEST_F(Modes, AreaFillFillsWhatLiesUnderTheClick) {
    f->Canvas.rectangle(100, 100, 300, 300);
    palette->PaletteColor = gfx::rgb(0, 160, 0);
    palette->DoFill->click();
    choose(tools->DoLine);
    drag({200, 200}, {{250, 260}, {210, 220}});
    EXPECT_EQ(at(150, 150), gfx::rgb(0, 160, 0));
    EXPECT_EQ(at(101, 298), gfx::rgb(0, 160, 0));
    EXPECT_EQ(at(100, 100), gfx::Black);
    EXPECT_EQ(at(400, 400), gfx::White);
    EXPECT_FALSE(f->Drawing);
}

TEST_F(Modes, MovesHideThePickersUnlessTheyAreKeptVisible) {
    const std::vector<QWidget*> pickers{ws->Numbers, ws->AddIns, ws->ColorsForm, ws->Tools};
    for (QWidget* w : pickers)
        w->show();
    ws->OptionsForm->DoKeepVisible->setChecked(true);
    move({300, 300}, {}, Qt::NoButton);
    for (QWidget* w : pickers)
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    ws->OptionsForm->DoKeepVisible->setChecked(false);
    move({310, 300}, {}, Qt::NoButton);
    for (QWidget* w : pickers)
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
}

TEST_F(Modes, GuideLinesFollowThePointer) {
    ws->OptionsForm->PosLines->click();
    move({300, 200}, {}, Qt::NoButton);
    TBack* back = ws->Back;
    // Pen width 1: each pair is one line, a pixel down and right of the plain place.
    EXPECT_EQ(back->LineX1->geometry(), QRect(0, 199, 288, 2));
    EXPECT_EQ(back->LineX2->geometry(), QRect(0, 199, 288, 2));
    EXPECT_EQ(back->LineX3->geometry(), QRect(312, 199, 1920 - 312, 2));
    EXPECT_EQ(back->LineY1->geometry(), QRect(300, 0, 1, 188));
    EXPECT_EQ(back->LineY4->geometry(), QRect(300, 212, 1, 1080 - 212));
    // Pen width 10: the pairs stand ten apart, framing the stroke.
    palette->LinePenWidth = 10;
    palette->Settings();
    move({300, 200}, {}, Qt::NoButton);
    EXPECT_EQ(back->LineX1->geometry().top(), 193);
    EXPECT_EQ(back->LineX2->geometry().top(), 203);
    EXPECT_EQ(back->LineY1->geometry().left(), 294);
    EXPECT_EQ(back->LineY2->geometry().left(), 304);
    // Near the left edge the left lines have no length.
    move({5, 200}, {}, Qt::NoButton);
    EXPECT_EQ(back->LineX1->geometry().width(), 0);
}

TEST_F(Modes, WhileTheMagnifierIsShownDragsDrawNoPreview) {
    ws->Zoomer->show();
    choose(tools->DoEllipse);
    press({300, 300});
    move({400, 380});
    move({500, 450});
    EXPECT_EQ(inkCount(surface()), 0);
    release({500, 450});
}

TEST_F(Modes, AnAxesUnitThatIsNoNumberIsToldAndChangesNothing) {
    choose(tools->DoAxes);
    tools->AxesUnit->setText(QStringLiteral("x1"));
    // Pressed as the user presses, the error reaches the general error report.
    const QStringList reports =
        errorReportsOf([&] { QTest::mousePress(f, Qt::LeftButton, {}, QPoint(400, 300)); });
    EXPECT_EQ(reports, QStringList{QStringLiteral("'x1' ei ole kelvollinen kokonaisluku.")});
    EXPECT_FALSE(f->Drawing);
    EXPECT_TRUE(f->Arc1Image.isEmpty()) << "no snapshot";
    move({500, 400});
    release({500, 400});
    EXPECT_EQ(inkCount(surface()), 0);
    // Emptied, it counts one a tick.
    tools->AxesUnit->clear();
    drag({400, 300}, {{600, 300}});
    EXPECT_GT(inkCount(surface()), 0);
}

} // namespace
