#include "app/Errors.h"
#include "app/RavoIni.h"
#include "support/Unprivileged.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ParseInteger, DecimalAndBothHexFormsElseNothing) {
    const struct {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"24", 24},
        {"-1", -1},
        {" 7 ", 7},
        {"0x1F", 31},
        {"0XfF", 255},
        {"$FF", 255},
        {"$00FF00", 0xFF00},
        {"+5", 5},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"0x", std::nullopt},
        {"$", std::nullopt},
        {"1.5", std::nullopt},
        {"1 2", std::nullopt},
        {"99999999999", std::nullopt},
        {"0xG1", std::nullopt},
        {"２４", std::nullopt},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseInteger(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(StrToInt, NotANumberIsAConversionError) {
    EXPECT_EQ(StrToInt(QStringLiteral("36")), 36);
    try {
        StrToInt(QStringLiteral("iso"));
        FAIL() << "no error";
    } catch (const RavoError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("'iso' ei ole kelvollinen kokonaisluku."));
    }
}

class IniFile : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes) {
        const QString path = dir.path() + QStringLiteral("/Ravo.ini");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(IniFile, KeysAndSectionsIgnoreCaseAndLineEndsAndByteOrderMark) {
    const RavoIni ini(write("\xEF\xBB\xBF[common]\r\ninstallfolder=/opt/ravo/\r\n[MAIN]\r\n"
                            "linePENwidth=7\r\nAlpha=$FF\r\n"));
    EXPECT_EQ(ini.readString("Common", "INSTALLFOLDER", {}), QStringLiteral("/opt/ravo/"));
    EXPECT_EQ(ini.readInteger("Main", "LinePenWidth", 3), 7);
    EXPECT_EQ(ini.readInteger("Main", "Alpha", 80), 255);
}

TEST_F(IniFile, GarbageAndMissingValuesFallBack) {
    const RavoIni ini(write("[Main]\nLinePenWidth=paksu\nAlpha=\nCellWidth=4O\n\x01\x02garbage\n"
                            "=novalue\n[Broken\nSpeed=12\n"));
    EXPECT_EQ(ini.readInteger("Main", "LinePenWidth", 3), 3);
    EXPECT_EQ(ini.readInteger("Main", "Alpha", 80), 80);
    EXPECT_EQ(ini.readInteger("Main", "CellWidth", 40), 40);
    EXPECT_EQ(ini.readInteger("Main", "DotPenWidth", 10), 10);
    EXPECT_EQ(ini.readString("Main", "FontName", QStringLiteral("Arial")), QStringLiteral("Arial"));
}

TEST_F(IniFile, Latin1BytesReadAsLatin1AndUtf8AsUtf8) {
    const RavoIni ini(write("[Main]\nFontName=K\xE4sialaA\nOther=K\xC3\xA4sialaB\n"));
    EXPECT_EQ(ini.readString("Main", "FontName", {}), QStringLiteral("KäsialaA"));
    EXPECT_EQ(ini.readString("Main", "Other", {}), QStringLiteral("KäsialaB"));
}

TEST_F(IniFile, MissingFileReadsAsEmpty) {
    const RavoIni ini(dir.path() + QStringLiteral("/none.ini"));
    EXPECT_EQ(ini.readInteger("Main", "Speed", 100), 100);
}

TEST_F(IniFile, SavingKeepsOtherKeysAndTheirOrder) {
    const QString path =
        write("[Common]\nINSTALLFOLDER=/opt/ravo/\n[Main]\nPenWidth=5\nAlpha=10\n");
    RavoIni ini(path);
    ini.writeInteger("Main", "Color", 255);
    ini.writeInteger("Main", "Alpha", 99);
    ini.writeString("Main", "FontName", QStringLiteral("Käsiala"));
    ini.save();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("INSTALLFOLDER")));
    const qsizetype pen = text.indexOf(QStringLiteral("PenWidth = 5"));
    const qsizetype alpha = text.indexOf(QStringLiteral("Alpha = 99"));
    const qsizetype color = text.indexOf(QStringLiteral("Color = 255"));
    const qsizetype font = text.indexOf(QStringLiteral("FontName = Käsiala"));
    EXPECT_TRUE(pen >= 0 && alpha > pen && color > alpha && font > color) << text.toStdString();
    EXPECT_EQ(RavoIni(path).readInteger("main", "alpha", 0), 99);
}

TEST_F(IniFile, UnwritableFolderReportsTheFileAndKeepsTheOld) {
    const QString path = write("[Main]\nAlpha=10\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    const int code = runWithoutWriteAccess(dir.path(), [&] {
        RavoIni ini(path);
        ini.writeInteger("Main", "Alpha", 99);
        try {
            ini.save();
        } catch (const RavoError& e) {
            return e.text().contains(path) ? 0 : 2;
        }
        return 1;
    });
    EXPECT_EQ(code, 0) << "1: saved anyway, 2: the message does not name the file";
    EXPECT_EQ(RavoIni(path).readInteger("Main", "Alpha", 0), 10);
}

} // namespace
