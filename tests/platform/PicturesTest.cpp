// The button and message pictures: every file the resource list names is there, is a
// picture of the size its place needs, and shows something.
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QString kResources = QStringLiteral(RAVO_TEST_DATA "/../../resources/");

QStringList listedFiles() {
    QFile qrc(kResources + "ravo.qrc");
    EXPECT_TRUE(qrc.open(QIODevice::ReadOnly));
    static const QRegularExpression file(QStringLiteral("<file>([^<]+)</file>"));
    QStringList names;
    for (const auto& m : file.globalMatch(QString::fromUtf8(qrc.readAll())))
        names << m.captured(1);
    return names;
}

TEST(Pictures, EveryListedPictureDrawsAtItsSize) {
    const QStringList names = listedFiles();
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        if (!name.endsWith(QLatin1String(".svg"))) continue;
        SCOPED_TRACE(name.toStdString());
        QImageReader reader(kResources + name, "svg");
        const QSize size = reader.size();
        QSize expected(24, 24);
        if (name.endsWith(QLatin1String("/information.svg"))) expected = QSize(41, 39);
        if (name.endsWith(QLatin1String("/warning.svg"))) expected = QSize(38, 39);
        if (name.endsWith(QLatin1String("/nuoli.svg"))) expected = QSize(240, 240);
        if (name.endsWith(QLatin1String("/ravo.svg"))) expected = QSize(64, 64); // the logo
        EXPECT_EQ(size, expected);
        const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        // Something drawn, and not the whole square: a picture, not a blot.
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) > 128;
        const int all = image.width() * image.height();
        EXPECT_GT(opaque, all / 30);
        EXPECT_LT(opaque, all * 9 / 10);
    }
}

TEST(Pictures, ArrowPictureIsOneBoldShapeOnWhite) {
    // The arrow becomes a tool picture whose white is see-through: its middle must be
    // solid colour and its corners empty.
    QImageReader reader(kResources + "pictures/nuoli.svg", "svg");
    QImage image(240, 240, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        const QImage drawn = reader.read();
        ASSERT_FALSE(drawn.isNull());
        QPainter p(&image);
        p.drawImage(0, 0, drawn);
    }
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(239, 239), qRgb(255, 255, 255));
    EXPECT_NE(image.pixel(120, 120), qRgb(255, 255, 255));
}

} // namespace
