// The installed program's pictures on a real desktop: a region cut out with the pointer goes
// onto the X clipboard and pastes back elsewhere, a picture another program put there pastes
// at the pointer, and the screen goes into a file, comes from one and goes to a printer through
// the dialogs a user would fill in.
#include "Desktop.h"
#include "PrintQueue.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr QSize Screen(1920, 1080);

const QColor Red(255, 0, 0);

// xclip holding the clipboard with `bytes`, offered as `target` (text when empty). It runs in
// the foreground, so that the clipboard's owner ends with this object.
class ClipboardOwner {
public:
    ClipboardOwner(const Desktop& desktop, const QByteArray& bytes, const QString& target = {}) {
        QStringList args{QStringLiteral("-quiet"), QStringLiteral("-selection"),
                         QStringLiteral("clipboard")};
        if (!target.isEmpty()) args << QStringLiteral("-t") << target;
        args << QStringLiteral("-i");
        m_process.setProcessEnvironment(desktop.environment());
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(QStringLiteral("xclip"), args);
        m_process.waitForStarted(5000);
        // Without an event loop the bytes reach the pipe only when waited for.
        m_process.write(bytes);
        while (m_process.bytesToWrite() > 0 && m_process.waitForBytesWritten(5000)) {
        }
        m_process.closeWriteChannel();
    }
    ~ClipboardOwner() {
        m_process.kill();
        m_process.waitForFinished(3000);
    }

private:
    QProcess m_process;
};

class PicturesAndClipboard : public DesktopTest {
protected:
    // An opaque surface, so that the screen shows the drawing in its own colours, and a thick
    // red pen.
    void start(int penWidth = 9, const QProcessEnvironment& extra = {}) {
        writeIni(QStringLiteral("Alpha=255\nLinePenWidth=%1\nLinePenColor=255\n").arg(penWidth));
        ravo = std::make_unique<RavoRun>(*desktop, data.path(), extra);
        palette = waitForPalette(*ravo);
        ASSERT_FALSE(palette.isEmpty()) << ravo->output().toStdString();
    }

    void click(const QString& hint) const { clickControl(palette, hint); }

    // Clicks `at` (a palette button, a menu item) and returns the window it opens.
    QString windowOpenedBy(QPoint at, int button = 1) const {
        const QStringList before = desktop->visibleWindows(ravo->pid());
        xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                 QStringLiteral("click"), QString::number(button)});
        return waitForNewWindow(ravo->pid(), before);
    }
    QString windowOpenedBy(const QString& hint) const {
        return windowOpenedBy(paletteControl(palette, hint));
    }

    // The right button's menu at `at` and its paste item.
    void pasteAt(QPoint at) const {
        const QString menu = windowOpenedBy(at, 3);
        ASSERT_FALSE(menu.isEmpty()) << "no menu at " << pointName(at);
        chooseMenuItem(menu, 0, 3);
    }

    // What the clipboard offers as `target`, asked through xclip.
    QByteArray clipboard(const QString& target) const {
        return desktop->runBytes(QStringLiteral("xclip"),
                                 {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                  QStringLiteral("-t"), target, QStringLiteral("-o")});
    }
    bool clipboardOffers(const QString& target) const {
        return waitUntil(
            [&] {
                return QString::fromUtf8(clipboard(QStringLiteral("TARGETS")))
                    .split(QLatin1Char('\n'))
                    .contains(target);
            },
            5000);
    }

    // Waits until the window is gone.
    bool closed(const QString& window) const {
        return waitUntil([&] { return !desktop->visibleWindows(ravo->pid()).contains(window); },
                         5000);
    }

    std::unique_ptr<RavoRun> ravo;
    QRect palette;
};

