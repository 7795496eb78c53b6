// Windows cursor files: the pointer files Ravo draws at build time, images of every colour
// depth, embedded PNGs, and files that are cut short or damaged.
#include "platform/Platform.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

namespace {

// --- writing cursor files for the tests ------------------------------------------------

void put16(QByteArray& out, quint32 v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}
void put32(QByteArray& out, quint32 v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void set16(QByteArray& b, int at, quint32 v) {
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
}
void set32(QByteArray& b, int at, quint32 v) {
    set16(b, at, v & 0xFFFF);
    set16(b, at + 2, v >> 16);
}

// A DIB of `picture` (ARGB32, straight alpha) at `bitCount` bits. Pixels of alpha 0 go to
// the AND mask; for 1 to 8 bits every other pixel must be an entry of `palette`.
QByteArray dib(const QImage& picture, int bitCount, const QList<QRgb>& palette = {},
               bool zeroAlpha = false) {
    const int w = picture.width(), h = picture.height();
    QByteArray out;
    put32(out, 40);
    put32(out, w);
    put32(out, 2 * h);
    put16(out, 1);
    put16(out, bitCount);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, bitCount <= 8 ? palette.size() : 0);
    put32(out, 0);
    for (const QRgb c : palette)
        put32(out, c & 0xFFFFFF);
    const int xorStride = ((w * bitCount + 31) / 32) * 4;
    const int andStride = ((w + 31) / 32) * 4;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(xorStride, '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb c = picture.pixel(x, y);
            // A transparent pixel is black under a set mask bit.
            const int index = palette.indexOf(qAlpha(c) ? c | 0xFF000000 : qRgb(0, 0, 0));
            switch (bitCount) {
            case 1:
                row[x / 8] = char(row[x / 8] | (index << (7 - x % 8)));
                break;
            case 4:
                row[x / 2] = char(row[x / 2] | (index << (x % 2 ? 0 : 4)));
                break;
            case 8:
                row[x] = char(index);
                break;
            case 24:
                row[3 * x] = char(qBlue(c));
                row[3 * x + 1] = char(qGreen(c));
                row[3 * x + 2] = char(qRed(c));
                break;
            case 32:
                row[4 * x] = char(qBlue(c));
                row[4 * x + 1] = char(qGreen(c));
                row[4 * x + 2] = char(qRed(c));
                row[4 * x + 3] = char(zeroAlpha ? 0 : qAlpha(c));
                break;
            }
        }
        out += row;
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(andStride, '\0');
        for (int x = 0; x < w; ++x)
            if (qAlpha(picture.pixel(x, y)) == 0) row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        out += row;
    }
    return out;
}

QByteArray png(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

struct Entry {
    int width, height;
    QPoint hotSpot;
    QByteArray image;
};

QByteArray cursorFile(const QList<Entry>& entries) {
    QByteArray out;
    put16(out, 0);
    put16(out, 2);
    put16(out, entries.size());
    quint32 at = 6 + 16 * entries.size();
    for (const Entry& e : entries) {
        out.append(char(e.width & 0xFF));
        out.append(char(e.height & 0xFF));
        out.append(char(0));
        out.append(char(0));
        put16(out, e.hotSpot.x());
        put16(out, e.hotSpot.y());
        put32(out, e.image.size());
        put32(out, at);
        at += e.image.size();
    }
    for (const Entry& e : entries)
        out += e.image;
    return out;
}

// A 5x3 picture (odd width, so every row is padded) from the given colours; 0 is transparent.
QImage picture5x3(const QList<QRgb>& colours) {
    QImage image(5, 3, QImage::Format_ARGB32);
    for (int i = 0; i < 15; ++i)
        image.setPixel(i % 5, i / 5, colours[i % colours.size()]);
    return image;
}

void expectSamePicture(const QImage& got, const QImage& want) {
    ASSERT_EQ(got.size(), want.size());
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x) {
            const QRgb g = got.pixel(x, y), w = want.pixel(x, y);
            if (qAlpha(w) == 0)
                EXPECT_EQ(qAlpha(g), 0) << x << "," << y;
            else
                EXPECT_EQ(g, w) << x << "," << y << " got " << std::hex << g << " want " << w;
        }
}

// --- the pointer files Ravo draws ------------------------------------------------------

QString builtCursor(const char* name) {
    return QStringLiteral(RAVO_CURSOR_DIR "/") + QString::fromLatin1(name);
}

struct EraserCase {
    const char* file;
    int first, last; // the wiped square relative to the hot spot, both inclusive
};

