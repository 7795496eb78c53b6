// The shape selector at work: gradient choices and the window's height, the arrows and the
// line, Dash against Fill, the polygon menu, the axes unit field and the palette's picture.
#include "aids/RadioGroup.h"
#include "aids/Tools.h"
#include "app/Palette.h"
#include "app/Panel.h"
#include "app/WindowGeometry.h"
#include "support/Fixture.h"
#include "surface/Form1.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <functional>

namespace {

class ToolsAtWork : public RavoFixture {
protected:
    void SetUp() override {
        writeIni(QStringLiteral("LinePenWidth=4\nDotPenWidth=17\n"));
        start();
        ASSERT_FALSE(ws->finished());
        t = ws->Tools;
        p = ws->Palette;
        t->move(500, 300);
        t->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(t));
    }
    void TearDown() override { t->PopupMenu->hide(); }

    void click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    void chooseGradient(int index) { click(t->Gradient->findChildren<QRadioButton*>().at(index)); }
    QStringList radioTexts() const {
        QStringList texts;
        for (const QRadioButton* b : t->Gradient->findChildren<QRadioButton*>())
            texts << b->text();
        return texts;
    }
    // Types the characters one key each, as a keyboard would send them (Qt's key codes for
    // Latin-1 letters are their capitals).
    void typeIntoUnit(const QString& text) {
        t->AxesUnit->setFocus();
        for (QChar c : text) {
            const auto key = c == QChar(8) ? Qt::Key_Backspace : Qt::Key(c.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Click, t->AxesUnit, key, QString(c), Qt::NoModifier);
        }
    }

    TTools* t = nullptr;
    TPalette* p = nullptr;
};

const QStringList RectItems = {QStringLiteral("Tasainen"), QStringLiteral("Ylä>Ala"),
                               QStringLiteral("Ala>Ylä"), QStringLiteral("Vasen>Oikea"),
                               QStringLiteral("Oikea>Vasen")};
const QStringList CircleItems = {QStringLiteral("Tasainen"), QStringLiteral("Keskelle")};

TEST_F(ToolsAtWork, GradientChoicesAndHeightFollowShapeAndFill) {
    EXPECT_EQ(outerHeight(t), 312);
    // Each step is a user's action; afterwards the choices shown (none: hidden), the item
    // chosen and the window's height. A click on a shape or on Fill, or a new show, falls
    // back to the plain fill.
    const struct {
        const char* what;
        std::function<void()> act;
        QStringList items;
        int item, height;
    } steps[] = {
        {"rectangle", [&] { click(t->DoRect); }, {}, 0, 312},
        {"fill the rectangle", [&] { click(t->Fill); }, RectItems, 0, 429},
        {"top to bottom chosen", [&] { chooseGradient(3); }, RectItems, 3, 429},
        {"circle", [&] { click(t->DoCircle); }, CircleItems, 0, 429},
        {"radial chosen", [&] { chooseGradient(1); }, CircleItems, 1, 429},
        {"circle again", [&] { click(t->DoCircle); }, CircleItems, 0, 429},
        {"ellipse", [&] { click(t->DoEllipse); }, {}, 0, 312},
        {"rectangle again", [&] { click(t->DoRect); }, RectItems, 0, 429},
        {"right to left chosen", [&] { chooseGradient(4); }, RectItems, 4, 429},
        {"hidden and shown",
         [&] {
             t->hide();
             t->resize(120, 200);
             t->show();
         },
         RectItems, 0, 429},
        {"fill off", [&] { click(t->Fill); }, {}, 0, 312},
        {"circle unfilled", [&] { click(t->DoCircle); }, {}, 0, 312},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        EXPECT_EQ(outerHeight(t), s.height);
        EXPECT_EQ(t->Gradient->isVisible(), !s.items.isEmpty());
        if (s.items.isEmpty()) continue;
        EXPECT_EQ(radioTexts(), s.items);
        EXPECT_EQ(t->Gradient->itemIndex(), s.item);
        EXPECT_EQ(t->gradientItem(), s.item);
        EXPECT_EQ(t->Gradient->geometry().bottom(), t->height() - 1) << "along the bottom";
        EXPECT_EQ(t->Gradient->height(), 117);
    }
}

