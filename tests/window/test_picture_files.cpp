// The palette's picture buttons: saving the screen under the name rules, opening picture
// files onto the surface (and refusing bad ones), printing in both modes, and taking the
// background.
#include "aids/OptionsForm.h"
#include "app/MesForm.h"
#include "app/PictureDialogs.h"
#include "app/PictureFilesLogic.h"
#include "support/Unprivileged.h"
#include "test_drawing_fixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const gfx::Color red = gfx::rgb(255, 0, 0);
const gfx::Color blue = gfx::rgb(0, 0, 255);

class PictureFiles : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        f->Canvas.fillRect(100, 100, 200, 150, red);
        f->canvasChanged();
        QApplication::processEvents();
        before = surface().copy();
    }
    QString dataFolder() const { return palette->folders.DataFolder; }
    QStringList dataFiles() const { return QDir(dataFolder()).entryList(QDir::Files); }
    // A picture file in the test's own folder.
    QString writePicture(const QString& name, QSize size, gfx::Color c, gfx::PictureFormat format) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(gfx::toArgb(c));
        const QString path = files.filePath(name);
        gfx::savePicture(picture, path, format);
        return path;
    }
    void openFile(const QString& path) {
        answerFileDialog(path);
        palette->DoOpenClick();
    }

    QImage before;
    QTemporaryDir files;
};

TEST_F(PictureFiles, SavedScreenTakesItsNameAndFormatFromTheRules) {
    struct Case {
        const char* typed;
        int filter;
        const char* written;
        gfx::PictureFormat format;
    };
    for (const Case& c : {Case{"kuva", 2, "kuva.gif", gfx::PictureFormat::Gif},
                          Case{"kuva.jpg", 1, "kuva.jpeg", gfx::PictureFormat::Jpeg},
                          Case{"kuva.bmp", 3, "kuva.bmp", gfx::PictureFormat::Bmp},
                          Case{"kuva.png", 1, "kuva.png", gfx::PictureFormat::Bmp},
                          Case{"loma.kuva.jpg", 2, "loma.jpeg", gfx::PictureFormat::Jpeg}}) {
        QString seen;
        answerFileDialog(dataFolder() + QString::fromUtf8(c.typed), c.filter, &seen);
        palette->DoSaveClick();
        EXPECT_EQ(seen, dataFolder());
        QFile file(dataFolder() + QString::fromUtf8(c.written));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.written;
        EXPECT_EQ(pictureFormatOfContent(file.read(8)), c.format) << c.written;
        const QImage saved = gfx::loadPicture(file.fileName(), c.format);
        ASSERT_EQ(saved.size(), QSize(1920, 1080)) << c.written;
        // The screen as it was shown: the red mark at its place (JPEG only nearly red).
        const QRgb mark = saved.pixel(150, 120);
        EXPECT_GT(qRed(mark), 230) << c.written;
        EXPECT_LT(qGreen(mark) + qBlue(mark), 40) << c.written;
        EXPECT_TRUE(f->CopyImage.isEmpty());
        EXPECT_TRUE(f->Image1.isEmpty());
        file.remove();
    }
    EXPECT_FALSE(QFile::exists(dataFolder() + "kuva.jpg")) << "a .jpg name is written as .jpeg";
    EXPECT_EQ(surface(), before);
}

TEST_F(PictureFiles, CancelledDialogsChangeNothing) {
    const QStringList filesBefore = dataFiles();
    answerFileDialog(QString());
    palette->DoSaveClick();
    answerFileDialog(QString());
    palette->DoOpenClick();
    EXPECT_EQ(dataFiles(), filesBefore);
    EXPECT_EQ(surface(), before);
    EXPECT_TRUE(f->Arc1Image.isEmpty());
}

TEST_F(PictureFiles, AFailedSaveLeavesNoFileOrTheOldOneWhole) {
    // A file-size limit of the process stands for a disk that fills up.
    const QString target = dataFolder() + "kuva.bmp";
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("vanha");
    }
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    answerFileDialog(target, 1);
    QString error;
    try {
        palette->DoSaveClick();
    } catch (const gfx::PictureError& e) {
        error = e.message();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(error.startsWith("Kuvatiedostoa ei voi tallentaa")) << error.toStdString();
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "vanha");
    EXPECT_EQ(dataFiles(), QStringList{"kuva.bmp"}) << "no half-written file beside it";
    EXPECT_TRUE(f->CopyImage.isEmpty());
    EXPECT_TRUE(f->Image1.isEmpty());
}

