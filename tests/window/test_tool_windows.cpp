// Tool windows made from a cut-out, and a tool's pointer handling: moving in the inner
// zone, turning outside it, the double click's steps, the properties window on the right
// button, and a tool destroyed in the middle of a drag.
#include "aids/OptionsForm.h"
#include "app/MesForm.h"
#include "gfx/Picture.h"
#include "test_drawing_fixture.h"
#include "tools/FilesForm.h"
#include "tools/Oper.h"
#include "tools/Osoitin.h"
#include "tools/RotImg.h"
#include "tools/ToolLogic.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>

namespace {

const gfx::Color red = gfx::rgb(255, 0, 0);
const QRgb almostWhite = qRgb(255, 255, 254);

class ToolWindowsTest : public DrawingTest {
protected:
    // The circle of radius 100 around (500, 400) outlined with the cutting tool.
    void outlineCircle() {
        if (!palette->Scissors->isChecked()) palette->Scissors->click();
        choose(tools->DoEllipse);
        drag({400, 300}, {{450, 350}, {600, 500}});
        ASSERT_TRUE(f->PopupMenu->isVisible());
    }
    void chooseItem(QAction* item) {
        QTest::mouseClick(f->PopupMenu, Qt::LeftButton, {},
                          f->PopupMenu->actionGeometry(item).center());
    }
    // A tool of `picture` made at once, the white left as it is.
    TOsoitin* makeTool(const QImage& picture, QPoint at = {300, 300}) {
        f->CopyImage.setImage(picture);
        f->MinXRaja = at.x();
        f->MinYRaja = at.y();
        f->MaxXRaja = at.x() + picture.width();
        f->MaxYRaja = at.y() + picture.height();
        answering(TMesForm::ResultNo, QString(), [&] { f->CreateTool(QStringLiteral("Apu")); });
        return f->ToolForm;
    }
    static QImage filled(int w, int h, QColor c) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(c);
        return image;
    }
};

TEST_F(ToolWindowsTest, TheCutOutBecomesAToolOverItsFrame) {
    ws->OptionsForm->WorkAlpha->setValue(180);
    f->Canvas.fillRect(300, 200, 700, 600, red);
    f->canvasChanged();
    QApplication::processEvents();
    QStringList names, asked;
    for (int n = 1; n <= 2; ++n) {
        outlineCircle();
        const QRect frame(QPoint(f->MinXRaja, f->MinYRaja), QPoint(f->MaxXRaja, f->MaxYRaja));
        asked << answering(TMesForm::ResultNo, QString(), [&] { chooseItem(f->MenuWorkTemp); });
        TOsoitin* tool = f->ToolForm;
        ASSERT_NE(tool, nullptr);
        EXPECT_EQ(f->ActiveForm, tool);
        EXPECT_TRUE(f->toolWindows.tools().contains(tool));
        EXPECT_EQ(f->toolWindows.tools().size(), n);
        names << tool->objectName();
        EXPECT_EQ(tool->Tag, n);
        EXPECT_EQ(tool->windowTitle(), QStringLiteral("Apu."));
        EXPECT_EQ(tool->Hint, QStringLiteral("0"));
        EXPECT_NEAR(tool->windowOpacity(), 180 / 255.0, 0.005);
        EXPECT_TRUE(tool->isVisible());

        // A square frame: the window's top is the frame's, its left centres the picture.
        const QSize picture = tool->Image1->Picture().size();
        ASSERT_EQ(picture, f->CopyImage.image().size());
        EXPECT_EQ(picture.width(), picture.height());
        const int side = picture.height() + 150;
        EXPECT_EQ(tool->geometry(),
                  QRect(frame.left() + frame.width() / 2 - picture.height() / 2 - 65,
                        frame.top() - 65, side, side));
        EXPECT_EQ(tool->Image1->geometry(), QRect(0, 0, side, side));

        // The red inside shows and takes the pointer; the white about it does neither.
        const QPoint centre(side / 2, side / 2);
        EXPECT_EQ(tool->Image1->Picture().bitmap().pixel(picture.width() / 2, picture.height() / 2),
                  red);
        EXPECT_TRUE(tool->windowShape().contains(centre));
        EXPECT_FALSE(tool->windowShape().contains(QPoint(5, 5)));
        EXPECT_FALSE(tool->windowShape().contains(centre + QPoint(95, 95)))
            << "outside the circle, inside its box";
        ASSERT_NE(tool->windowHandle(), nullptr);
        EXPECT_TRUE((tool->windowHandle()->mask() ^ tool->windowShape()).isEmpty())
            << "the shape is the window's";
    }
    EXPECT_EQ(asked,
              QStringList(2, QStringLiteral("Muunnetaanko myös valkoinen väri tartuntapinnaksi?")));
    EXPECT_EQ(names, (QStringList{QStringLiteral("Apu1"), QStringLiteral("Apu2")}));
}

