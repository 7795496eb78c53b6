// Picture files: real files on disk through the real codecs (Qt's BMP, libjpeg, giflib).
#include "Noise.h"
#include "gfx/Color.h"
#include "gfx/Picture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <random>
#include <set>
#include <sys/resource.h>

using namespace gfx;

namespace {

QString fixture(const char* name) {
    return QStringLiteral(RAVO_TEST_DATA "/gfx/") + QString::fromUtf8(name);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

Color at(const QImage& img, int x, int y) {
    return fromArgb(img.pixel(x, y));
}

// A smooth picture with a few hard edges, like a screen with a drawing on it.
QImage scene(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int r = 255 * x / w, g = 255 * y / h, b = (x + y) % 256;
            const bool box = x > w / 4 && x < w / 2 && y > h / 3 && y < 2 * h / 3;
            img.setPixel(x, y, box ? qRgb(250, 250, 250) : qRgb(r, g, b));
        }
    return img;
}

double psnr(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                sum += double(d) * d;
        }
    const double mse = sum / (3.0 * a.width() * a.height());
    return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

std::set<QRgb> colours(const QImage& img) {
    std::set<QRgb> s;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            s.insert(img.pixel(x, y) & 0xFFFFFF);
    return s;
}

QImage decode(PictureFormat format, const QByteArray& bytes) {
    switch (format) {
    case PictureFormat::Bmp:
        return decodeBmp(bytes);
    case PictureFormat::Gif:
        return decodeGif(bytes);
    case PictureFormat::Jpeg:
        break;
    }
    return decodeJpeg(bytes);
}

std::string loadError(const QString& path, PictureFormat format) {
    try {
        loadPicture(path, format);
    } catch (const PictureError& e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace

TEST(PictureFiles, FormatFromTheName) {
    const std::pair<const char*, std::optional<PictureFormat>> table[] = {
        {"a.bmp", PictureFormat::Bmp},    {"A.BMP", PictureFormat::Bmp},
        {"kuva.gif", PictureFormat::Gif}, {"x/kuva.Jpeg", PictureFormat::Jpeg},
        {"k.jpg", PictureFormat::Jpeg},   {"loma.kuva.JPG", PictureFormat::Jpeg},
        {"kuva.png", std::nullopt},       {"kuva", std::nullopt},
        {"kuva.bmp.txt", std::nullopt}};
    for (auto [name, format] : table)
        EXPECT_EQ(pictureFormatForName(QString::fromUtf8(name)), format) << name;
}

TEST(PictureFiles, BadFilesGiveAFinnishError) {
    struct Case {
        const char* file;
        PictureFormat format;
        const char* reason;
    };
    const Case cases[] = {
        {"empty.bmp", PictureFormat::Bmp, "Tiedosto on tyhjä."},
        {"empty.gif", PictureFormat::Gif, "Tiedosto on tyhjä."},
        {"empty.jpeg", PictureFormat::Jpeg, "Tiedosto on tyhjä."},
        {"truncated.bmp", PictureFormat::Bmp, "Tiedosto loppuu kesken."},
        {"truncated.gif", PictureFormat::Gif, "Tiedosto loppuu kesken."},
        {"truncated.jpeg", PictureFormat::Jpeg, "Tiedosto loppuu kesken."},
        // 35 bytes that declare 20000 x 20000 pixels: refused for its missing rows before
        // the picture's 1.6 GB are taken (the GIF fuzz run crawled on files like it).
        {"../fuzz-found/gif-large-and-short.gif", PictureFormat::Gif, "Tiedosto loppuu kesken."},
        // 66 bytes with a 5 x 3 image on a screen of 14406 x 8448, white margin that
        // would take 487 MB (found by fuzzing: the fuzz run timed out filling it).
        {"../fuzz-found/gif-small-image-on-a-huge-screen.gif", PictureFormat::Gif,
         "Kuvan tiedot ovat viallisia."},
        {"corrupt.jpeg", PictureFormat::Jpeg, "Kuvan tiedot ovat viallisia."},
        {"corrupt.gif", PictureFormat::Gif, "Kuvan tiedot ovat viallisia."},
        {"huge.bmp", PictureFormat::Bmp,
         "Kuva on liian suuri: 100000 x 100000 pikseliä (enintään 20000 x 20000)."},
        {"huge.gif", PictureFormat::Gif,
         "Kuva on liian suuri: 65535 x 65535 pikseliä (enintään 20000 x 20000)."},
        {"huge.jpeg", PictureFormat::Jpeg,
         "Kuva on liian suuri: 65000 x 65000 pikseliä (enintään 20000 x 20000)."},
        {"gif-named.jpeg", PictureFormat::Jpeg, "Tiedosto ei ole JPEG-kuva vaan GIF-kuva."},
        {"jpeg-named.gif", PictureFormat::Gif, "Tiedosto ei ole GIF-kuva vaan JPEG-kuva."},
        {"png-named.bmp", PictureFormat::Bmp, "Tiedosto ei ole BMP-kuva vaan PNG-kuva."},
        {"photo.jpeg", PictureFormat::Bmp, "Tiedosto ei ole BMP-kuva vaan JPEG-kuva."},
        {"README.md", PictureFormat::Gif, "Tiedosto ei ole GIF-kuva."},
        {"no-such-file.gif", PictureFormat::Gif, "Tiedostoa ei löydy."},
    };
    for (const Case& c : cases) {
        const QString path = fixture(c.file);
        const std::string expected =
            ("Kuvatiedostoa ei voi lukea: " + path + ". ").toStdString() + c.reason;
        EXPECT_EQ(loadError(path, c.format), expected);
    }
}

TEST(PictureFiles, GoodFixturesDecode) {
    const QImage jpeg = loadPicture(fixture("photo.jpeg"), PictureFormat::Jpeg);
    ASSERT_EQ(jpeg.size(), QSize(40, 30));
    EXPECT_EQ(jpeg.format(), QImage::Format_RGB32);
    // Red at the top, blue at the bottom, a yellow disc in the middle.
    auto near = [](QRgb p, int r, int g, int b) {
        return std::abs(qRed(p) - r) < 40 && std::abs(qGreen(p) - g) < 40 &&
               std::abs(qBlue(p) - b) < 40;
    };
    EXPECT_TRUE(near(jpeg.pixel(1, 0), 255, 0, 0));
    EXPECT_TRUE(near(jpeg.pixel(1, 29), 0, 0, 255));
    EXPECT_TRUE(near(jpeg.pixel(20, 15), 255, 255, 0));
    EXPECT_EQ(qAlpha(jpeg.pixel(5, 5)), 255);

    // The CMYK copy shows the same picture.
    const QImage cmyk = loadPicture(fixture("cmyk.jpeg"), PictureFormat::Jpeg);
    ASSERT_EQ(cmyk.size(), jpeg.size());
    EXPECT_GT(psnr(cmyk, jpeg), 25.0);

    for (const char* name : {"palette8.bmp", "rle8.bmp"}) {
        const QImage bmp = loadPicture(fixture(name), PictureFormat::Bmp);
        ASSERT_EQ(bmp.size(), QSize(40, 30)) << name;
        EXPECT_TRUE(near(bmp.pixel(1, 0), 255, 0, 0)) << name;
        EXPECT_TRUE(near(bmp.pixel(1, 29), 0, 0, 255)) << name;
        EXPECT_TRUE(near(bmp.pixel(20, 15), 255, 255, 0)) << name;
    }
}

TEST(PictureFiles, InterlacedGifRowsAndTransparency) {
    const QImage gif = loadPicture(fixture("interlaced-transparent.gif"), PictureFormat::Gif);
    ASSERT_EQ(gif.size(), QSize(40, 30));
    EXPECT_EQ(at(gif, 0, 0), rgb(255, 0, 0));
    EXPECT_EQ(at(gif, 19, 29), rgb(255, 0, 0));
    EXPECT_EQ(at(gif, 30, 15), rgb(0, 0, 255));
    EXPECT_EQ(at(gif, 39, 29), rgb(0, 255, 0));
    // Transparent pixels become white, the colour Ravo combines pictures with.
    EXPECT_EQ(at(gif, 25, 1), White);
    // The disc is symmetric about row 15 only if the interlaced rows went to their places.
    auto blueIn = [&](int y) {
        int n = 0;
        for (int x = 0; x < 40; ++x)
            n += at(gif, x, y) == rgb(0, 0, 255);
        return n;
    };
    EXPECT_GT(blueIn(15), 10);
    for (int d = 1; d <= 9; ++d)
        EXPECT_EQ(blueIn(15 - d), blueIn(15 + d)) << d;
}

TEST(PictureFiles, EveryCutOfAGoodFileIsRefused) {
    // Written by the real encoders to disk; the cuts are decoded from memory, because
    // rewriting a file for each of the thousands of cuts would only measure the disk.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QImage pic = scene(23, 17);
    for (PictureFormat format : {PictureFormat::Bmp, PictureFormat::Gif, PictureFormat::Jpeg}) {
        const QString full = dir.filePath(QStringLiteral("full"));
        savePicture(pic, full, format);
        const QByteArray bytes = readAll(full);
        ASSERT_EQ(decode(format, bytes).size(), pic.size());
        // GIF readers stop after the picture: only its closing byte may go missing.
        const qsizetype keep = format == PictureFormat::Gif ? 1 : 0;
        for (qsizetype n = 0; n < bytes.size() - keep; ++n) {
            try {
                decode(format, bytes.left(n));
                ADD_FAILURE() << int(format) << " cut at " << n << " of " << bytes.size();
            } catch (const PictureError& e) {
                // Past the signature, every cut reads as a file that ends too soon.
                if (n >= 6) {
                    EXPECT_EQ(e.message(), QStringLiteral("Tiedosto loppuu kesken."))
                        << int(format) << " cut at " << n;
                }
            }
        }
        // And through a file, once.
        writeAll(full, bytes.left(bytes.size() / 2));
        EXPECT_THROW(loadPicture(full, format), PictureError);
    }
}

TEST(PictureFiles, DamagedBytesNeverCrash) {
    // Whatever the damage, the result is a picture or PictureError; the sanitizer build
    // watches the memory meanwhile.
    QTemporaryDir dir;
    const QImage pic = scene(31, 19);
    std::mt19937 gen(17);
    for (PictureFormat format : {PictureFormat::Bmp, PictureFormat::Gif, PictureFormat::Jpeg}) {
        const QString path = dir.filePath(QStringLiteral("p"));
        savePicture(pic, path, format);
        const QByteArray good = readAll(path);
        for (int round = 0; round < 300; ++round) {
            QByteArray bad = good;
            const int hits = 1 + int(gen() % 4);
            for (int i = 0; i < hits; ++i)
                bad[qsizetype(gen() % std::uint32_t(bad.size()))] = char(gen() & 0xFF);
            try {
                const QImage img = decode(format, bad);
                EXPECT_FALSE(img.isNull());
                EXPECT_EQ(img.format(), QImage::Format_RGB32);
            } catch (const PictureError& e) {
                EXPECT_FALSE(e.message().isEmpty());
            }
        }
    }
}

TEST(PictureFiles, BmpRoundTripIsExact) {
    QTemporaryDir dir;
    for (QSize size : {QSize(1, 1), QSize(37, 23), QSize(64, 3)}) {
        const QImage pic = noiseImage(size.width(), size.height(), 4);
        const QString path = dir.filePath(QStringLiteral("kuva.bmp"));
        savePicture(pic, path, PictureFormat::Bmp);
        EXPECT_EQ(loadPicture(path, PictureFormat::Bmp), pic) << size.width();
    }
}

TEST(PictureFiles, GifKeepsUpTo256ColoursExactly) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kuva.gif"));
    // Exactly 256 colours, none of them on a regular grid.
    QImage pic(32, 16, QImage::Format_RGB32);
    std::mt19937 gen(8);
    std::vector<QRgb> palette(256);
    for (QRgb& c : palette)
        c = 0xFF000000u | (gen() & 0xFFFFFF);
    for (int i = 0; i < 512; ++i)
        pic.setPixel(i % 32, i / 32, palette[std::size_t((i * 7) % 256)]);
    ASSERT_EQ(colours(pic).size(), 256u);
    savePicture(pic, path, PictureFormat::Gif);
    EXPECT_EQ(loadPicture(path, PictureFormat::Gif), pic);

    // Two colours make a small table and still come back exactly.
    QImage two(9, 5, QImage::Format_RGB32);
    two.fill(qRgb(12, 34, 56));
    two.setPixel(8, 4, qRgb(255, 255, 255));
    savePicture(two, path, PictureFormat::Gif);
    EXPECT_EQ(loadPicture(path, PictureFormat::Gif), two);
}

TEST(PictureFiles, GifReducesMoreColoursTo256) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kuva.gif"));
    const QImage pic = scene(200, 120);
    ASSERT_GT(colours(pic).size(), 256u);
    savePicture(pic, path, PictureFormat::Gif);
    const QImage back = loadPicture(path, PictureFormat::Gif);
    ASSERT_EQ(back.size(), pic.size());
    EXPECT_LE(colours(back).size(), 256u);
    EXPECT_GT(psnr(back, pic), 25.0);
}

TEST(PictureFiles, JpegIsBaselineColourQuality90AndClose) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kuva.jpeg"));
    const QImage pic = scene(160, 90);
    savePicture(pic, path, PictureFormat::Jpeg);
    const QByteArray bytes = readAll(path);
    // Baseline frame (SOF0) with three components, no progressive frame (SOF2).
    const qsizetype sof = bytes.indexOf("\xFF\xC0");
    ASSERT_GE(sof, 0);
    EXPECT_EQ(uchar(bytes[sof + 9]), 3);
    EXPECT_LT(bytes.indexOf("\xFF\xC2"), 0);
    // Quality 90 scales the standard luminance table (first entry 16) to 3.
    const qsizetype dqt = bytes.indexOf("\xFF\xDB");
    ASSERT_GE(dqt, 0);
    EXPECT_EQ(uchar(bytes[dqt + 4]), 0);
    EXPECT_EQ(uchar(bytes[dqt + 5]), 3);

