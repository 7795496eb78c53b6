// The shape selector as start-up leaves it: one shape down, its controls and their places.
#include "aids/RadioGroup.h"
#include "aids/Tools.h"
#include "support/Fixture.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QToolButton>

namespace {

class Tools : public RavoFixture {
protected:
    void SetUp() override {
        writeIni();
        start();
        ASSERT_FALSE(ws->finished());
        t = ws->Tools;
    }
    TTools* t = nullptr;
};

TEST_F(Tools, TenShapeButtonsInPlaceExactlyOneDown) {
    const struct {
        QToolButton* b;
        QPoint at;
    } shapes[] = {
        {t->DoLine, {0, 0}},     {t->DoCurve, {0, 40}},    {t->DoDot, {40, 40}},
        {t->DoEllipse, {0, 80}}, {t->DoCircle, {40, 80}},  {t->DoRoundRect, {0, 120}},
        {t->DoRect, {40, 120}},  {t->DoPolygon, {0, 160}}, {t->DoPolygonCenter, {40, 160}},
        {t->DoAxes, {0, 200}},
    };
    for (const auto& s : shapes) {
        SCOPED_TRACE(s.b->objectName().toStdString());
        EXPECT_EQ(s.b->geometry(), QRect(s.at, QSize(40, 40)));
        EXPECT_EQ(s.b->isChecked(), s.b == t->DoCurve);
        EXPECT_FALSE(s.b->icon().isNull());
    }
    EXPECT_EQ(t->Shapes->buttons().size(), 10);
    t->DoRect->click();
    t->DoRect->click(); // pressing the button that is down keeps it down
    EXPECT_TRUE(t->DoRect->isChecked());
    EXPECT_FALSE(t->DoCurve->isChecked());
    EXPECT_EQ(t->DoLine->toolTip(), QStringLiteral("Piirrä suora viiva"));
    EXPECT_EQ(t->DoCurve->toolTip(), QStringLiteral("Piirrä vapaa viiva"));
}

TEST_F(Tools, ShapeIconIsThePictureOfTheButtonDown) {
    EXPECT_EQ(t->shapeIcon().cacheKey(), t->DoCurve->icon().cacheKey());
    t->DoAxes->click();
    EXPECT_EQ(t->shapeIcon().cacheKey(), t->DoAxes->icon().cacheKey());
    EXPECT_NE(t->shapeIcon().cacheKey(), t->DoCurve->icon().cacheKey());
}

TEST_F(Tools, ArrowsAreTwoIndependentToggles) {
    EXPECT_FALSE(t->ArrowLeft->isChecked());
    EXPECT_FALSE(t->ArrowRight->isChecked());
    t->ArrowLeft->click();
    t->ArrowRight->click();
    EXPECT_TRUE(t->ArrowLeft->isChecked());
    EXPECT_TRUE(t->ArrowRight->isChecked());
    t->ArrowLeft->click();
    EXPECT_FALSE(t->ArrowLeft->isChecked());
    EXPECT_TRUE(t->ArrowRight->isChecked());
    EXPECT_EQ(t->ArrowLeft->geometry().top(), 0);
    EXPECT_GE(t->ArrowLeft->geometry().left(), 40);
    EXPECT_LE(t->ArrowRight->geometry().right(), 119);
}

TEST_F(Tools, CornersUnitDashFillAndGradient) {
    EXPECT_EQ(t->AngleCount->value(), 5);
    EXPECT_EQ(t->AngleCount->geometry().topLeft(), QPoint(81, 169));
    EXPECT_EQ(t->AngleCount->width(), 36);
    t->AngleCount->setValue(2);
    EXPECT_EQ(t->AngleCount->value(), 3);
    t->AngleCount->setValue(1000);
    EXPECT_EQ(t->AngleCount->value(), 360);

    EXPECT_EQ(t->AxesUnit->text(), QStringLiteral("1"));
    EXPECT_EQ(t->AxesUnit->geometry().topLeft(), QPoint(42, 211));
    EXPECT_EQ(t->AxesUnit->width(), 38);

    EXPECT_EQ(t->Dash->text(), QStringLiteral("Katkoviiva"));
    EXPECT_EQ(t->Fill->text(), QStringLiteral("Täyttö"));
    EXPECT_FALSE(t->Dash->isChecked());
    EXPECT_FALSE(t->Fill->isChecked());

    EXPECT_EQ(t->Gradient->title(), QStringLiteral("Väriliukuma"));
    EXPECT_FALSE(t->Gradient->isVisibleTo(t));
    EXPECT_EQ(t->Gradient->height(), 117);
    EXPECT_EQ(t->Gradient->geometry().bottom(), t->height() - 1);
}

TEST_F(Tools, GradientGroupChoosesOneItem) {
    RadioGroup* g = t->Gradient;
    g->setItems({QStringLiteral("Tasainen"), QStringLiteral("Keskelle")});
    EXPECT_EQ(g->itemIndex(), -1);
    g->setItemIndex(1);
    EXPECT_EQ(g->itemIndex(), 1);
    g->setItems({QStringLiteral("Tasainen"), QStringLiteral("Ylä>Ala"), QStringLiteral("Ala>Ylä")});
    EXPECT_EQ(g->items().size(), 3);
    EXPECT_EQ(g->itemIndex(), -1);
    g->setItemIndex(0);
    EXPECT_EQ(g->itemIndex(), 0);
    g->setItemIndex(-1);
    EXPECT_EQ(g->itemIndex(), -1);
}

TEST_F(Tools, PolygonMenu) {
    const QList<QAction*> items = t->PopupMenu->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0], t->MenuRadius);
    EXPECT_EQ(items[1], t->MenuCircle);
    EXPECT_EQ(items[2], t->MenuCancel);
    EXPECT_EQ(t->MenuRadius->text(), QStringLiteral("Sektoriviivat"));
    EXPECT_EQ(t->MenuCircle->text(), QStringLiteral("Ympyrä"));
    EXPECT_EQ(t->MenuCancel->text(), QStringLiteral("Peruuta"));
    EXPECT_TRUE(t->MenuRadius->isCheckable());
    EXPECT_TRUE(t->MenuCircle->isCheckable());
    EXPECT_FALSE(t->MenuRadius->isChecked());
    EXPECT_FALSE(t->MenuCircle->isChecked());
}

} // namespace

