// Rules of the tool library and of designs: rows, their order, the way up, the slide, the
// tool list's rows and the lines and bytes of a design file.
#include "tools/DesignFile.h"
#include "tools/LibraryLogic.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {
QString u8(const char* s) {
    return QString::fromUtf8(s);
}
} // namespace

TEST(LibraryRow, CaptionKindAndExtensionOfAnEntry) {
    const struct {
        const char* name;
        bool folder;
        const char* caption;
        char kind;
        const char* extension;
    } cases[] = {
        {"Kartat", true, "Kartat", 'D', ""},
        {"..", true, "..", 'D', ""},
        {"vanha.kansio", true, "vanha.kansio", 'D', ""},
        {"kartta.bmp", false, "kartta", 'F', ".bmp"},
        {"Nuoli.BMP", false, "Nuoli", 'F', ".BMP"},
        {"kuva.jpeg", false, "kuva", 'F', ".jpeg"},
        {"tunti.rvo", false, "tunti", 'S', ".rvo"},
        {"Tunti.RvO", false, "Tunti", 'S', ".RvO"},
        {"a.b.c.rvo", false, "a", 'S', ".rvo"},
        {"kolmio.v2.bmp", false, "kolmio", 'F', ".bmp"},
        {"ilman pistettä", false, "", 'F', ""},
        {"äänet ja öljy.gif", false, "äänet ja öljy", 'F', ".gif"},
        {".piilo", false, "", 'F', ".piilo"},
        {"loppupiste.", false, "loppupiste", 'F', "."},
    };
    for (const auto& c : cases) {
        const LibraryRow row = libraryRow(u8(c.name), c.folder);
        EXPECT_EQ(row, (LibraryRow{u8(c.caption), QChar(c.kind), u8(c.extension)})) << c.name;
    }
    EXPECT_EQ(libraryRowPath(u8("/t/"), libraryRow(u8("a.b.c.rvo"), false)), u8("/t/a.rvo"));
}

TEST(FileListCompare, FoldersFirstThenCaptionsWithoutCaseOfAToZ) {
    std::vector<LibraryRow> rows = {
        libraryRow(u8("Kartta2.bmp"), false), libraryRow(u8("kartta.rvo"), false),
        libraryRow(u8("zeta"), true),         libraryRow(u8("Aapinen.jpg"), false),
        libraryRow(u8("Alfa"), true),         libraryRow(u8("ilman"), false),
        libraryRow(u8("Öljy.bmp"), false),    libraryRow(u8("Zorro.bmp"), false),
        libraryRow(u8(".."), true),
    };
    std::stable_sort(rows.begin(), rows.end(), [](const LibraryRow& a, const LibraryRow& b) {
        return FileListCompare(a, b) < 0;
    });
    QStringList order;
    for (const LibraryRow& r : rows)
        order << r.caption;
    // "Ö" is above every ASCII letter by its code; the empty caption comes first.
    EXPECT_EQ(order, (QStringList{u8(".."), u8("Alfa"), u8("zeta"), u8(""), u8("Aapinen"),
                                  u8("kartta"), u8("Kartta2"), u8("Zorro"), u8("Öljy")}));
    EXPECT_EQ(FileListCompare(libraryRow(u8("ABC.bmp"), false), libraryRow(u8("abc.rvo"), false)),
              0);
    // Only a..z fold: "ä" and "Ä" differ.
    EXPECT_NE(FileListCompare(libraryRow(u8("ä.bmp"), false), libraryRow(u8("Ä.bmp"), false)), 0);
}