    const QImage back = loadPicture(path, PictureFormat::Jpeg);
    ASSERT_EQ(back.size(), pic.size());
    // Quality 90 on a smooth picture with hard edges stays above 30 dB.
    EXPECT_GT(psnr(back, pic), 30.0);
}

TEST(PictureFiles, FailedSaveLeavesTheOldFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vanha.bmp"));
    const QImage old = noiseImage(10, 10, 1);
    savePicture(old, path, PictureFormat::Bmp);
    const QByteArray before = readAll(path);

    // Let the file system refuse anything beyond 4 KB: the new, larger file fails half way.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    try {
        savePicture(noiseImage(300, 300, 2), path, PictureFormat::Bmp);
    } catch (const PictureError& e) {
        error = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(error, ("Kuvatiedostoa ei voi tallentaa: " + path +
                      ". Tiedoston kirjoittaminen epäonnistui.")
                         .toStdString());
    EXPECT_EQ(readAll(path), before);
    // No half-written file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("vanha.bmp")});
}

TEST(PictureFiles, SaveErrors) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("ei/ole/kuva.gif"));
    try {
        savePicture(noiseImage(4, 4, 1), missing, PictureFormat::Gif);
        FAIL() << "no error";
    } catch (const PictureError& e) {
        EXPECT_EQ(std::string(e.what()),
                  ("Kuvatiedostoa ei voi tallentaa: " + missing + ". Tiedostoa ei voi kirjoittaa.")
                      .toStdString());
    }
    try {
        savePicture(QImage(), dir.filePath(QStringLiteral("tyhja.jpeg")), PictureFormat::Jpeg);
        FAIL() << "no error";
    } catch (const PictureError& e) {
        EXPECT_TRUE(std::string(e.what()).ends_with("Kuva on tyhjä."));
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}
