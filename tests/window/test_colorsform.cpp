// The colour picker: sixteen cells painted in their colours, a click that makes the
// colour current and gives it to the pen in force, and the pick button's pointer.
#include "aids/AidsLogic.h"
#include "aids/ColorsForm.h"
#include "aids/Tools.h"
#include "app/Palette.h"
#include "app/Panel.h"
#include "support/Fixture.h"
#include "surface/Form1.h"

#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

class ColorsForm : public RavoFixture {
protected:
    void SetUp() override {
        writeIni(QStringLiteral("LinePenColor=255\nDotPenColor=65280\n"));
        start();
        ASSERT_FALSE(ws->finished());
        c = ws->ColorsForm;
    }

    void clickCell(int col, int row) {
        QTest::mouseClick(c->Colors, Qt::LeftButton, {}, QPoint(col * 26 + 12, row * 26 + 12));
    }

    TColorsForm* c = nullptr;
};

TEST_F(ColorsForm, CellsArePaintedInTheirColours) {
    const QImage shot = c->Colors->grab().toImage();
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            const QRect cell = colorCellRect({col, row});
            for (QPoint at : {cell.topLeft(), cell.center(), cell.bottomRight()})
                EXPECT_EQ(gfx::fromArgb(shot.pixel(at)), CellColor(col, row))
                    << col << "," << row << " at " << at.x() << "," << at.y();
        }
    EXPECT_EQ(c->Colors->size(), QSize(104, 104));
}

TEST_F(ColorsForm, StartKeepsTheSavedLineColourAsPenColor) {
    EXPECT_EQ(c->PenColor, gfx::Color(255));
}

TEST_F(ColorsForm, ClickMakesTheColourCurrentAndTheLinePens) {
    c->show();
    clickCell(3, 1);
    const gfx::Color silver = gfx::rgb(192, 192, 192);
    EXPECT_EQ(c->PenCol, 3);
    EXPECT_EQ(c->PenRow, 1);
    EXPECT_EQ(ws->Palette->PaletteColor, silver);
    EXPECT_EQ(ws->Palette->LinePenColor, silver);
    EXPECT_EQ(ws->Palette->DotPenColor, gfx::Color(65280));
    EXPECT_EQ(ws->Palette->PanelColor->color(), silver);
    EXPECT_EQ(ws->Form1->Canvas.pen.color, silver);
    EXPECT_EQ(c->PenColor, gfx::Color(255)); // the saved colour stays
    EXPECT_FALSE(c->isVisible());
}

TEST_F(ColorsForm, WithTheDotShapeTheDotPenTakesTheColour) {
    ws->Tools->DoDot->setChecked(true);
    c->show();
    clickCell(0, 2);
    const gfx::Color grey = gfx::rgb(128, 128, 128);
    EXPECT_EQ(ws->Palette->DotPenColor, grey);
    EXPECT_EQ(ws->Palette->LinePenColor, gfx::Color(255));
    EXPECT_EQ(ws->Palette->PaletteColor, grey);
    EXPECT_EQ(ws->Palette->PanelColor->color(), grey);
}

TEST_F(ColorsForm, PressOnOneCellReleaseOutsideChoosesNothing) {
    c->show();
    QTest::mousePress(c->Colors, Qt::LeftButton, {}, QPoint(12, 12));
    QTest::mouseRelease(c->Colors, Qt::LeftButton, {}, QPoint(12, 300));
    EXPECT_EQ(ws->Palette->LinePenColor, gfx::Color(255));
    EXPECT_TRUE(c->isVisible());
}

TEST_F(ColorsForm, PickButtonSwitchesThePickPointerOnAndOff) {
    EXPECT_EQ(c->DoPick->text(), QStringLiteral("&Poimi      "));
    EXPECT_EQ(c->DoPick->toolTip(), QStringLiteral("Poimi väri kuva-alueelta"));
    const gfx::Color before = ws->Palette->PaletteColor;
    QTest::mouseClick(c->DoPick, Qt::LeftButton);
    EXPECT_TRUE(c->DoPick->isChecked());
    EXPECT_EQ(ws->Form1->cursorId(), PointerMode::Pick);
    QTest::mouseClick(c->DoPick, Qt::LeftButton);
    EXPECT_FALSE(c->DoPick->isChecked());
    EXPECT_EQ(ws->Form1->cursorId(), PointerMode::PointingHand);
    EXPECT_EQ(ws->Palette->PaletteColor, before);

    // Releasing the button from elsewhere leaves the pointer alone.
    c->DoPick->setChecked(true);
    EXPECT_EQ(ws->Form1->cursorId(), PointerMode::PointingHand);
}

} // namespace