// Points of `image` expected red, and white; a failure names the point and its colour.
void expectColours(const QImage& image, const std::vector<QPoint>& red,
                   const std::vector<QPoint>& white, const char* what) {
    for (const QPoint& p : red)
        EXPECT_TRUE(reddish(image.pixel(p)))
            << what << " at " << pointName(p) << " " << colourName(image.pixel(p));
    for (const QPoint& p : white)
        EXPECT_TRUE(whitish(image.pixel(p)))
            << what << " at " << pointName(p) << " " << colourName(image.pixel(p));
}

// The middle of the widest band of the selection's colour (Qt's Fusion style) in `image`: the
// row a file dialog's list shows selected. A null point if there is none.
QPoint selectedRow(const QImage& image) {
    const QRgb selection = qRgb(0x30, 0x8c, 0xc6);
    QPoint best;
    int widest = 40; // narrower runs are icons and frames
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0, run = 0; x < image.width(); ++x) {
            run = (image.pixel(x, y) & 0xFFFFFF) == (selection & 0xFFFFFF) ? run + 1 : 0;
            if (run > widest) {
                widest = run;
                best = QPoint(x - run / 2, y);
            }
        }
    return best;
}

// --- The clipboard ----------------------------------------------------------------------------

// A red line across the screen at y 400; the outline, a square from (500, 300) to (700, 500),
// takes its middle. The frame reaches 21 pixels beyond the outline's bounds (the cutting pen's
// pixel and 20), and everything in it outside the outline is white.
TEST_F(PicturesAndClipboard, CopiedRegionGoesOntoTheClipboardAndPastesElsewhereSeeThrough) {
    start();
    dragAlong({{300, 400}, {500, 400}, {700, 400}, {900, 400}});
    moveTo({1000, 900});
    ASSERT_TRUE(waitForColours({{350, 400}, {600, 400}, {880, 400}}, reddish))
        << ravo->output().toStdString();

    click(QStringLiteral("Leikkaustyökalu"));
    const QStringList before = desktop->visibleWindows(ravo->pid());
    dragAlong({{500, 300}, {700, 300}, {700, 500}, {500, 500}, {500, 320}});
    const QString menu = waitForNewWindow(ravo->pid(), before);
    ASSERT_FALSE(menu.isEmpty()) << "no cut-out menu";
    // It opens at the outline's right, level with the release.
    EXPECT_EQ(desktop->geometry(menu).topLeft(), QPoint(700, 320));
    chooseMenuItem(menu, 1, 7); // "Kopioi"
    ASSERT_TRUE(closed(menu));

    ASSERT_TRUE(clipboardOffers(QStringLiteral("image/png")))
        << clipboard(QStringLiteral("TARGETS")).toStdString();
    EXPECT_TRUE(clipboardOffers(QStringLiteral("image/bmp")));
    const QImage copied = QImage::fromData(clipboard(QStringLiteral("image/png")), "PNG")
                              .convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(copied.isNull());
    const QPoint frame(500 - 21, 300 - 21);
    EXPECT_EQ(copied.size(), QSize(200 + 42, 200 + 42));
    ASSERT_TRUE(copied.rect().contains(QRect(0, 0, 242, 242)));
    // In the outline the line and the surface around it; outside it the line is gone.
    expectColours(copied,
                  {QPoint(510, 400) - frame, QPoint(600, 400) - frame, QPoint(690, 400) - frame},
                  {QPoint(600, 350) - frame, QPoint(600, 450) - frame, QPoint(490, 400) - frame,
                   QPoint(712, 400) - frame, QPoint(2, 2), QPoint(239, 239)},
                  "the copy");

    // Pasted with its top left at (800, 330), the copy's white lets the line at y 400 show
    // through while its red lies across y 451.
    pasteAt({800, 330});
    const QPoint to(800, 330);
    moveTo({1000, 900});
    EXPECT_TRUE(waitForColours({to + QPoint(121, 121)}, reddish)) << ravo->output().toStdString();
    expectColours(
        shot,
        {to + QPoint(31, 121), to + QPoint(121, 121), to + QPoint(211, 121), QPoint(850, 400),
         QPoint(880, 400), QPoint(600, 400)},
        {to + QPoint(121, 80), to + QPoint(11, 121), to + QPoint(121, 160), to + QPoint(230, 121)},
        "the screen");
}

