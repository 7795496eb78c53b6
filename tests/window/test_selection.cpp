// The cut-out menu on an outlined circle, saving the cut-out, and pasting the clipboard's
// picture at the pointer.
#include "app/MesForm.h"
#include "app/PictureFilesLogic.h"
#include "test_drawing_fixture.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>

namespace {

const gfx::Color red = gfx::rgb(255, 0, 0);

class Selection : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        // Something to cut: a red square behind the circle.
        f->Canvas.fillRect(300, 200, 700, 600, red);
        f->canvasChanged();
        QApplication::processEvents();
        beforeStroke = surface().copy();
    }
    // The circle of radius 100 around (500, 400), outlined with the cutting tool.
    void outlineCircle() {
        if (!palette->Scissors->isChecked()) palette->Scissors->click();
        choose(tools->DoEllipse);
        drag({400, 300}, {{450, 350}, {600, 500}});
        ASSERT_TRUE(f->PopupMenu->isVisible());
        frame = QRect(QPoint(f->MinXRaja, f->MinYRaja), QPoint(f->MaxXRaja - 1, f->MaxYRaja - 1));
    }
    void choose(QAction* item) {
        QTest::mouseClick(f->PopupMenu, Qt::LeftButton, {},
                          f->PopupMenu->actionGeometry(item).center());
    }
    using DrawingTest::choose;
    QImage clipboardPicture() const { return QGuiApplication::clipboard()->image(); }
    // A pixel of the clipboard's picture at screen point p.
    gfx::Color clipAt(const QImage& clip, QPoint p) const {
        return gfx::fromArgb(clip.pixel(p - frame.topLeft()));
    }

    QImage beforeStroke;
    QRect frame;
    // Inside the circle, and inside its box but outside the circle.
    const QPoint inside{500, 400};
    const QPoint outside{405, 305};
};

TEST_F(Selection, CopyPutsTheInsideOnTheClipboardAndLeavesTheSurface) {
    outlineCircle();
    const int index = palette->ImageIndex;
    choose(f->MenuCopy);
    const QImage clip = clipboardPicture();
    ASSERT_EQ(clip.size(), frame.size());
    EXPECT_EQ(clipAt(clip, inside), red);
    EXPECT_EQ(clipAt(clip, outside), gfx::White);
    EXPECT_EQ(clipAt(clip, frame.topLeft() + QPoint(2, 2)), gfx::White);
    EXPECT_EQ(surface(), beforeStroke) << "unchanged, without the outline";
    EXPECT_EQ(palette->ImageIndex, index) << "the cursor stays where the press put it";
    palette->DoCancelClick();
    EXPECT_EQ(surface(), beforeStroke);
}

TEST_F(Selection, CutAndDeleteWhitenTheInsideOnTheSurface) {
    struct Case {
        QAction* TForm1::*item;
        gfx::Color clipInside, clipOutside;
    };
    for (const Case& c :
         {Case{&TForm1::MenuCut, red, gfx::White}, Case{&TForm1::MenuClear, gfx::White, red}}) {
        outlineCircle();
        choose(f->*c.item);
        const QImage clip = clipboardPicture();
        ASSERT_EQ(clip.size(), frame.size());
        EXPECT_EQ(clipAt(clip, inside), c.clipInside) << (f->*c.item)->text().toStdString();
        EXPECT_EQ(clipAt(clip, outside), c.clipOutside) << (f->*c.item)->text().toStdString();
        EXPECT_EQ(at(inside.x(), inside.y()), gfx::White);
        EXPECT_EQ(at(outside.x(), outside.y()), red);
        EXPECT_EQ(at(400, 400), red) << "the outline itself is gone";
        // One undo brings the surface back as it was before the cutting stroke.
        palette->DoCancelClick();
        EXPECT_EQ(surface(), beforeStroke);
    }
}

TEST_F(Selection, CancelTakesTheOutlineAway) {
    outlineCircle();
    ASSERT_NE(surface(), beforeStroke);
    choose(f->MenuCancel);
    EXPECT_EQ(surface(), beforeStroke);
    EXPECT_FALSE(f->PopupMenu->isVisible());
}