TEST_F(ToolWindowsTest, WhiteBecomesGrabbableOnlyWhenAskedAndOffTheFirstRowAndColumn) {
    // A fully white cut-out.
    for (int answer : {int(TMesForm::ResultYes), int(TMesForm::ResultNo)}) {
        outlineCircle();
        answering(answer, QString(), [&] { chooseItem(f->MenuWorkTemp); });
        TOsoitin* tool = f->ToolForm;
        ASSERT_NE(tool, nullptr);
        const QImage& picture = tool->Image1->Picture().bitmap().image();
        const QRgb inner = answer == TMesForm::ResultYes ? almostWhite : qRgb(255, 255, 255);
        EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 255, 255)) << answer;
        EXPECT_EQ(picture.pixel(picture.width() - 1, 0), qRgb(255, 255, 255)) << answer;
        EXPECT_EQ(picture.pixel(0, picture.height() - 1), qRgb(255, 255, 255)) << answer;
        EXPECT_EQ(picture.pixel(1, 1), inner) << answer;
        EXPECT_EQ(picture.pixel(picture.width() / 2, picture.height() / 2), inner) << answer;
        EXPECT_EQ(picture.pixel(picture.width() - 1, picture.height() - 1), inner) << answer;
        // The almost-white takes the pointer: the tool can be grabbed anywhere on it.
        EXPECT_EQ(tool->windowShape().contains(QPoint(tool->width() / 2, tool->height() / 2)),
                  answer == TMesForm::ResultYes)
            << answer;
        // All white and kept so: nothing of the window shows.
        ASSERT_NE(tool->windowHandle(), nullptr);
        const QRegion mask = tool->windowHandle()->mask();
        EXPECT_FALSE(mask.isEmpty()) << "a window without a mask shows whole";
        EXPECT_EQ(mask.intersects(tool->rect()), answer == TMesForm::ResultYes) << answer;
        // Gone before the next cut-out, which is not to see it on the screen.
        delete tool;
    }
}

// The smallest cut-out and cut-outs reaching over the screen's left and top edges, where the
// stroke's anchor lies off the screen: each becomes a tool of its own picture, placed by the
// frame, with the anchor brought back onto the screen.
TEST_F(ToolWindowsTest, TinyAndEdgeCutOutsBecomeTools) {
    struct Case {
        const char* what;
        QSize picture;
        QPoint frame;
        QPoint anchor;
    };
    const Case cases[] = {
        {"one pixel", {1, 1}, {300, 300}, {300, 300}},
        {"over the left edge", {60, 40}, {-25, 200}, {-25, 200}},
        {"over the top-left corner", {30, 50}, {-10, -20}, {-10, -20}},
    };
    for (const Case& c : cases) {
        f->Xa = c.anchor.x();
        f->Ya = c.anchor.y();
        TOsoitin* tool =
            makeTool(filled(c.picture.width(), c.picture.height(), Qt::black), c.frame);
        ASSERT_NE(tool, nullptr) << c.what;
        EXPECT_EQ(tool->Image1->Picture().size(), c.picture) << c.what;
        const int longer = std::max(c.picture.width(), c.picture.height());
        EXPECT_EQ(tool->size(), QSize(longer + 150, longer + 150)) << c.what;
        const ToolPlacement at =
            createToolPlacement(c.picture.width(), c.picture.height(), f->MinXRaja, f->MinYRaja,
                                f->MaxXRaja, f->MaxYRaja);
        EXPECT_EQ(tool->pos(), QPoint(at.left, at.top)) << c.what;
        EXPECT_EQ(QPoint(f->Xa, f->Ya),
                  QPoint(std::max(c.anchor.x(), 0), std::max(c.anchor.y(), 0)))
            << c.what;
        // The black shows and takes the pointer, however small.
        EXPECT_FALSE(tool->windowShape().isEmpty()) << c.what;
        EXPECT_TRUE(tool->windowShape().contains(QPoint(tool->width() / 2, tool->height() / 2)))
            << c.what;
        delete tool;
        EXPECT_EQ(f->ActiveForm, nullptr) << c.what;
    }
}

