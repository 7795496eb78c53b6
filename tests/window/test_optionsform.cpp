// The options window: track-bar ranges and clamping, the value labels, the handlers that
// act at once and the ones that wait for start-up to end, and the grid and guide lines.
#include "aids/Back.h"
#include "aids/Display.h"
#include "aids/OptionsForm.h"
#include "app/Palette.h"
#include "support/Fixture.h"
#include "surface/Form1.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

namespace {

class OptionsForm : public RavoFixture {
protected:
    void SetUp() override {
        writeIni(QStringLiteral("Alpha=90\nWorkAlpha=130\nCellWidth=50\nSpeed=60\n"));
        start();
        ASSERT_FALSE(ws->finished());
        o = ws->OptionsForm;
    }
    TOptionsForm* o = nullptr;
};

TEST_F(OptionsForm, WindowAndItsPage) {
    EXPECT_EQ(o->windowTitle(), QStringLiteral("Asetukset"));
    EXPECT_TRUE(o->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(o->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(o->size(), QSize(572, 316));
    ASSERT_EQ(o->Book->count(), 1);
    EXPECT_EQ(o->Book->tabText(0), QStringLiteral("Asetukset"));
    EXPECT_EQ(o->Book->widget(0), o->BookPage1);
}

TEST_F(OptionsForm, TrackBarRangesAndSteps) {
    const struct {
        QSlider* bar;
        int min, max;
        const char* hint;
    } bars[] = {
        {o->Alpha, 2, 255, "Piirtopinnan läpinäkyvyyden säätö"},
        {o->WorkAlpha, 2, 255, "Kohteena olevan työkalun läpinäkyvyyden säätö"},
        {o->Speed, 1, 100,
         "Työkalut tuodaan näytölle animoidusti. Tällä säädet esiin tulon nopeuden."},
        {o->CellWidth, 6, 600, "Ruudukon solun korkeuden ja leveyden säätö"},
    };
    for (const auto& b : bars) {
        SCOPED_TRACE(b.bar->objectName().toStdString());
        EXPECT_EQ(b.bar->minimum(), b.min);
        EXPECT_EQ(b.bar->maximum(), b.max);
        EXPECT_EQ(b.bar->pageStep(), 1);
        EXPECT_EQ(b.bar->orientation(), Qt::Horizontal);
        EXPECT_EQ(b.bar->toolTip(), QString::fromUtf8(b.hint));
        EXPECT_EQ(b.bar->accessibleName(), QString::fromUtf8(b.hint));
    }
    EXPECT_EQ(o->GridLineWidth->minimum(), 1);
    EXPECT_EQ(o->GridLineWidth->maximum(), 9);
    EXPECT_EQ(o->GridLineWidth->value(), 1);
}

TEST_F(OptionsForm, StartWritesTheSavedPositionsAndShowsThem) {
    EXPECT_EQ(o->Alpha->value(), 90);
    EXPECT_EQ(o->WorkAlpha->value(), 130);
    EXPECT_EQ(o->CellWidth->value(), 50);
    EXPECT_EQ(o->Speed->value(), 60);
    EXPECT_EQ(o->Value1->text(), QStringLiteral("90"));
    EXPECT_EQ(o->Value2->text(), QStringLiteral("130"));
    EXPECT_EQ(o->Value3->text(), QStringLiteral("50"));
    EXPECT_EQ(o->Value4->text(), QStringLiteral("60"));
    // The surface took the saved opacity; the grid the saved cell once loading ended.
    EXPECT_EQ(ws->Form1->alpha(), 90);
    EXPECT_EQ(ws->Back->Grid->cellWidth(), 50);
    EXPECT_EQ(ws->Back->Grid->rowHeight(), 50);
    EXPECT_EQ(ws->Form1->Factor, 200);
}

class OptionsStart : public RavoFixture {};

TEST_F(OptionsStart, SavedValuesOutsideTheRangesAreClamped) {
    struct Case {
        const char* ini;
        int alpha, workAlpha, cellWidth, speed;
    };
    const Case cases[] = {
        {"Alpha=300\nWorkAlpha=0\nCellWidth=1000\nSpeed=0\n", 255, 2, 600, 1},
        {"Alpha=1\nWorkAlpha=256\nCellWidth=5\nSpeed=101\n", 2, 255, 6, 100},
        {"", 80, 120, 40, 100}, // nothing saved: the first start's values
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini);
        ws.reset();
        writeIni(QString::fromUtf8(c.ini));
        start();
        const TOptionsForm* o = ws->OptionsForm;
        EXPECT_EQ(o->Alpha->value(), c.alpha);
        EXPECT_EQ(o->WorkAlpha->value(), c.workAlpha);
        EXPECT_EQ(o->CellWidth->value(), c.cellWidth);
        EXPECT_EQ(o->Speed->value(), c.speed);
        EXPECT_EQ(ws->Form1->alpha(), c.alpha);
        EXPECT_EQ(o->Value1->text(), QString::number(c.alpha));
    }
}

TEST_F(OptionsForm, AlphaActsOnTheSurfaceAtOnce) {
    o->Alpha->setValue(200);
    EXPECT_EQ(ws->Form1->alpha(), 200);
    EXPECT_EQ(o->Value1->text(), QStringLiteral("200"));
    o->WorkAlpha->setValue(20);
    EXPECT_EQ(o->Value2->text(), QStringLiteral("20"));
    EXPECT_EQ(ws->Form1->alpha(), 200);
}

TEST_F(OptionsForm, ArrowKeysMoveTheOpacitiesByOneAndTheOthersNot) {
    o->Alpha->setValue(253);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(o->Alpha, Qt::Key_Right);
    EXPECT_EQ(o->Alpha->value(), 255);
    QTest::keyClick(o->Alpha, Qt::Key_Left);
    EXPECT_EQ(o->Alpha->value(), 254);
    EXPECT_EQ(ws->Form1->alpha(), 254);

    o->WorkAlpha->setValue(3);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(o->WorkAlpha, Qt::Key_Left);
    EXPECT_EQ(o->WorkAlpha->value(), 2);

    // The up and down keys move nothing; neither do the arrows on the other two bars.
    QTest::keyClick(o->Alpha, Qt::Key_Up);
    EXPECT_EQ(o->Alpha->value(), 254);
    QTest::keyClick(o->CellWidth, Qt::Key_Right);
    QTest::keyClick(o->Speed, Qt::Key_Left);
    EXPECT_EQ(o->CellWidth->value(), 50);
    EXPECT_EQ(o->Speed->value(), 60);
    // The page keys step by one.
    QTest::keyClick(o->CellWidth, Qt::Key_PageUp);
    EXPECT_EQ(o->CellWidth->value(), 51);
}

TEST_F(OptionsForm, CellWidthWaitsForStartUpToEnd) {
    ws->Palette->Loading = true;
    o->CellWidth->setValue(70);
    EXPECT_EQ(ws->Back->Grid->cellWidth(), 50);
    EXPECT_EQ(o->Value3->text(), QStringLiteral("50"));
    ws->Palette->Loading = false;
    o->CellWidth->setValue(80);
    EXPECT_EQ(ws->Back->Grid->cellWidth(), 80);
    EXPECT_EQ(ws->Back->Grid->rowHeight(), 80);
    EXPECT_EQ(o->Value3->text(), QStringLiteral("80"));
    // The speed bar shares the handler.
    o->Speed->setValue(33);
    EXPECT_EQ(o->Value4->text(), QStringLiteral("33"));
}

TEST_F(OptionsForm, GridShowsItsLinesInTheMaskOfTheGridWindow) {
    TBack* back = ws->Back;
    EXPECT_FALSE(back->keyedRegion().intersects(back->rect())); // nothing drawn yet
    o->GridLineWidth->setValue(3);
    o->Grid->setChecked(true);
    EXPECT_TRUE(back->Grid->isVisibleTo(back));
    EXPECT_EQ(back->Grid->pitch(), 53);
    const QRegion mask = back->keyedRegion();
    EXPECT_TRUE(mask.contains(QPoint(50, 500)));
    EXPECT_TRUE(mask.contains(QPoint(52, 500)));
    EXPECT_FALSE(mask.contains(QPoint(49, 500)));
    EXPECT_FALSE(mask.contains(QPoint(53, 500)));
    EXPECT_TRUE(mask.contains(QPoint(700, 103)));

    o->Grid->setChecked(false);
    EXPECT_FALSE(back->Grid->isVisibleTo(back));
    EXPECT_FALSE(back->keyedRegion().intersects(back->rect()));
}

TEST_F(OptionsForm, ChangesWhileTheGridIsHiddenShowNextTime) {
    o->CellWidth->setValue(20);
    o->GridLineWidth->setValue(2);
    EXPECT_EQ(ws->Back->Grid->lineWidth(), 2);
    o->Grid->setChecked(true);
    EXPECT_EQ(ws->Back->Grid->pitch(), 22);
    EXPECT_TRUE(ws->Back->keyedRegion().contains(QPoint(20, 7)));
}

TEST_F(OptionsForm, GridAndGuideLinesExcludeEachOther) {
    TBack* back = ws->Back;
    o->Grid->setChecked(true);
    o->PosLines->setChecked(true);
    EXPECT_FALSE(o->Grid->isChecked());
    EXPECT_FALSE(back->Grid->isVisibleTo(back));
    for (QFrame* line : {back->LineX1, back->LineX4, back->LineY1, back->LineY4})
        EXPECT_TRUE(line->isVisibleTo(back));

    o->Grid->setChecked(true);
    EXPECT_FALSE(o->PosLines->isChecked());
    EXPECT_TRUE(back->Grid->isVisibleTo(back));
    for (QFrame* line : {back->LineX1, back->LineX2, back->LineY2, back->LineY3})
        EXPECT_FALSE(line->isVisibleTo(back));
}

TEST_F(OptionsForm, ShownGuideLinesAreInTheMask) {
    TBack* back = ws->Back;
    o->PosLines->setChecked(true);
    back->LineX1->setGeometry(0, 300, 500, 2);
    back->LineY3->setGeometry(800, 312, 1, 700);
    const QRegion mask = back->keyedRegion();
    EXPECT_TRUE(mask.contains(QPoint(10, 301)));
    EXPECT_TRUE(mask.contains(QPoint(800, 900)));
    EXPECT_FALSE(mask.contains(QPoint(10, 302)));
    o->PosLines->setChecked(false);
    EXPECT_FALSE(back->keyedRegion().intersects(back->rect()));
}

TEST_F(OptionsForm, ReadOutWindowStandsBesideThePalette) {
    TDisplay* display = ws->Display;
    display->Value->setText(QStringLiteral("vanha"));
    o->ShowDisplay->setChecked(true);
    ASSERT_TRUE(display->isVisible());
    const QRect palette = ws->Palette->frameGeometry();
    const QRect shown = display->frameGeometry();
    EXPECT_EQ(shown.right() + 1, 1920 - palette.width());
    EXPECT_EQ(shown.bottom(), palette.bottom());
    EXPECT_TRUE(display->Value->text().isEmpty());
    o->ShowDisplay->setChecked(false);
    EXPECT_FALSE(display->isVisible());
}

TEST_F(OptionsForm, CloseHidesAndSaveWritesTheSettings) {
    o->show();
    o->Alpha->setValue(177);
    QTest::mouseClick(o->DoSaveSettings, Qt::LeftButton);
    QFile ini(iniPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(ini.readAll());
    const QRegularExpression alpha(QStringLiteral("^Alpha\\s*=\\s*177\\s*$"),
                                   QRegularExpression::MultilineOption);
    EXPECT_TRUE(text.contains(alpha)) << text.toStdString();
    QTest::mouseClick(o->DoClose, Qt::LeftButton);
    EXPECT_FALSE(o->isVisible());
}

TEST_F(OptionsForm, ShowingRefreshesTheValueLabels) {
    o->Value1->setText(QStringLiteral("Arvo1"));
    o->show();
    EXPECT_EQ(o->Value1->text(), QStringLiteral("90"));
}

} // namespace