void PrintTo(const EraserCase& c, std::ostream* os) {
    *os << c.file;
}

class EraserPointer : public testing::TestWithParam<EraserCase> {};

TEST_P(EraserPointer, SquareCoversExactlyTheWipedPixels) {
    const EraserCase c = GetParam();
    QCursor cursor;
    ASSERT_TRUE(platform::loadCursorFile(builtCursor(c.file), cursor)) << c.file;
    EXPECT_EQ(cursor.hotSpot(), QPoint(0, 0));
    const QImage image = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool inside = x >= c.first && x <= c.last && y >= c.first && y <= c.last;
            const bool edge =
                inside && (x == c.first || x == c.last || y == c.first || y == c.last);
            const QRgb p = image.pixel(x, y);
            if (!inside)
                EXPECT_EQ(qAlpha(p), 0) << c.file << " " << x << "," << y;
            else if (edge)
                EXPECT_EQ(p, qRgba(0, 0, 0, 255)) << c.file << " " << x << "," << y;
            else
                EXPECT_EQ(p, qRgba(255, 255, 255, 255)) << c.file << " " << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Built, EraserPointer,
                         testing::Values(EraserCase{"PyyhinNelio1.Cur", 4, 27},
                                         EraserCase{"PyyhinNelio2.Cur", 9, 20},
                                         EraserCase{"PyyhinNelio3.Cur", 15, 18}));

TEST(ScissorsPointer, HotSpotOnTheBladeTips) {
    QCursor cursor;
    ASSERT_TRUE(platform::loadCursorFile(builtCursor("Scissors.Cur"), cursor));
    const QImage image = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(32, 32));
    const QPoint hot = cursor.hotSpot();
    EXPECT_EQ(hot, QPoint(1, 1));
    EXPECT_GT(qAlpha(image.pixel(hot)), 0) << "the hot spot lies on the drawn tips";
    // Nothing lies above or left of the tips: the point leads the picture.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (x + y < hot.x() + hot.y() - 1) {
                EXPECT_EQ(qAlpha(image.pixel(x, y)), 0) << x << "," << y;
            }
    // Red finger rings at the far end, with holes in them.
    int red = 0;
    for (int y = 16; y < 32; ++y)
        for (int x = 16; x < 32; ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) == 255 && qRed(p) > 150 && qGreen(p) < 80) ++red;
        }
    EXPECT_GT(red, 40);
}

TEST(BuiltPointers, QtsOwnReaderSeesTheSamePicture) {
    // A second, independent reader of the format: Qt's icon plugin.
    for (const char* name :
         {"Scissors.Cur", "PyyhinNelio1.Cur", "PyyhinNelio2.Cur", "PyyhinNelio3.Cur"}) {
        SCOPED_TRACE(name);
        const QByteArray bytes = [&] {
            QFile f(builtCursor(name));
            EXPECT_TRUE(f.open(QIODevice::ReadOnly));
            return f.readAll();
        }();
        QBuffer buffer;
        buffer.setData(bytes);
        QImageReader reader(&buffer, "cur");
        const QImage theirs = reader.read().convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(theirs.isNull()) << reader.errorString().toStdString();
        const auto ours = platform::parseCursorFile(bytes);
        ASSERT_TRUE(ours);
        expectSamePicture(ours->image, theirs);
    }
}

// --- colour depths and PNG ---------------------------------------------------------------

TEST(CursorFile, EveryColourDepth) {
    const QRgb t = qRgba(0, 0, 0, 0);
    QList<QRgb> palette16, palette200;
    for (int i = 0; i < 16; ++i)
        palette16 << qRgb(i * 16, (i * 40) % 256, (i * 53) % 256);
    for (int i = 0; i < 200; ++i)
        palette200 << qRgb(i, (i * 3) % 256, (i * 7) % 256);
    struct Case {
        int bitCount;
        QList<QRgb> palette;
        QImage picture;
    };
    const QList<Case> cases = {
        {1,
         {qRgb(0, 0, 0), qRgb(255, 255, 255)},
         picture5x3({qRgb(0, 0, 0), qRgb(255, 255, 255), t, qRgb(255, 255, 255)})},
        {4, palette16, picture5x3({palette16[3], t, palette16[15], palette16[0], palette16[9]})},
        {8, palette200, picture5x3({palette200[199], palette200[1], t, palette200[128]})},
        {24, {}, picture5x3({qRgb(1, 2, 3), t, qRgb(250, 128, 7), qRgb(0, 255, 0)})},
        {32, {}, picture5x3({qRgba(1, 2, 3, 255), t, qRgba(200, 100, 50, 128)})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bitCount);
        const auto parsed = platform::parseCursorFile(
            cursorFile({{5, 3, {4, 2}, dib(c.picture, c.bitCount, c.palette)}}));
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->hotSpot, QPoint(4, 2));
        expectSamePicture(parsed->image, c.picture);
    }
}