TEST_F(PictureFiles, SavingIntoAFolderThatCannotBeWrittenIsReported) {
    const int code = runWithoutWriteAccess(dataFolder(), [&] {
        answerFileDialog(dataFolder() + "kuva", 2);
        try {
            palette->DoSaveClick();
        } catch (const gfx::PictureError& e) {
            return e.message().contains("Tiedostoa ei voi kirjoittaa") ? 0 : 2;
        }
        return 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(dataFiles().isEmpty());
}

TEST_F(PictureFiles, OpenedPictureIsShownFromTheTopLeftCorner) {
    struct Case {
        const char* name;
        gfx::PictureFormat format;
        QSize size;
    };
    for (const Case& c : {Case{"pieni.bmp", gfx::PictureFormat::Bmp, {50, 40}},
                          Case{"pieni.gif", gfx::PictureFormat::Gif, {50, 40}},
                          Case{"pieni.jpeg", gfx::PictureFormat::Jpeg, {50, 40}},
                          // A name the dialog does not offer is read by its content.
                          Case{"pieni.jpg", gfx::PictureFormat::Jpeg, {50, 40}},
                          Case{"iso.bmp", gfx::PictureFormat::Bmp, {2500, 1200}}}) {
        f->Canvas.image() = before.copy();
        openFile(writePicture(QString::fromUtf8(c.name), c.size, blue, c.format));
        const QRgb corner = f->Canvas.image().pixel(0, 0);
        EXPECT_GT(qBlue(corner), 230) << c.name;
        EXPECT_LT(qRed(corner) + qGreen(corner), 30) << c.name;
        if (c.size.width() < 1920) {
            EXPECT_EQ(at(150, 120), red) << c.name << ": the rest stays as it was";
            EXPECT_EQ(at(50, 20), gfx::White) << c.name;
        } else {
            EXPECT_EQ(at(1919, 1079), blue) << c.name;
        }
        EXPECT_TRUE(f->Arc1Image.isEmpty()) << "opening takes no snapshot";
    }
}

TEST_F(PictureFiles, OpenDialogPreviewsThePictureNamed) {
    const QString picture =
        writePicture("esikatselu.bmp", {300, 150}, blue, gfx::PictureFormat::Bmp);
    QFile text(files.filePath("kirje.bmp"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("ei kuva");
    text.close();
    QImage shown, shownForText;
    QString caption, textCaption;
    whenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<TOpenPictureDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        auto* typed = dialog->findChild<QLineEdit*>("fileNameEdit");
        typed->setText(picture);
        shown = dialog->Preview->pixmap().toImage();
        caption = dialog->PreviewCaption->text();
        typed->setText(text.fileName());
        shownForText = dialog->Preview->pixmap().toImage();
        textCaption = dialog->Preview->text();
        dialog->reject();
    });
    palette->DoOpenClick();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.width(), 200) << "made to fit the pane";
    EXPECT_EQ(shown.height(), 100);
    EXPECT_EQ(gfx::fromArgb(shown.pixel(100, 50)), blue);
    EXPECT_EQ(caption, "300 × 150");
    EXPECT_TRUE(shownForText.isNull());
    EXPECT_EQ(textCaption, "Ei esikatselua");
    EXPECT_EQ(surface(), before);
}

TEST_F(PictureFiles, BadFilesAreReportedAndChangeNothing) {
    QFile text(files.filePath("kirje.png"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("ei kuva");
    text.close();
    const QString data = QStringLiteral(RAVO_TEST_DATA "/gfx/");
    for (const QString& path : {data + "truncated.bmp", data + "corrupt.jpeg", data + "empty.gif",
                                data + "jpeg-named.gif", data + "huge.bmp", text.fileName()}) {
        f->Image1.clear();
        answerFileDialog(path);
        QString error;
        try {
            palette->DoOpenClick();
        } catch (const std::runtime_error& e) {
            error = QString::fromUtf8(e.what());
        }
        EXPECT_FALSE(error.isEmpty()) << path.toStdString();
        EXPECT_EQ(surface(), before) << path.toStdString();
        EXPECT_TRUE(f->Image1.isEmpty()) << path.toStdString();
        EXPECT_TRUE(f->Arc1Image.isEmpty());
    }
}

// Printing into a PDF file and reading the page back as pixels.
class Printing : public PictureFiles {
protected:
    QImage printAndRead() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(files.filePath("sivu.pdf"));
        printer.setPageOrientation(QPageLayout::Portrait);
        // Without margins the printable area is the whole page, so the page's pixels can
        // be compared with the screen's.
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
        palette->PrintTo(printer);
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait) << "restored";
        QProcess raster;
        raster.start("pdftoppm", {"-r", "20", "-png", "-singlefile", printer.outputFileName(),
                                  files.filePath("sivu")});
        EXPECT_TRUE(raster.waitForFinished(30000));
        return QImage(files.filePath("sivu.png"));
    }
    // The page's colour at the place of screen point p, with the screen stretched over it,
    // rounded to what the rasteriser's colour handling leaves of the pure colours.
    static QRgb pageAt(const QImage& page, QPoint p) {
        const QRgb c = page.pixel(p.x() * page.width() / 1920, p.y() * page.height() / 1080);
        auto level = [](int v) { return v > 230 ? 255 : v < 25 ? 0 : v; };
        return qRgb(level(qRed(c)), level(qGreen(c)), level(qBlue(c)));
    }
};

TEST_F(Printing, OpaqueModePrintsTheDrawingStretchedOverALandscapePage) {
    palette->DoDocument->click();
    const QImage page = printAndRead();
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height()) << "landscape";
    EXPECT_EQ(pageAt(page, {150, 125}), qRgb(255, 0, 0));
    EXPECT_EQ(pageAt(page, {400, 600}), qRgb(255, 255, 255));
    // Stretched: the drawing's far corner is the page's.
    f->Canvas.fillRect(1800, 1000, 1920, 1080, blue);
    const QImage again = printAndRead();
    EXPECT_EQ(pageAt(again, {1919, 1079}), qRgb(0, 0, 255));
    EXPECT_EQ(pageAt(again, {1790, 990}), qRgb(255, 255, 255));
}

