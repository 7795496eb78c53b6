// The pen-width picker: finding a width's cell, choosing a width for the pen in force, and
// staying quiet while start-up selects the saved widths.
#include "aids/Numbers.h"
#include "aids/Tools.h"
#include "app/Palette.h"
#include "app/Panel.h"
#include "support/Fixture.h"
#include "surface/Form1.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

namespace {

class Numbers : public RavoFixture {
protected:
    void SetUp() override {
        writeIni(QStringLiteral("LinePenWidth=5\nDotPenWidth=12\n"));
        start();
        ASSERT_FALSE(ws->finished());
        n = ws->Numbers;
    }

    void clickCell(int row, int col) {
        const QRect r = n->Num->visualItemRect(n->Num->item(row, col));
        QTest::mouseClick(n->Num->viewport(), Qt::LeftButton, {}, r.center());
    }

    TNumbers* n = nullptr;
};

TEST_F(Numbers, GridOfThirtyWidthsWithoutHeadersOrScrollBars) {
    QTableWidget* num = n->Num;
    EXPECT_EQ(n->windowTitle(), QStringLiteral("Kynän leveys"));
    ASSERT_EQ(num->columnCount(), 5);
    ASSERT_EQ(num->rowCount(), 6);
    EXPECT_EQ(num->item(0, 0)->text(), QStringLiteral("1"));
    EXPECT_EQ(num->item(0, 4)->text(), QStringLiteral("5"));
    EXPECT_EQ(num->item(1, 0)->text(), QStringLiteral("6"));
    EXPECT_EQ(num->item(5, 4)->text(), QStringLiteral("30"));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(num->columnWidth(i), 22);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(num->rowHeight(i), 22);
    EXPECT_FALSE(num->horizontalHeader()->isVisibleTo(n));
    EXPECT_FALSE(num->verticalHeader()->isVisibleTo(n));
    EXPECT_EQ(num->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(num->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(n->size(), QSize(110, 132));
}

TEST_F(Numbers, FindCellSelectsTheWidthsCellOrNothing) {
    n->FindCell(7);
    EXPECT_EQ(n->Num->currentRow(), 1);
    EXPECT_EQ(n->Num->currentColumn(), 1);
    EXPECT_EQ(ws->Palette->PanelPenWidth->text(), QStringLiteral("7"));

    for (int outside : {0, 31}) {
        n->FindCell(outside);
        EXPECT_EQ(n->Num->currentRow(), 1) << outside;
        EXPECT_EQ(n->Num->currentColumn(), 1) << outside;
        EXPECT_EQ(ws->Palette->PanelPenWidth->text(), QStringLiteral("7")) << outside;
    }
}

TEST_F(Numbers, StartSelectsTheSavedLineWidth) {
    EXPECT_EQ(n->Num->currentItem()->text(), QStringLiteral("5"));
    EXPECT_EQ(ws->Palette->PanelPenWidth->text(), QStringLiteral("5"));
}

class NumbersStart : public RavoFixture {};

TEST_F(NumbersStart, SelectingSavedWidthsAtStartChangesNoPen) {
    // The old key selects 12, the line width is not in the grid: the selection stays at
    // 12, and selecting it did not make 12 the line width.
    writeIni(QStringLiteral("PenWidth=12\nLinePenWidth=50\n"));
    start();
    EXPECT_EQ(ws->Numbers->Num->currentItem()->text(), QStringLiteral("12"));
    EXPECT_EQ(ws->Palette->LinePenWidth, 50);
    EXPECT_EQ(ws->Palette->DotPenWidth, 10);
}

TEST_F(Numbers, ClickGoesToTheLinePenAndHides) {
    n->show();
    clickCell(2, 1); // 12
    EXPECT_EQ(ws->Palette->LinePenWidth, 12);
    EXPECT_EQ(ws->Palette->DotPenWidth, 12); // as saved
    EXPECT_EQ(ws->Form1->Canvas.pen.width, 12);
    EXPECT_EQ(ws->Palette->PanelPenWidth->text(), QStringLiteral("12"));
    EXPECT_FALSE(n->isVisible());
}

TEST_F(Numbers, WithTheDotShapeTheDotPenTakesTheWidth) {
    ws->Tools->DoDot->setChecked(true);
    n->show();
    clickCell(0, 2); // 3
    EXPECT_EQ(ws->Palette->DotPenWidth, 3);
    EXPECT_EQ(ws->Palette->LinePenWidth, 5);
    EXPECT_EQ(ws->Palette->PanelPenWidth->text(), QStringLiteral("3"));
    EXPECT_FALSE(n->isVisible());

    // Back on a line shape, the line width is in force again.
    ws->Tools->DoLine->setChecked(true);
    ws->Palette->Settings();
    EXPECT_EQ(ws->Palette->PanelPenWidth->text(), QStringLiteral("5"));
}

TEST_F(Numbers, ClickingTheCurrentCellChoosesItOnce) {
    ws->Palette->LinePenWidth = 9; // differs from the current cell, 5
    n->show();
    clickCell(0, 4);
    EXPECT_EQ(ws->Palette->LinePenWidth, 5);
    EXPECT_FALSE(n->isVisible());
}

TEST_F(Numbers, KeyboardMovesChooseToo) {
    n->show();
    QTest::keyClick(n->Num, Qt::Key_Down); // from 5 to 10
    EXPECT_EQ(ws->Palette->LinePenWidth, 10);
    EXPECT_FALSE(n->isVisible());
}

TEST_F(Numbers, WhileLoadingAChoiceDoesNothing) {
    ws->Palette->Loading = true;
    n->show();
    n->FindCell(20);
    clickCell(5, 0);
    EXPECT_EQ(ws->Palette->LinePenWidth, 5);
    EXPECT_TRUE(n->isVisible());
    ws->Palette->Loading = false;
}

} // namespace