// A picture another program put on the clipboard pastes with its top left at the point
// clicked.
TEST_F(PicturesAndClipboard, PictureAnotherProgramPutOnTheClipboardPastesAtThePoint) {
    start();
    // A blue and a green block in a white border of 10 pixels.
    QImage picture(160, 100, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(10, 10, 70, 80, QColor(0, 0, 255));
    QPainter(&picture).fillRect(80, 10, 70, 80, QColor(0, 160, 0));
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    ASSERT_TRUE(picture.save(&png, "PNG"));
    ClipboardOwner owner(*desktop, png.data(), QStringLiteral("image/png"));
    ASSERT_TRUE(clipboardOffers(QStringLiteral("image/png")));

    const QPoint to(600, 450);
    pasteAt(to);
    moveTo({1000, 900});
    const auto blue = [](QRgb c) { return closeColour(c, qRgb(0, 0, 255), 2); };
    const auto green = [](QRgb c) { return closeColour(c, qRgb(0, 160, 0), 2); };
    const std::pair<QPoint, std::function<bool(QRgb)>> expected[] = {
        {to + QPoint(10, 10), blue},      {to + QPoint(45, 50), blue},
        {to + QPoint(79, 89), blue},      {to + QPoint(80, 10), green},
        {to + QPoint(115, 50), green},    {to + QPoint(149, 89), green},
        {to + QPoint(5, 50), whitish},    {to + QPoint(80, 5), whitish},
        {to + QPoint(155, 95), whitish},  {to + QPoint(-3, -3), whitish},
        {to + QPoint(162, 102), whitish},
    };
    EXPECT_TRUE(waitForColours({to + QPoint(45, 50), to + QPoint(115, 50)}, [](QRgb c) {
        return !whitish(c);
    })) << ravo->output().toStdString();
    for (const auto& [p, test] : expected)
        EXPECT_TRUE(test(shot.pixel(p))) << pointName(p) << " " << colourName(shot.pixel(p));
}

// The resident memory of a process, in megabytes.
long residentMegabytes(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong() / 1024;
    return -1;
}

// A picture of another program far larger than the screen: pasted clipped at the screen's
// edges, and its memory given back after the paste.
TEST_F(PicturesAndClipboard, HugeClipboardPictureIsPastedClippedAndItsMemoryFreed) {
    start();
    QImage picture(10000, 10000, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 255));
    QPainter(&picture).fillRect(0, 0, 40, 40, Qt::white);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    ASSERT_TRUE(picture.save(&png, "PNG"));
    picture = QImage();
    ClipboardOwner owner(*desktop, png.data(), QStringLiteral("image/png"));
    ASSERT_TRUE(clipboardOffers(QStringLiteral("image/png")));
    const long before = residentMegabytes(ravo->pid());

    const QPoint to(1700, 900);
    pasteAt(to);
    moveTo({100, 100});
    // Up to the screen's bottom edge, left of the palette.
    EXPECT_TRUE(waitForColours({to + QPoint(100, 100), {1860, 1079}}, [](QRgb c) {
        return closeColour(c, qRgb(0, 0, 255), 2);
    })) << ravo->output().toStdString();
    EXPECT_TRUE(whitish(shot.pixel(to + QPoint(20, 20)))) << "the white corner is see-through";
    EXPECT_TRUE(whitish(shot.pixel(to - QPoint(5, 5))));
    // The decoded picture alone is 400 MB; what stays is the undo snapshot of the screen.
    const long after = residentMegabytes(ravo->pid());
    EXPECT_LT(after - before, 100) << before << " MB before, " << after << " MB after";
}