TEST_F(ToolsAtWork, AnArrowSwitchesToTheLineAndAnyOtherShapeReleasesBoth) {
    for (QAbstractButton* b : t->Shapes->buttons()) {
        auto* shape = static_cast<QToolButton*>(b);
        if (shape == t->DoLine) continue;
        SCOPED_TRACE(shape->objectName().toStdString());
        click(shape);
        click(t->ArrowRight);
        EXPECT_TRUE(t->DoLine->isChecked());
        EXPECT_TRUE(t->ArrowRight->isChecked());
        EXPECT_EQ(p->DoShowDrawMenu->icon().cacheKey(), t->DoLine->icon().cacheKey());
        click(t->ArrowLeft);
        EXPECT_TRUE(t->ArrowLeft->isChecked());
        EXPECT_TRUE(t->ArrowRight->isChecked()) << "the line keeps both heads";
        click(shape);
        EXPECT_FALSE(t->ArrowLeft->isChecked());
        EXPECT_FALSE(t->ArrowRight->isChecked());
    }
    // An arrow going up leaves the line as it is.
    click(t->ArrowLeft);
    click(t->ArrowLeft);
    EXPECT_FALSE(t->ArrowLeft->isChecked());
    EXPECT_TRUE(t->DoLine->isChecked());
}

TEST_F(ToolsAtWork, DashAndFillExcludeEachOther) {
    // The boxes as they stand, the one the user clicks, the boxes afterwards.
    const struct {
        bool dash, fill;
        const char* clicked;
        bool dashAfter, fillAfter;
    } cases[] = {
        {false, true, "Dash", true, false},  {true, false, "Fill", false, true},
        {true, false, "Dash", false, false}, {false, true, "Fill", false, false},
        {false, false, "Dash", true, false}, {false, false, "Fill", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.clicked) + (c.dash ? " dash" : "") + (c.fill ? " fill" : ""));
        t->Dash->setChecked(c.dash);
        t->Fill->setChecked(c.fill);
        click(QLatin1String(c.clicked) == QLatin1String("Dash") ? t->Dash : t->Fill);
        EXPECT_EQ(t->Dash->isChecked(), c.dashAfter);
        EXPECT_EQ(t->Fill->isChecked(), c.fillAfter);
    }
}

TEST_F(ToolsAtWork, DashHidesTheGradientChoiceOfAFilledRectangle) {
    click(t->DoRect);
    click(t->Fill);
    ASSERT_EQ(outerHeight(t), 429);
    click(t->Dash);
    EXPECT_TRUE(t->Dash->isChecked());
    EXPECT_FALSE(t->Fill->isChecked());
    EXPECT_FALSE(t->Gradient->isVisible());
    EXPECT_EQ(outerHeight(t), 312);
}

TEST_F(ToolsAtWork, FillAndTheCuttingToolExcludeEachOther) {
    click(p->Scissors);
    ASSERT_TRUE(p->Scissors->isChecked());
    ASSERT_EQ(ws->Form1->cursorId(), PointerMode::Scissors);
    click(t->Fill);
    EXPECT_TRUE(t->Fill->isChecked());
    EXPECT_FALSE(p->Scissors->isChecked());
    EXPECT_EQ(ws->Form1->cursorId(), PointerMode::Default) << "the pointer leaves the scissors too";

    // The palette unchecks Fill for the scissors; the gradient choice goes with it.
    click(t->DoRect);
    ASSERT_EQ(outerHeight(t), 429);
    click(p->Scissors);
    EXPECT_FALSE(t->Fill->isChecked());
    EXPECT_FALSE(t->Gradient->isVisible());
    EXPECT_EQ(outerHeight(t), 312);
}