TEST_F(Selection, SaveWritesTheCutOutUnderTheNameRule) {
    struct Case {
        const char* typed;
        int filter;
        const char* written;
        gfx::PictureFormat format;
    };
    const QString folder = palette->folders.DataFolder;
    for (const Case& c : {Case{"piirros", 2, "piirros.gif", gfx::PictureFormat::Gif},
                          Case{"kuva.jpg", 3, "kuva.jpg", gfx::PictureFormat::Jpeg},
                          Case{"kuva.png", 1, "kuva.png.bmp", gfx::PictureFormat::Bmp}}) {
        outlineCircle();
        QString seen;
        answerFileDialog(folder + QString::fromUtf8(c.typed), c.filter, &seen);
        choose(f->MenuSave);
        EXPECT_EQ(seen, folder) << "the dialog opens in the data folder";
        QFile file(folder + QString::fromUtf8(c.written));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.written;
        EXPECT_EQ(pictureFormatOfContent(file.read(8)), c.format) << c.written;
        const QImage saved = gfx::loadPicture(file.fileName(), c.format);
        EXPECT_EQ(saved.size(), frame.size());
        if (c.format != gfx::PictureFormat::Jpeg) {
            EXPECT_EQ(gfx::fromArgb(saved.pixel(inside - frame.topLeft())), red);
            EXPECT_EQ(gfx::fromArgb(saved.pixel(outside - frame.topLeft())), gfx::White);
        }
        EXPECT_EQ(surface(), beforeStroke) << c.written;
        EXPECT_TRUE(f->CopyImage.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(folder + "kuva.png")) << "the typed name alone is not written";
}

TEST_F(Selection, CancelledSaveWritesNothingAndTakesTheOutlineAway) {
    outlineCircle();
    const QStringList before = QDir(palette->folders.DataFolder).entryList(QDir::Files);
    answerFileDialog(QString());
    choose(f->MenuSave);
    EXPECT_EQ(surface(), beforeStroke);
    EXPECT_EQ(QDir(palette->folders.DataFolder).entryList(QDir::Files), before);
}

TEST_F(Selection, AFrameOverTheScreensEdgeMasksOnlyTheInside) {
    // The frame reaches past the top-left corner; its fill must still find the outside.
    f->Canvas.fillRect(0, 0, 300, 300, red);
    palette->Scissors->click();
    choose(tools->DoEllipse);
    drag({5, 5}, {{50, 50}, {205, 205}});
    ASSERT_TRUE(f->PopupMenu->isVisible());
    ASSERT_LT(f->MinXRaja + 8, 0);
    choose(f->MenuCut);
    EXPECT_EQ(at(105, 105), gfx::White) << "the inside is cut";
    EXPECT_EQ(at(8, 8), red) << "outside the circle, inside its box";
    EXPECT_EQ(at(1, 105), red);
    EXPECT_EQ(at(250, 250), red);
}

class Paste : public Selection {
protected:
    // Opens the right button's menu at p and chooses "Liitä" in it.
    void pasteAt(QPoint p) {
        f->FormMouseDown(Qt::RightButton, {Qt::RightButton, {}}, p.x(), p.y());
        f->FormMouseUp(Qt::RightButton, {Qt::NoButton, {}}, p.x(), p.y());
        QMenu* menu = f->PopupMenuMbRight;
        ASSERT_TRUE(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(f->MenuMbRighPastePoint).center());
    }
};

TEST_F(Paste, WhiteIsSeeThroughAndOneUndoTakesThePasteAway) {
    QImage picture(60, 40, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 10; y < 20; ++y)
        for (int x = 20; x < 30; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 0));
    QGuiApplication::clipboard()->setImage(picture);
    pasteAt({280, 190});
    EXPECT_EQ(at(300, 200), gfx::Black);
    EXPECT_EQ(at(309, 209), gfx::Black);
    EXPECT_EQ(at(310, 205), red) << "the white background shows the drawing";
    EXPECT_EQ(at(285, 195), gfx::White);
    palette->DoCancelClick();
    EXPECT_EQ(surface(), beforeStroke);
}

TEST_F(Paste, APictureLargerThanTheScreenIsClippedAtItsEdges) {
    QImage picture(10000, 10000, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 255));
    QGuiApplication::clipboard()->setImage(picture);
    picture = QImage();
    pasteAt({1900, 1060});
    EXPECT_EQ(at(1900, 1060), gfx::rgb(0, 0, 255));
    EXPECT_EQ(at(1919, 1079), gfx::rgb(0, 0, 255));
    EXPECT_EQ(at(1899, 1060), gfx::White);
    EXPECT_EQ(surface().size(), QSize(1920, 1080));
    QGuiApplication::clipboard()->clear();
}

TEST_F(Paste, WithoutAPictureOnlyAMessageAtTheCentredPlace) {
    struct Case {
        std::function<void()> fill;
        const char* message;
    };
    for (const Case& c :
         {Case{[] { QGuiApplication::clipboard()->clear(); }, "Leikepöytä on tyhjä."},
          Case{[] { QGuiApplication::clipboard()->setText("teksti"); },
               "Leikepöydällä ei ole bittikarttaa."}}) {
        c.fill();
        QPoint shownAt;
        QString text;
        whenModal([&](QWidget* w) {
            auto* m = qobject_cast<TMesForm*>(w);
            ASSERT_NE(m, nullptr);
            shownAt = m->pos();
            text = m->Info->toPlainText();
            m->done(TMesForm::ResultYes);
        });
        pasteAt({500, 400});
        EXPECT_EQ(text, QString::fromUtf8(c.message));
        EXPECT_EQ(shownAt, QPoint(f->Xmespos, f->Ymespos));
        EXPECT_EQ(surface(), beforeStroke);
        EXPECT_TRUE(f->Arc1Image.isEmpty()) << "no snapshot";
    }
}

} // namespace