// With nothing on the clipboard, and with text only, "Liitä" says so in a message window; its
// text is read back by copying it out of the window.
TEST_F(PicturesAndClipboard, PasteWithoutAPictureSaysWhy) {
    start();
    struct Case {
        QByteArray clipboardText; // none: the clipboard has no owner
        QString message;
    };
    const Case cases[] = {
        {{}, QStringLiteral("Leikepöytä on tyhjä.")},
        {"only words", QStringLiteral("Leikepöydällä ei ole bittikarttaa.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        std::unique_ptr<ClipboardOwner> owner;
        if (!c.clipboardText.isNull()) {
            owner = std::make_unique<ClipboardOwner>(*desktop, c.clipboardText);
            ASSERT_TRUE(waitUntil(
                [&] { return clipboard(QStringLiteral("UTF8_STRING")) == c.clipboardText; }, 5000));
        }
        const QImage before = desktop->capture();
        pasteAt({700, 500});
        QString info;
        ASSERT_TRUE(waitUntil(
            [&] { return !(info = windowNamed(ravo->pid(), QStringLiteral("Info"))).isEmpty(); },
            5000))
            << ravo->output().toStdString();
        clickAt(desktop->geometry(info).topLeft() + QPoint(63 + 30, 4 + 10));
        keys({QStringLiteral("ctrl+a"), QStringLiteral("ctrl+c")});
        EXPECT_TRUE(waitUntil(
            [&] {
                return QString::fromUtf8(clipboard(QStringLiteral("UTF8_STRING"))) == c.message;
            },
            5000))
            << QString::fromUtf8(clipboard(QStringLiteral("UTF8_STRING"))).toStdString();
        keys({QStringLiteral("Return")});
        EXPECT_TRUE(closed(info));
        // Nothing was drawn.
        moveTo({1000, 900});
        const QImage after = desktop->capture();
        const QRect surfaceOnly(0, 0, palette.left() - 10, Screen.height());
        EXPECT_TRUE(before.copy(surfaceOnly) == after.copy(surfaceOnly)) << "the surface changed";
    }
}

// --- Picture files ------------------------------------------------------------------------------

// The save dialog from the palette, filled in by typing: a name without its extension gets
// that of the first filter, BMP, and a bare name goes into the data folder where the dialog
// starts. The file holds the screen as it was shown, 1920 x 1080.
TEST_F(PicturesAndClipboard, ScreenSavedThroughTheDialogIsABmpOfTheScreen) {
    start();
    dragAlong({{300, 200}, {800, 200}, {800, 600}});
    moveTo({1000, 900});
    ASSERT_TRUE(waitForColours({{500, 200}, {800, 400}}, reddish)) << ravo->output().toStdString();
    const QImage screen = desktop->capture();

    QTemporaryDir elsewhere;
    const QString dataFolder = data.path() + QStringLiteral("/Tervaso/Ravo/Data/");
    struct Case {
        QString typed, file;
    };
    const Case cases[] = {
        {elsewhere.filePath(QStringLiteral("ruutu")),
         elsewhere.filePath(QStringLiteral("ruutu.bmp"))},
        {QStringLiteral("kuva"), dataFolder + QStringLiteral("kuva.bmp")},
    };
    bool shotTaken = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        const QString dialog = windowOpenedBy(QStringLiteral("Tallenna kuva tiedostoon"));
        ASSERT_FALSE(dialog.isEmpty()) << ravo->output().toStdString();
        if (!shotTaken) saveShot(QStringLiteral("save-dialog"));
        shotTaken = true;
        typeText(c.typed);
        keys({QStringLiteral("Return")});
        ASSERT_TRUE(closed(dialog));
        // The file takes its name once it is whole.
        ASSERT_TRUE(waitUntil([&] { return QFileInfo::exists(c.file); }, 10000))
            << ravo->output().toStdString();
        EXPECT_FALSE(QFileInfo::exists(
            c.typed.startsWith(QLatin1Char('/')) ? c.typed : dataFolder + c.typed));

        QImageReader reader(c.file);
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(), QByteArray("bmp"));
        const QImage saved = reader.read().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(saved.size(), Screen) << reader.errorString().toStdString();
        // The screen as shown before the dialog, the palette aside: its button was pressed.
        int differing = 0;
        QPoint first(-1, -1);
        for (int y = 0; y < Screen.height(); ++y)
            for (int x = 0; x < palette.left() - 10; ++x)
                if ((saved.pixel(x, y) & 0xFFFFFF) != (screen.pixel(x, y) & 0xFFFFFF)) {
                    if (differing++ == 0) first = QPoint(x, y);
                }
        EXPECT_EQ(differing, 0) << "first at " << pointName(first) << ": "
                                << colourName(saved.pixel(first)) << " saved, "
                                << colourName(screen.pixel(first)) << " shown";
        expectColours(saved, {{300, 200}, {550, 200}, {800, 200}, {800, 599}},
                      {{550, 400}, {300, 600}}, "the file");
    }
}