TEST_F(ToolWindowsTest, ToolIntoTheLibraryWritesItsPictureUnderTheTypedName) {
    struct Case {
        const char* typed;
        int filter;
        const char* written;
        gfx::PictureFormat format;
        const char* caption;
    };
    const QString folder = root.path() + QStringLiteral("/tools/");
    ASSERT_TRUE(QDir().mkpath(folder));
    ws->FilesForm->ToolsFolder = folder;
    f->Canvas.fillRect(300, 200, 700, 600, red);
    f->canvasChanged();
    QApplication::processEvents();
    for (const Case& c : {Case{"ympyra.kuva", 2, "ympyra.bmp", gfx::PictureFormat::Bmp, "ympyra."},
                          Case{"pallo", 1, "pallo.jpeg", gfx::PictureFormat::Jpeg, "pallo."}}) {
        outlineCircle();
        answering(
            TMesForm::ResultNo, folder + QString::fromUtf8(c.typed),
            [&] { chooseItem(f->MenuWork); }, c.filter);
        TOsoitin* tool = f->ToolForm;
        ASSERT_NE(tool, nullptr) << c.typed;
        EXPECT_EQ(tool->windowTitle(), QString::fromUtf8(c.caption));
        const QString written = folder + QString::fromUtf8(c.written);
        ASSERT_TRUE(QFile::exists(written)) << c.written;
        const QImage saved = gfx::loadPicture(written, c.format);
        EXPECT_EQ(saved.size(), tool->Image1->Picture().size()) << c.written;
        if (c.format == gfx::PictureFormat::Bmp) {
            EXPECT_EQ(saved.pixel(saved.width() / 2, saved.height() / 2), qRgb(255, 0, 0));
        }
    }
    EXPECT_FALSE(QFile::exists(folder + "ympyra.kuva")) << "the typed name alone is not written";

    // Cancelled: neither a tool nor a file.
    const QStringList files = QDir(folder).entryList(QDir::Files);
    outlineCircle();
    answering(TMesForm::ResultNo, QString(), [&] { chooseItem(f->MenuWork); });
    EXPECT_EQ(f->toolWindows.tools().size(), 2);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), files);
}