TEST(CursorFile, ThirtyTwoBitsWithoutAlphaUseTheMask) {
    const QImage picture =
        picture5x3({qRgb(10, 20, 30), qRgba(0, 0, 0, 0), qRgb(200, 0, 0), qRgb(255, 255, 255)});
    const auto parsed =
        platform::parseCursorFile(cursorFile({{5, 3, {0, 0}, dib(picture, 32, {}, true)}}));
    ASSERT_TRUE(parsed);
    expectSamePicture(parsed->image, picture);
}

TEST(CursorFile, InvertingPixelsShowBlack) {
    // AND 1 with colour would invert the screen; the picture shows it black.
    QByteArray image =
        dib(picture5x3({qRgb(255, 255, 255)}), 1, {qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const int andAt = 40 + 8 + 4 * 3;
    for (int row = 0; row < 3; ++row)
        image[andAt + 4 * row] = char(0x80); // first pixel of each row masked
    const auto parsed = platform::parseCursorFile(cursorFile({{5, 3, {0, 0}, image}}));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->image.pixel(0, 1), qRgba(0, 0, 0, 255));
    EXPECT_EQ(parsed->image.pixel(1, 1), qRgba(255, 255, 255, 255));
}

TEST(CursorFile, EmbeddedPng) {
    QImage picture(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            picture.setPixel(x, y, x < 16 ? qRgba(x * 8, y * 8, 90, 255) : qRgba(0, 0, 0, 0));
    const auto parsed = platform::parseCursorFile(cursorFile({{32, 32, {5, 6}, png(picture)}}));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->hotSpot, QPoint(5, 6));
    expectSamePicture(parsed->image, picture);
}

TEST(CursorFile, PicksTheEntryNearestToThirtyTwo) {
    auto plain = [](int side, QRgb colour) {
        QImage image(side, side, QImage::Format_ARGB32);
        image.fill(colour);
        return image;
    };
    const QByteArray file = cursorFile({
        {48, 48, {1, 1}, dib(plain(48, qRgb(0, 0, 255)), 24)},
        {16, 16, {2, 2}, dib(plain(16, qRgb(255, 0, 0)), 24)},
        {32, 32, {3, 3}, dib(plain(32, qRgb(0, 255, 0)), 24)},
        {0, 0, {4, 4}, png(plain(256, qRgb(9, 9, 9)))}, // 0 means 256
    });
    const auto parsed = platform::parseCursorFile(file);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->hotSpot, QPoint(3, 3));
    EXPECT_EQ(parsed->image.size(), QSize(32, 32));
    EXPECT_EQ(parsed->image.pixel(7, 7), qRgb(0, 255, 0));
}

// --- damaged files ---------------------------------------------------------------------