TEST_F(ToolsAtWork, CornerPressOnAPolygonButtonOpensTheMenuBelowIt) {
    const struct {
        QPoint press;
        bool opens;
    } presses[] = {
        {{30, 30}, true}, {{30, 20}, false}, {{20, 30}, false},
        {{27, 28}, true}, {{26, 39}, false}, {{39, 27}, false},
    };
    for (QToolButton* button : {t->DoPolygon, t->DoPolygonCenter}) {
        for (const auto& c : presses) {
            SCOPED_TRACE(button->objectName().toStdString() + " " + std::to_string(c.press.x()) +
                         "," + std::to_string(c.press.y()));
            click(t->DoCurve);
            QTest::mouseClick(button, Qt::LeftButton, {}, c.press);
            EXPECT_TRUE(button->isChecked()) << "the press selects the polygon either way";
            EXPECT_EQ(t->ButtonPos, c.press);
            EXPECT_EQ(p->DoShowDrawMenu->icon().cacheKey(), button->icon().cacheKey());
            EXPECT_EQ(t->PopupMenu->isVisible(), c.opens);
            if (c.opens) {
                EXPECT_EQ(t->PopupMenu->pos(),
                          QPoint(500 + c.press.x(), 300 + 160 + 40 + c.press.y()));
            }
            t->PopupMenu->hide();
        }
    }
}

TEST_F(ToolsAtWork, PolygonMenuFlipsItsMarks) {
    auto choose = [&](QAction* item) {
        QTest::mouseClick(t->DoPolygon, Qt::LeftButton, {}, QPoint(35, 35));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(t->PopupMenu));
        QTest::mouseClick(t->PopupMenu, Qt::LeftButton, {},
                          t->PopupMenu->actionGeometry(item).center());
        EXPECT_FALSE(t->PopupMenu->isVisible());
    };
    choose(t->MenuRadius);
    EXPECT_TRUE(t->MenuRadius->isChecked());
    EXPECT_FALSE(t->MenuCircle->isChecked());
    choose(t->MenuCircle);
    choose(t->MenuCancel);
    EXPECT_TRUE(t->MenuRadius->isChecked());
    EXPECT_TRUE(t->MenuCircle->isChecked());
    choose(t->MenuRadius);
    EXPECT_FALSE(t->MenuRadius->isChecked());
    t->MenuCircleClick();
    EXPECT_FALSE(t->MenuCircle->isChecked());
}

TEST_F(ToolsAtWork, AxesUnitTakesUpToFiveDigits) {
    const struct {
        const char* before;
        QString typed;
        const char* after;
    } cases[] = {
        {"", QStringLiteral("123456"), "12345"}, {"1", QStringLiteral("a"), "1"},
        {"1", QStringLiteral("2x3"), "123"},     {"", QStringLiteral("-7,5.5 "), "755"},
        {"", QStringLiteral("ä9"), "9"},         {"12345", QStringLiteral("\b"), "1234"},
        {"12345", QStringLiteral("0"), "12345"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        t->AxesUnit->setText(QString::fromUtf8(c.before));
        typeIntoUnit(c.typed);
        EXPECT_EQ(t->AxesUnit->text(), QString::fromUtf8(c.after));
    }
    // A full field refuses a sixth key even over a selection: the key filter counts the
    // text as it stands.
    t->AxesUnit->setText(QStringLiteral("12345"));
    t->AxesUnit->selectAll();
    typeIntoUnit(QStringLiteral("6"));
    EXPECT_EQ(t->AxesUnit->text(), QStringLiteral("12345"));
    // Enter and the editing keys still work on a full field.
    t->AxesUnit->setText(QStringLiteral("12345"));
    QTest::keyClick(t->AxesUnit, Qt::Key_Return);
    QTest::keyClick(t->AxesUnit, Qt::Key_Home);
    QTest::keyClick(t->AxesUnit, Qt::Key_Delete);
    EXPECT_EQ(t->AxesUnit->text(), QStringLiteral("2345"));
    EXPECT_EQ(t->AxesUnitKeyPress(QChar(13)), QChar(13));
    EXPECT_EQ(t->AxesUnitKeyPress(QLatin1Char('x')), QChar(1));
}

TEST_F(ToolsAtWork, AxesUnitRefusesPastedLetters) {
    t->AxesUnit->setText(QStringLiteral("4"));
    t->AxesUnit->setFocus();
    t->AxesUnit->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("7a"));
    t->AxesUnit->paste();
    EXPECT_EQ(t->AxesUnit->text(), QStringLiteral("4"));
    QApplication::clipboard()->setText(QStringLiteral("123456"));
    t->AxesUnit->paste();
    EXPECT_EQ(t->AxesUnit->text(), QStringLiteral("4"));
    QApplication::clipboard()->setText(QStringLiteral("250"));
    t->AxesUnit->paste();
    EXPECT_EQ(t->AxesUnit->text(), QStringLiteral("250"));
}