TEST_F(ToolWindowsTest, PressInTheInnerZoneMovesAndOutsideItTurns) {
    TOsoitin* tool = makeTool(filled(200, 100, Qt::red));
    ASSERT_NE(tool, nullptr);
    const int side = tool->width();
    ASSERT_EQ(side, 350);
    const QPoint c(side / 2, side / 2);
    const QPoint start = tool->pos();

    // Mode "0", the inner zone: the window follows the pointer.
    tool->Image1MouseMove(Qt::NoButton, c.x(), c.y());
    EXPECT_EQ(tool->Image1->cursor().shape(), Qt::SizeAllCursor);
    tool->Image1MouseDown(Qt::LeftButton, Qt::LeftButton, c.x(), c.y());
    EXPECT_TRUE(tool->Moving);
    EXPECT_FALSE(tool->Rotating);
    tool->Image1MouseMove(Qt::LeftButton, c.x() + 10, c.y() - 5);
    EXPECT_EQ(tool->pos(), start + QPoint(10, -5));
    EXPECT_EQ(tool->Image1->Angle(), 0);
    tool->Image1MouseUp(Qt::LeftButton, Qt::NoButton, c.x() + 10, c.y() - 5);
    EXPECT_FALSE(tool->Moving);

    // Outside the zone the pointer turns the picture by its change of direction.
    QSignalSpy rebuilt(tool->Image1, &TRotateImage::rotated);
    const QRegion straight = tool->windowShape();
    tool->Image1MouseMove(Qt::NoButton, c.x() + 125, c.y());
    EXPECT_EQ(tool->Image1->cursor().shape(), Qt::PointingHandCursor);
    tool->Image1MouseDown(Qt::LeftButton, Qt::LeftButton, c.x() + 125, c.y());
    EXPECT_TRUE(tool->Rotating);
    EXPECT_FALSE(tool->Moving);
    tool->Image1MouseMove(Qt::LeftButton, c.x(), c.y() - 125);
    EXPECT_EQ(tool->Image1->Angle(), 90) << "up from the right is a quarter turn";
    EXPECT_EQ(tool->pos(), start + QPoint(10, -5));
    EXPECT_EQ(rebuilt.count(), 1);
    // The shape turned with the picture: now tall.
    const QRect turned = tool->windowShape().boundingRect();
    EXPECT_GT(turned.height(), turned.width());
    EXPECT_NEAR(turned.height(), straight.boundingRect().width(), 2);
    EXPECT_TRUE(tool->windowShape().contains(c + QPoint(0, 90)));
    EXPECT_FALSE(tool->windowShape().contains(c + QPoint(90, 0)));
    tool->Image1MouseUp(Qt::LeftButton, Qt::NoButton, c.x(), c.y() - 125);

    // Angles that round to the present one, or are it after a full turn, rebuild nothing.
    for (double a : {90.5, 89.5, 450.0}) {
        tool->PerformRotation(a);
        EXPECT_EQ(tool->Image1->Angle(), 90) << a;
    }
    EXPECT_EQ(rebuilt.count(), 1);
    tool->PerformRotation(-271.4);
    EXPECT_EQ(tool->Image1->Angle(), -271);

    // In mode "1" the inner zone turns too.
    tool->Hint = QStringLiteral("1");
    tool->Image1MouseMove(Qt::NoButton, c.x(), c.y());
    EXPECT_EQ(tool->Image1->cursor().shape(), Qt::PointingHandCursor);
    tool->Image1MouseDown(Qt::LeftButton, Qt::LeftButton, c.x(), c.y());
    EXPECT_TRUE(tool->Rotating);
    EXPECT_EQ(tool->StartAngle, -271);
}

TEST_F(ToolWindowsTest, DoubleClickStepsTheAngle) {
    TOsoitin* tool = makeTool(filled(120, 80, Qt::blue));
    ASSERT_NE(tool, nullptr);
    struct Case {
        double angle, after;
    };
    for (const Case& c : {Case{30, 0}, Case{0, -45}, Case{-45, -90}, Case{90, 45}}) {
        tool->Image1->SetAngle(c.angle);
        tool->Image1DblClick();
        EXPECT_EQ(tool->Image1->Angle(), c.after) << c.angle;
    }
}

TEST_F(ToolWindowsTest, RightButtonOpensThePropertiesAtThePointer) {
    TOsoitin* tool = makeTool(filled(200, 200, Qt::red));
    ASSERT_NE(tool, nullptr);
    const QPoint start = tool->pos();
    const QPoint p(180, 170);
    tool->Image1MouseMove(Qt::NoButton, p.x(), p.y());
    tool->Image1MouseDown(Qt::RightButton, Qt::RightButton, p.x(), p.y());
    EXPECT_FALSE(tool->Moving);
    EXPECT_FALSE(tool->Rotating);
    tool->Image1MouseMove(Qt::RightButton, p.x() + 40, p.y() + 30);
    tool->Image1MouseUp(Qt::RightButton, Qt::NoButton, p.x() + 40, p.y() + 30);
    EXPECT_EQ(tool->pos(), start);
    EXPECT_EQ(tool->Image1->Angle(), 0);
    ASSERT_TRUE(ws->Oper->isVisible());
    EXPECT_EQ(ws->Oper->pos(), f->pos() + tool->pos() + p + QPoint(40, 30));

    // The next press closes it and keeps the mode chosen there.
    ws->Oper->Rotating->setChecked(true);
    ws->Oper->Moving->setChecked(false);
    tool->Image1MouseDown(Qt::LeftButton, Qt::LeftButton, p.x(), p.y());
    EXPECT_FALSE(ws->Oper->isVisible());
    EXPECT_EQ(tool->Hint, QStringLiteral("1"));
    EXPECT_TRUE(tool->Rotating);
}