QByteArray readFile(const QString& name) {
    QFile f(name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    return f.readAll();
}

QByteArray eightBitFixture() {
    QList<QRgb> palette;
    for (int i = 0; i < 4; ++i)
        palette << qRgb(i * 60, 0, 0);
    return cursorFile({{5, 3, {1, 1}, dib(picture5x3({palette[1], palette[3], 0}), 8, palette)}});
}

TEST(CursorFile, EveryTruncationFails) {
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(qRgba(20, 40, 60, 200));
    const QList<QByteArray> files = {readFile(builtCursor("Scissors.Cur")),
                                     readFile(builtCursor("PyyhinNelio3.Cur")), eightBitFixture(),
                                     cursorFile({{32, 32, {0, 0}, png(picture)}})};
    for (const QByteArray& whole : files) {
        ASSERT_TRUE(platform::parseCursorFile(whole));
        for (qsizetype n = 0; n < whole.size(); ++n)
            ASSERT_FALSE(platform::parseCursorFile(whole.left(n))) << "cut at " << n;
    }
}

TEST(CursorFile, DamagedFieldsFail) {
    const QByteArray good = eightBitFixture();
    ASSERT_TRUE(platform::parseCursorFile(good));
    // Offsets: directory 0, entry 6 (hot spot 10, size 14, offset 18), DIB header 22
    // (width 26, height 30, bits 36, compression 38, colours used 54).
    struct Case {
        const char* what;
        int at;
        int bytes; // 2 or 4
        quint32 value;
    };
    for (const Case& c : {
             Case{"reserved", 0, 2, 1},
             Case{"icon, not cursor", 2, 2, 1},
             Case{"no entries", 4, 2, 0},
             Case{"entries past the end", 4, 2, 500},
             Case{"hot spot outside", 10, 2, 5},
             Case{"hot spot below", 12, 2, 3},
             Case{"image size past the end", 14, 4, 0xFFFFFFFF},
             Case{"image at the end", 18, 4, quint32(good.size())},
             Case{"image offset huge", 18, 4, 0xFFFFFFF0},
             Case{"image inside the directory", 18, 4, 2},
             Case{"header size huge", 22, 4, 0x7FFFFFFF},
             Case{"old core header", 22, 4, 12},
             Case{"width 0", 26, 4, 0},
             Case{"width negative", 26, 4, quint32(-5)},
             Case{"width huge", 26, 4, 100000},
             Case{"width past the data", 26, 4, 200},
             Case{"height odd", 30, 4, 7},
             Case{"height 0", 30, 4, 0},
             Case{"height negative", 30, 4, quint32(-6)},
             Case{"height huge", 30, 4, 2000},
             Case{"7 bits", 36, 2, 7},
             Case{"16 bits", 36, 2, 16},
             Case{"compressed", 38, 4, 1},
             Case{"palette too long", 54, 4, 300},
         }) {
        QByteArray bad = good;
        if (c.bytes == 2)
            set16(bad, c.at, c.value);
        else
            set32(bad, c.at, c.value);
        EXPECT_FALSE(platform::parseCursorFile(bad)) << c.what;
    }
}

TEST(CursorFile, DamagedPngFails) {
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(qRgb(20, 40, 60));
    const QByteArray good = png(picture);
    QByteArray broken = good;
    broken[good.size() / 2] = char(broken[good.size() / 2] ^ 0x5A);
    QByteArray huge = good;
    huge[17] = char(1); // IHDR width, big-endian: 65536 and more
    for (const QByteArray& image : {broken, huge, good.left(good.size() / 2)})
        EXPECT_FALSE(platform::parseCursorFile(cursorFile({{32, 32, {0, 0}, image}})));
}

// A PNG chunk that declares more bytes than the file holds is refused before libpng sees
// it: libpng would allocate the declared length first (here a 1 GB text chunk in a file of
// 283 bytes, found by fuzzing). The same picture with the chunk's length mended is read.
TEST(CursorFile, PngChunkLongerThanTheFileFails) {
    const QByteArray found =
        readFile(QStringLiteral(RAVO_TEST_DATA "/fuzz-found/cursor-png-text-chunk-1gb.cur"));
    EXPECT_FALSE(platform::parseCursorFile(found));

    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(qRgba(200, 10, 10, 255));
    const QByteArray good = png(picture);
    ASSERT_TRUE(platform::parseCursorFile(cursorFile({{4, 4, {0, 0}, good}})));
    QByteArray longIhdr = good;
    set32(longIhdr, 8, 0x0D000040);                 // IHDR's length, big-endian: 0x4000000D
    QByteArray noEnd = good.left(good.size() - 12); // without IEND
    for (const QByteArray& image : {longIhdr, noEnd})
        EXPECT_FALSE(platform::parseCursorFile(cursorFile({{4, 4, {0, 0}, image}})));
}

TEST(CursorFile, RandomDamageNeverCrashes) {
    const QList<QByteArray> files = {readFile(builtCursor("Scissors.Cur")), eightBitFixture()};
    std::mt19937 random(20240601);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bad = files[round % files.size()];
        const int flips = 1 + int(random() % 4);
        for (int i = 0; i < flips; ++i)
            bad[int(random() % bad.size())] = char(random() % 256);
        if (const auto parsed = platform::parseCursorFile(bad)) {
            EXPECT_LE(parsed->image.width(), 256);
            EXPECT_LE(parsed->image.height(), 256);
            EXPECT_TRUE(QRect(QPoint(), parsed->image.size()).contains(parsed->hotSpot));
        }
    }
}

TEST(CursorFile, FilesThatAreNoCursors) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile empty(dir.filePath("tyhja.cur")), text(dir.filePath("teksti.cur"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly) && text.open(QIODevice::WriteOnly));
    text.write("[Main]\nLinePenWidth=3\n");
    empty.close();
    text.close();
    QCursor cursor;
    for (const QString& name :
         {dir.filePath("puuttuu.cur"), dir.path(), empty.fileName(), text.fileName()})
        EXPECT_FALSE(platform::loadCursorFile(name, cursor)) << name.toStdString();
}

} // namespace