TEST_F(ToolsAtWork, EmptiedAxesUnitCountsOne) {
    EXPECT_EQ(t->axesUnit(), 1);
    typeIntoUnit(QStringLiteral("5"));
    EXPECT_EQ(t->axesUnit(), 15);
    t->AxesUnit->selectAll();
    QTest::keyClick(t->AxesUnit, Qt::Key_Backspace);
    ASSERT_TRUE(t->AxesUnit->text().isEmpty());
    EXPECT_EQ(t->axesUnit(), 1);
    typeIntoUnit(QStringLiteral("00"));
    EXPECT_EQ(t->axesUnit(), 0) << "zero is a number the user may write";
}

TEST_F(ToolsAtWork, AngleCountStaysWithinThreeTo360) {
    QSpinBox* n = t->AngleCount;
    n->setFocus();
    const struct {
        int start;
        std::function<void()> act;
        int expected;
    } cases[] = {
        {360, [&] { QTest::keyClick(n, Qt::Key_Up); }, 360},
        {360, [&] { QTest::keyClick(n, Qt::Key_PageUp); }, 360},
        {3, [&] { QTest::keyClick(n, Qt::Key_Down); }, 3},
        {3, [&] { QTest::keyClick(n, Qt::Key_PageDown); }, 3},
        {10,
         [&] {
             n->selectAll();
             QTest::keyClicks(n, QStringLiteral("999"));
         },
         99},
        {10,
         [&] {
             n->selectAll();
             QTest::keyClicks(n, QStringLiteral("2"));
             QTest::keyClick(n, Qt::Key_Return);
         },
         10},
        {10,
         [&] {
             n->selectAll();
             QTest::keyClicks(n, QStringLiteral("-4"));
             QTest::keyClick(n, Qt::Key_Return);
         },
         4},
    };
    for (const auto& c : cases) {
        n->setValue(c.start);
        c.act();
        EXPECT_EQ(n->value(), c.expected);
        EXPECT_GE(n->value(), 3);
        EXPECT_LE(n->value(), 360);
    }
}

TEST_F(ToolsAtWork, PaletteShowsTheShapeAndTakesItsPen) {
    for (QAbstractButton* b : t->Shapes->buttons()) {
        SCOPED_TRACE(b->objectName().toStdString());
        click(b);
        EXPECT_EQ(p->DoShowDrawMenu->icon().cacheKey(), b->icon().cacheKey());
        EXPECT_EQ(p->DoShowDrawMenu->icon().pixmap(32).toImage(), b->icon().pixmap(32).toImage());
        // The dot has a pen of its own, in force at once.
        const int width = b == t->DoDot ? 17 : 4;
        EXPECT_EQ(ws->Form1->Canvas.pen.width, width);
        EXPECT_EQ(p->PanelPenWidth->text(), QString::number(width));
    }
}

} // namespace