TEST(GetUpperFolder, CutsAfterTheSecondToLastSeparator) {
    const struct {
        const char* folder;
        const char* upper;
    } cases[] = {
        {"D:\\Tiedot\\Tools\\Kartat\\", "D:\\Tiedot\\Tools\\"},
        {"D:\\Tiedot\\", "D:\\"},
        {"/home/opettaja/.local/share/Tervaso/Ravo/Tools/Kartat/",
         "/home/opettaja/.local/share/Tervaso/Ravo/Tools/"},
        {"/home/", "/"},
        {"/", "/"},
        {"C:/sekaisin\\erottimet/", "C:/sekaisin\\"},
        {"/kaksi//", "/kaksi//"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetUpperFolder(u8(c.folder)), u8(c.upper)) << c.folder;
}

TEST(Slide, FiftyStepsHalvesToEvenAndAlwaysArrives) {
    const struct {
        int screen;
        int target;
        int delta;
        int steps;
    } cases[] = {
        {1920, 1320, 12, 50}, // 600 / 50
        {1920, 1795, 2, 63},  // 125 / 50 = 2.5 goes to 2
        {1920, 1745, 4, 44},  // 175 / 50 = 3.5 goes to 4
        {1920, 1900, 0, 1},   // 20 / 50 rounds to 0: one step to the target
        {1920, 1895, 0, 1},   // 25 / 50 = 0.5 goes to 0
        {1920, 1925, 0, 1},   // right of the edge but left of the start
        {1920, -20, 39, 50},  {1920, -2000000000, 40000038, 51},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        Slide s = slideStart(c.screen, c.target);
        EXPECT_EQ(s.Delta, c.delta);
        int left = c.screen + 10;
        int steps = 0;
        int previous = left;
        while (left > c.target && steps < 1000) {
            left = slideStep(s, c.target);
            EXPECT_LE(left, previous);
            EXPECT_GE(left, c.target);
            previous = left;
            ++steps;
        }
        EXPECT_EQ(left, c.target);
        EXPECT_EQ(steps, c.steps);
    }
}

TEST(Slide, WaitFromTheSpeedSlider) {
    const std::pair<int, int> cases[] = {{1, 20}, {2, 20}, {3, 19}, {50, 10},
                                         {97, 1}, {98, 0}, {99, 0}, {100, 0}};
    for (const auto& [speed, wait] : cases)
        EXPECT_EQ(slideWait(speed), wait) << speed;
}

TEST(ToolRow, FixedFieldsAndTheIdReadBack) {
    const QString row = toolRow(u8("/home/a/Työkalut/kartta.bmp"), 12, -20, 300, 100);
    ASSERT_EQ(row.size(), ToolRowWidth);
    EXPECT_EQ(row.left(100).trimmed(), u8("kartta"));
    EXPECT_EQ(row.mid(100, 10), u8("12        "));
    EXPECT_EQ(row.mid(110, 10), u8("-20       "));
    EXPECT_EQ(row.mid(120, 10), u8("300       "));
    EXPECT_EQ(row.mid(130, 10), u8("100       "));
    EXPECT_EQ(toolRowId(row), 12);

    const struct {
        const char* caption;
        const char* name;
    } names[] = {
        {"Apu.", "Apu"},
        {"ZedozaVudedAve", ""},
        {"C:\\Ravo\\kolmio.v2.bmp", "kolmio"},
        {"/polku.x/ilman", ""},
    };
    for (const auto& n : names)
        EXPECT_EQ(toolRowName(u8(n.caption)), u8(n.name)) << n.caption;

    // A name longer than its field is cut, so the id stays in its place.
    const QString longRow = toolRow(QString(150, u'x') + u8(".bmp"), 1234567890, 0, 0, 255);
    EXPECT_EQ(longRow.size(), ToolRowWidth);
    EXPECT_EQ(toolRowId(longRow), 1234567890);
    EXPECT_EQ(toolRowId(QString(140, u' ')), std::nullopt);
}

TEST(DesignLines, WrittenAsTheLibraryReadsThem) {
    EXPECT_EQ(designHeader(QSize(1920, 1080)), u8("1920~1080~"));
    EXPECT_EQ(designLine(u8("D:\\Tiedot\\Tools\\kartta.bmp"), -20, 300, 100),
              u8("D:\\Tiedot\\Tools\\kartta.bmp~-20~300~100~"));
    EXPECT_EQ(designPicture(u8("Apu."), u8("/t/Työkalut/")), u8("/t/Työkalut/Apu.bmp"));
    EXPECT_EQ(designPicture(u8("/t/kartta.bmp"), u8("/x/")), u8("/t/kartta.bmp"));
    EXPECT_EQ(designPicture(u8("ZedozaVudedAve"), u8("/x/")), u8("ZedozaVudedAve"));
}

// A picture name with "%3" in it once took the opacity in its place when the line was
// written (found by fuzzing); every name is written back as it was read.
TEST(DesignLines, APictureNameWithPercentSignsIsWrittenAsItIs) {
    const QStringList lines =
        readDesignFile(QStringLiteral(RAVO_TEST_DATA "/fuzz-found/design-percent-in-name.rvo"));
    ASSERT_EQ(lines.size(), 2);
    const DesignTool read = readDesignLine(lines[1]);
    ASSERT_TRUE(read.numbersOk());
    EXPECT_EQ(read.picture, u8("%3"));
    EXPECT_EQ(designLine(read.picture, *read.Left, *read.Top, *read.opacity), lines[1]);
    EXPECT_EQ(designLine(u8("kuva%1%2 100%.bmp"), 4, -5, 6), u8("kuva%1%2 100%.bmp~4~-5~6~"));
}

TEST(DesignLines, ReadWithTheirFieldRules) {
    const std::optional<int> no;
    const struct {
        const char* line;
        const char* picture;
        std::optional<int> left, top, opacity;
    } cases[] = {
        {"D:\\Tools\\kartta.bmp~-20~300~100~", "D:\\Tools\\kartta.bmp", -20, 300, 100},
        {"/t/äö å.bmp~0~0~255~", "/t/äö å.bmp", 0, 0, 255},
        {"a.bmp~1~2~3", "a.bmp", 1, 2, no},   // the last field lacks its "~"
        {"a.bmp~+1~2~3~", "a.bmp", no, 2, 3}, // a plus sign is not allowed
        {"a.bmp~1~2~-3~", "a.bmp", 1, 2, no}, // nor a sign on the opacity
        {"a.bmp~1.5~2~3~", "a.bmp", no, 2, 3},
        {"a.bmp~ 1~2~3~", "a.bmp", no, 2, 3},
        {"a.bmp~x~y~z~", "a.bmp", no, no, no},
        {"a.bmp~-~~3~", "a.bmp", no, no, 3},
        {"a.bmp~2147483647~-2147483648~255~", "a.bmp", 2147483647, -2147483648, 255},
        {"a.bmp~2147483648~-2147483649~1~", "a.bmp", no, no, 1},
        {"a.bmp~99999999999999999999~0~1~", "a.bmp", no, 0, 1},
        {"a.bmp~0~0~300~", "a.bmp", 0, 0, 255},
        {"/t/ti~lde.bmp~5~6~7~", "/t/ti", no, 5, 6},
        {"ZedozaVudedAve~10~20~255~", "ZedozaVudedAve", 10, 20, 255},
        {"ei aaltoviivaa", "", no, no, no},
        {"", "", no, no, no},
        {"~1~2~3~", "", 1, 2, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const DesignTool t = readDesignLine(u8(c.line));
        EXPECT_EQ(t.picture, u8(c.picture));
        EXPECT_EQ(t.Left, c.left);
        EXPECT_EQ(t.Top, c.top);
        EXPECT_EQ(t.opacity, c.opacity);
    }
    // Each field and its "~" lie within the 50 characters after the previous "~".
    const QString padded = u8("a.bmp~") + QString(48, u'0') + u8("1~2~3~");
    EXPECT_EQ(readDesignLine(padded).Left, 1);
    const QString tooLong = u8("a.bmp~") + QString(49, u'0') + u8("1~2~3~");
    EXPECT_FALSE(readDesignLine(tooLong).numbersOk());
}

TEST(DesignEncoding, Latin1WhenItFitsElseUtf8WithItsMark) {
    const QStringList finnish = {u8("1920~1080~"), u8("/t/Työkalut/Äänet ja öljy.bmp~-5~6~7~")};
    const QByteArray latin = encodeDesign(finnish);
    EXPECT_EQ(latin,
              QByteArray("1920~1080~\r\n/t/Ty\xF6kalut/\xC4\xE4net ja \xF6ljy.bmp~-5~6~7~\r\n"));
    EXPECT_EQ(decodeDesign(latin), finnish);

    const QStringList wide = {u8("1~2~"), u8("/t/€uro ✓.bmp~1~2~3~")};
    const QByteArray utf8 = encodeDesign(wide);
    EXPECT_TRUE(utf8.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(decodeDesign(utf8), wide);

    // A mark for UTF-16 is read too; bytes without a mark are Latin-1.
    QByteArray utf16("\xFF\xFE");
    const QString text = u8("1~2~\r\nä.bmp~1~2~3~\r\n");
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    EXPECT_EQ(decodeDesign(utf16), (QStringList{u8("1~2~"), u8("ä.bmp~1~2~3~")}));
    EXPECT_EQ(decodeDesign(QByteArray("\xEF\xBB\xBF")), QStringList());
}

// A UTF-16 design with a lone surrogate in it (found by fuzzing): the character reads as
// U+FFFD, so the lines written back read the same, as a bad UTF-8 sequence does.
TEST(DesignEncoding, ALoneSurrogateReadsAsTheReplacementCharacter) {
    const QStringList lines = readDesignFile(
        QStringLiteral(RAVO_TEST_DATA "/fuzz-found/design-utf16-lone-surrogate.rvo"));
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("8") + QChar(QChar::ReplacementCharacter)))
        << lines[0].toStdString();
    EXPECT_EQ(decodeDesign(encodeDesign(lines)), lines);
    // Three marks in UTF-16 (found by fuzzing): the first is the file's, the others are a
    // line's characters, kept when written back in UTF-8.
    const QStringList marks = readDesignFile(
        QStringLiteral(RAVO_TEST_DATA "/fuzz-found/design-utf16-marks-after-the-mark.rvo"));
    EXPECT_EQ(marks, QStringList{QString(2, QChar(0xFEFF))});
    EXPECT_EQ(decodeDesign(encodeDesign(marks)), marks);
    const QByteArray pair =
        QByteArray("\xFF\xFE", 2) + QByteArray("\x3D\xD8\x00\xDE", 4); // U+1F600
    EXPECT_EQ(decodeDesign(pair), QStringList{QString::fromUcs4(U"\U0001F600")});
}

TEST(DesignEncoding, LineEnds) {
    const struct {
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"a~", {"a~"}},
        {"a~\r\nb~", {"a~", "b~"}},
        {"a~\nb~\rc~\r\n", {"a~", "b~", "c~"}},
        {"\r\n\r\n", {"", ""}},
        {QByteArray("a\0b\r\n", 5), {QString::fromLatin1("a\0b", 3)}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decodeDesign(c.bytes), c.lines) << c.bytes.toStdString();
}

TEST(DesignFile, WrittenWholeOrNotAtAll) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u8("Tunti äö.rvo"));
    const QStringList lines = {u8("1~2~"), u8("/t/å.bmp~1~2~3~")};
    writeDesignFile(path, lines);
    EXPECT_EQ(readDesignFile(path), lines);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u8("Tunti äö.rvo")});
    EXPECT_THROW(writeDesignFile(dir.filePath(u8("ei/ole/x.rvo")), lines), std::exception);
    EXPECT_THROW(readDesignFile(dir.filePath(u8("ei.rvo"))), std::exception);
}