// A picture of four coloured quarters, 400 x 300, opened through the dialog: the dialog's
// preview shows it once its row is chosen, and the surface then shows it at its top left.
TEST_F(PicturesAndClipboard, BmpOpenedThroughTheDialogShowsOnTheSurface) {
    const QRgb quarters[] = {qRgb(0, 160, 80), qRgb(200, 0, 160), qRgb(30, 60, 220),
                             qRgb(250, 200, 0)};
    QImage picture(400, 300, QImage::Format_RGB32);
    {
        QPainter p(&picture);
        for (int i = 0; i < 4; ++i)
            p.fillRect((i % 2) * 200, (i / 2) * 150, 200, 150, QColor(quarters[i]));
    }
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("neljannekset.bmp"));
    ASSERT_TRUE(picture.save(file, "BMP"));
    start();

    const QString dialog = windowOpenedBy(QStringLiteral("Avaa kuvatiedosto"));
    ASSERT_FALSE(dialog.isEmpty()) << ravo->output().toStdString();
    // Into the folder first, then the name, for the list to take it and the preview to show it.
    typeText(folder.path() + QLatin1Char('/'));
    keys({QStringLiteral("Return")});
    typeText(QFileInfo(file).fileName());
    const QRect area = desktop->geometry(dialog);
    // The name selects its row; a click on the row makes it the current file, which the
    // preview shows. The completion list below the name takes a first click to close, and
    // the second comes later than a double click would.
    const QPoint row = selectedRow(desktop->capture().copy(area));
    ASSERT_FALSE(row.isNull()) << "no selected row in the file list";
    clickAt(area.topLeft() + row);
    QThread::msleep(700);
    clickAt(area.topLeft() + row);
    // The preview, 200 x 150: each quarter of it a block of some 100 x 75 pixels.
    int counts[4] = {};
    waitUntil(
        [&] {
            const QImage d = desktop->capture().copy(area);
            for (int& n : counts)
                n = 0;
            for (int y = 0; y < d.height(); ++y)
                for (int x = 0; x < d.width(); ++x)
                    for (int i = 0; i < 4; ++i)
                        if (closeColour(d.pixel(x, y), quarters[i], 2)) ++counts[i];
            return std::all_of(std::begin(counts), std::end(counts),
                               [](int n) { return n > 5000; });
        },
        5000);
    saveShot(QStringLiteral("open-dialog-preview"));
    for (int i = 0; i < 4; ++i)
        EXPECT_GT(counts[i], 5000) << "quarter " << i << " in the preview";
    keys({QStringLiteral("Return")});
    ASSERT_TRUE(closed(dialog));

    moveTo({1000, 900});
    EXPECT_TRUE(waitForColours({{100, 75}}, [&](QRgb c) { return closeColour(c, quarters[0], 2); }))
        << ravo->output().toStdString();
    const std::pair<QPoint, QRgb> expected[] = {
        {{100, 75}, quarters[0]},
        {{300, 75}, quarters[1]},
        {{100, 225}, quarters[2]},
        {{300, 225}, quarters[3]},
        {{0, 0}, quarters[0]},
        {{399, 0}, quarters[1]},
        {{0, 299}, quarters[2]},
        {{399, 299}, quarters[3]},
        {{400, 150}, qRgb(255, 255, 255)},
        {{200, 300}, qRgb(255, 255, 255)},
    };
    for (const auto& [p, colour] : expected)
        EXPECT_TRUE(closeColour(shot.pixel(p), colour, 2))
            << pointName(p) << " " << colourName(shot.pixel(p)) << ", not " << colourName(colour);
}

