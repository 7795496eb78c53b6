#include "aids/ColorsForm.h"
#include "aids/Numbers.h"
#include "app/Palette.h"
#include "support/Fixture.h"

#include <QFile>
#include <QFontDatabase>
#include <QTableWidget>

namespace {

using SettingsKeys = RavoFixture;

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every key in the form WriteSettings writes it, none at its default; DATABASEFOLDER names
// the configuration folder, so the file read is the file written.
TEST_F(SettingsKeys, EveryKeyIsReadAndWrittenBackUnchanged) {
    const QStringList fonts = QFontDatabase::families();
    ASSERT_GE(fonts.size(), 2);
    const QByteArray file = QStringLiteral("[Common]\n"
                                           "INSTALLFOLDER = %1\n"
                                           "DATABASEFOLDER = %2\n"
                                           "\n\n"
                                           "[Main]\n"
                                           "PenWidth = 5\n"
                                           "Color = 197121\n"
                                           "LinePenWidth = 9\n"
                                           "LinePenColor = 197121\n"
                                           "DotPenWidth = 14\n"
                                           "DotPenColor = 263430\n"
                                           "FontName = %3\n"
                                           "FontSize = 30\n"
                                           "Alpha = 200\n"
                                           "WorkAlpha = 150\n"
                                           "CellWidth = 55\n"
                                           "Speed = 33\n"
                                           "SnapToGrid = 1\n")
                                .arg(installFolder(), configFolder(), fonts.last())
                                .toUtf8();
    writeIniRaw(file);
    start();
    ASSERT_FALSE(ws->finished());
    ws->Palette->WriteSettings();
    EXPECT_EQ(QString::fromUtf8(readAll(iniPath())), QString::fromUtf8(file));
}

// PenWidth is read and never written; it chooses the picker's cell only where LinePenWidth,
// read after it, is not one of the picker's numbers.
TEST_F(SettingsKeys, PenWidthChoosesThePickerCellBeforeLinePenWidthAndStaysAsWritten) {
    const struct {
        const char* penWidth; // nullptr: no such key
        const char* linePenWidth;
        const char* cell;
    } cases[] = {
        {nullptr, nullptr, "3"}, // both defaults
        {"5", nullptr, "3"},     // LinePenWidth's default replaces it
        {"5", "7", "7"},         // and so does a saved one
        {"5", "40", "5"},        // 40 is no number of the picker's
        {"-1", "40", "3"},       // -1 stands for 3
        {nullptr, "40", "3"},    // and is PenWidth's default
    };
    for (const auto& c : cases) {
        QString main;
        if (c.penWidth) main += QStringLiteral("PenWidth=%1\n").arg(c.penWidth);
        if (c.linePenWidth) main += QStringLiteral("LinePenWidth=%1\n").arg(c.linePenWidth);
        writeIni(main);
        start();
        EXPECT_EQ(ws->Numbers->Num->currentItem()->text(), QLatin1String(c.cell))
            << main.toStdString();
        ws->Palette->LinePenWidth = 12;
        ws->Palette->WriteSettings();
        const QString text = QString::fromUtf8(readAll(iniPath()));
        if (c.penWidth)
            EXPECT_TRUE(text.contains(QStringLiteral("\nPenWidth = %1\n").arg(c.penWidth)))
                << text.toStdString();
        else
            EXPECT_FALSE(text.contains(QStringLiteral("\nPenWidth"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("\nLinePenWidth = 12\n"))) << text.toStdString();
        ws.reset();
    }
}

// Color is written from the colour picker's pen colour and never read: the picker starts
// with the line pen's colour.
TEST_F(SettingsKeys, ColorIsWrittenFromThePickerAndNotRead) {
    writeIni(QStringLiteral("Color=255\nLinePenColor=65280\n"));
    start();
    EXPECT_EQ(ws->ColorsForm->PenColor, gfx::rgb(0, 255, 0));
    EXPECT_EQ(ws->Palette->PaletteColor, gfx::rgb(0, 255, 0));
    ws->ColorsForm->PenColor = gfx::rgb(0, 0, 255);
    ws->Palette->LinePenColor = gfx::rgb(255, 0, 0);
    ws->Palette->WriteSettings();
    const QString text = QString::fromUtf8(readAll(iniPath()));
    EXPECT_TRUE(text.contains(QStringLiteral("\nColor = 16711680\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nLinePenColor = 255\n"))) << text.toStdString();
}

} // namespace