TEST_F(ToolWindowsTest, AToolDestroyedDuringADragLeavesNoActiveTool) {
    TOsoitin* b = makeTool(filled(100, 100, Qt::green), {100, 100});
    TOsoitin* a = makeTool(filled(100, 100, Qt::red), {500, 300});
    ASSERT_TRUE(a && b);
    const QPoint c(a->width() / 2, a->height() / 2);
    for (TOsoitin* t : {b, a}) {
        t->Image1MouseMove(Qt::NoButton, c.x(), c.y());
        t->Image1MouseDown(Qt::LeftButton, Qt::LeftButton, c.x(), c.y());
        ASSERT_TRUE(t->Moving);
    }
    ASSERT_EQ(f->ActiveForm, a);
    delete a;
    EXPECT_EQ(f->ActiveForm, nullptr);
    EXPECT_EQ(f->ToolForm, nullptr);
    EXPECT_EQ(f->toolWindows.tools(), QList<TOsoitin*>{b});

    // The other tool's drag goes on with no tool to move.
    const QPoint at = b->pos();
    b->Image1MouseMove(Qt::LeftButton, c.x() + 20, c.y() + 20);
    b->Image1MouseUp(Qt::RightButton, Qt::NoButton, c.x() + 20, c.y() + 20);
    EXPECT_EQ(b->pos(), at);
    EXPECT_FALSE(b->Moving);
    EXPECT_FALSE(ws->Oper->isVisible()) << "no tool to show the properties of";
}

TEST_F(ToolWindowsTest, ShapeIsExactlyTheNonWhitePixelsInFewRectangles) {
    // Two bands of the same runs, a row with a run at each edge, a dot, and white rows.
    QImage image(9, 7, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRgb ink = qRgb(10, 20, 30);
    for (int y = 1; y <= 2; ++y)
        for (int x : {1, 2, 3, 6})
            image.setPixel(x, y, ink);
    image.setPixel(0, 4, ink);
    image.setPixel(8, 4, ink);
    image.setPixel(4, 6, almostWhite); // almost white is not white
    QRegion expected;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) expected += QRect(x, y, 1, 1);
    const QRegion shape = TOsoitin::nonWhiteRegion(image);
    EXPECT_TRUE((shape ^ expected).isEmpty());
    EXPECT_EQ(shape.rectCount(), 5) << "a rectangle per run, rows of the same runs together";
    EXPECT_TRUE(TOsoitin::nonWhiteRegion(filled(4, 4, Qt::white)).isEmpty());
    EXPECT_TRUE(
        (TOsoitin::nonWhiteRegion(filled(4, 3, Qt::black)) ^ QRegion(0, 0, 4, 3)).isEmpty());

    // A turned picture: the region against a pixel-by-pixel reading of what the tool shows.
    TOsoitin* tool = makeTool(filled(60, 40, Qt::red));
    ASSERT_NE(tool, nullptr);
    tool->PerformRotation(30);
    QImage shown(tool->size(), QImage::Format_RGB32);
    shown.fill(Qt::white);
    tool->Image1->render(&shown, QPoint(), QRegion(), {});
    QRegion seen;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if ((shown.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) seen += QRect(x, y, 1, 1);
    EXPECT_FALSE(seen.isEmpty());
    EXPECT_TRUE((tool->windowShape() ^ seen).isEmpty());
}

TEST_F(ToolWindowsTest, ThePicturesPointerEventsReachTheWindowsHandlers) {
    TOsoitin* tool = makeTool(filled(100, 100, Qt::red));
    ASSERT_NE(tool, nullptr);
    const QPoint c(tool->width() / 2, tool->height() / 2);
    QTest::mouseDClick(tool->Image1, Qt::LeftButton, {}, c);
    EXPECT_EQ(tool->Image1->Angle(), -45) << "a double click steps from straight";
    QTest::mouseRelease(tool->Image1, Qt::LeftButton, {}, c);
    EXPECT_FALSE(tool->Rotating) << "the release ends the turn the second press began";
    QTest::mousePress(tool->Image1, Qt::RightButton, {}, c);
    QTest::mouseRelease(tool->Image1, Qt::RightButton, {}, c);
    EXPECT_TRUE(ws->Oper->isVisible());
    EXPECT_EQ(ws->Oper->pos(), f->pos() + tool->pos() + c);
}

} // namespace