// --- Printing ---------------------------------------------------------------------------------

// The print dialog confirmed with Enter prints through the tests' own queue: one landscape
// page, the screen without the palette stretched over it.
TEST_F(PicturesAndClipboard, PrintGoesThroughTheQueueAsTheScreenOnALandscapePage) {
    PrintQueue queue;
    ASSERT_TRUE(queue.ok()) << (queue.error() + queue.logs()).toStdString();
    start(30, queue.environment());
    // An L of thick red lines: across at y 250 from x 200 to 1400, then down to y 850.
    dragAlong({{200, 250}, {800, 250}, {1400, 250}, {1400, 550}, {1400, 850}});
    moveTo({1000, 1000});
    ASSERT_TRUE(waitForColours({{800, 250}, {1400, 700}}, reddish)) << ravo->output().toStdString();

    const QString dialog = windowOpenedBy(QStringLiteral("Tulosta näytön kuva."));
    ASSERT_FALSE(dialog.isEmpty()) << ravo->output().toStdString();
    saveShot(QStringLiteral("print-dialog"));
    keys({QStringLiteral("Return")});
    ASSERT_TRUE(closed(dialog));
    const QString pdf = queue.waitForPdf(30000);
    ASSERT_FALSE(pdf.isEmpty()) << (queue.logs() + ravo->output()).toStdString();

    int code = -1;
    QString errors;
    const QString info = queue.run(QStringLiteral("pdfinfo"), {pdf}, &code, &errors);
    ASSERT_EQ(code, 0) << errors.toStdString();
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^Pages:\\s+1$"), QRegularExpression::MultilineOption)
            .match(info)
            .hasMatch())
        << info.toStdString();
    // cups-pdf writes the sheet as a printer would take it from its tray.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Page size:\\s+595 x 842 pts \\(A4\\)$"),
                                   QRegularExpression::MultilineOption)
                    .match(info)
                    .hasMatch())
        << info.toStdString();

    const QImage sheet = queue.rasterise(pdf, 30, &errors);
    ASSERT_FALSE(sheet.isNull()) << errors.toStdString();
    // The landscape page lies on the sheet turned a quarter to the left, the screen filling
    // it: the screen's top along the sheet's left edge, its left edge along the sheet's foot.
    const auto onSheet = [&](QPoint p) {
        return QPoint(p.y() * sheet.width() / Screen.height(),
                      sheet.height() - 1 - p.x() * sheet.height() / Screen.width());
    };
    std::vector<QPoint> red, white;
    for (const QPoint& p : {QPoint(300, 250), QPoint(800, 250), QPoint(1300, 250),
                            QPoint(1400, 400), QPoint(1400, 750)})
        red.push_back(onSheet(p));
    // Off the lines, and where the palette stood.
    for (const QPoint& p : {QPoint(800, 550), QPoint(800, 120), QPoint(1550, 550), QPoint(300, 850),
                            palette.center(), palette.center() + QPoint(0, palette.height() / 4)})
        white.push_back(onSheet(p));
    // Where the line across would lie on an unturned page.
    white.push_back(
        QPoint(800 * sheet.width() / Screen.width(), 250 * sheet.height() / Screen.height()));
    expectColours(sheet, red, white, "the sheet");
}

} // namespace