TEST_F(Printing, TransparentModePrintsTheScreenAndLeavesThePaletteAsItWas) {
    const QPoint palettePos = palette->pos();
    const gfx::Pen pen = f->Canvas.pen;
    const bool drawState = palette->drawStateOn();
    const QImage page = printAndRead();
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height());
    EXPECT_EQ(pageAt(page, {150, 125}), qRgb(255, 0, 0));
    EXPECT_TRUE(palette->isVisible());
    EXPECT_FALSE(palette->Capturing);
    EXPECT_EQ(palette->pos(), palettePos);
    EXPECT_EQ(palette->drawStateOn(), drawState);
    EXPECT_EQ(f->Canvas.pen.width, pen.width);
    EXPECT_EQ(f->Canvas.pen.color, pen.color);
    EXPECT_EQ(surface(), before);
}

TEST_F(PictureFiles, CameraTwiceTakesTheBackgroundOnceThenOnlyTellsWhy) {
    ASSERT_FALSE(palette->DoDocument->isChecked());
    palette->DoCameraClick();
    EXPECT_TRUE(palette->DoDocument->isChecked()) << "the opaque mode is on";
    EXPECT_EQ(f->alpha(), 255);
    EXPECT_EQ(f->Image1.image().size(), QSize(1920, 1080)) << "Image1 keeps the background";
    EXPECT_EQ(at(150, 120), red);
    EXPECT_TRUE(palette->isVisible());
    EXPECT_FALSE(palette->Capturing);

    QString text;
    QPoint shownAt;
    whenModal([&](QWidget* w) {
        auto* m = qobject_cast<TMesForm*>(w);
        ASSERT_NE(m, nullptr);
        text = m->Info->toPlainText();
        shownAt = m->pos();
        m->done(TMesForm::ResultYes);
    });
    const QImage shown = surface().copy();
    palette->DoCameraClick();
    EXPECT_EQ(text, "Taustakuvan voi ottaa vain läpinäkyvässä tilassa.");
    const int paletteLeft = palette->frameGeometry().left();
    const int expectedLeft = paletteLeft >= 100 ? paletteLeft - ws->MesForm->frameGeometry().width()
                                                : paletteLeft + palette->frameGeometry().width();
    EXPECT_EQ(shownAt.x(), expectedLeft);
    EXPECT_EQ(shownAt.y(), palette->y() + palette->DoCamera->mapTo(palette, QPoint(0, 0)).y());
    EXPECT_EQ(surface(), shown);
}

} // namespace