namespace {

// What a stroke reads: the shape of the button down with its figure, and the other choices
// as they stand; the axes' unit only while the axes are down.
TEST_F(Tools, StrokeSettingsAreTheSelectorsChoicesAtOnce) {
    const struct {
        QToolButton* b;
        Shape shape;
        Figure figure;
    } cases[] = {
        {t->DoLine, Shape::Line, Figure::Line},
        {t->DoCurve, Shape::Curve, Figure::None},
        {t->DoDot, Shape::Dot, Figure::None},
        {t->DoEllipse, Shape::Ellipse, Figure::Ellipse},
        {t->DoCircle, Shape::Circle, Figure::Circle},
        {t->DoRoundRect, Shape::RoundRect, Figure::RoundRect},
        {t->DoRect, Shape::Rect, Figure::Rect},
        {t->DoPolygon, Shape::Polygon, Figure::PolygonOnSide},
        {t->DoPolygonCenter, Shape::PolygonCenter, Figure::PolygonAroundCentre},
        {t->DoAxes, Shape::Axes, Figure::Axes},
    };
    t->AxesUnit->setText(QStringLiteral("25"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.b->objectName().toStdString());
        c.b->click();
        const StrokeSettings s = t->strokeSettings();
        EXPECT_EQ(s.shape, c.shape);
        EXPECT_EQ(figureOf(s.shape), c.figure);
        EXPECT_EQ(s.axesUnit, c.shape == Shape::Axes ? 25 : 1);
    }

    t->DoLine->click();
    t->ArrowRight->click();
    t->Dash->click();
    t->AngleCount->setValue(12);
    t->MenuCircle->setChecked(true);
    StrokeSettings s = t->strokeSettings();
    EXPECT_TRUE(s.dash);
    EXPECT_TRUE(s.arrowRight);
    EXPECT_FALSE(s.arrowLeft);
    EXPECT_EQ(s.corners, 12);
    EXPECT_TRUE(s.circle);
    EXPECT_FALSE(s.sectorLines);

    t->DoRect->click();
    t->Fill->click();
    t->Gradient->setItemIndex(3);
    s = t->strokeSettings();
    EXPECT_TRUE(s.fill);
    EXPECT_FALSE(s.dash) << "the fill takes the dash away";
    EXPECT_EQ(s.gradientItem, 3);
}

} // namespace
