// The names and formats of saved pictures, the dialogs' filters and the format by content.
#include "app/PictureFilesLogic.h"

#include <gtest/gtest.h>

using gfx::PictureFormat;

namespace {

struct SaveCase {
    const char* chosen;
    int filterIndex;
    const char* fileName;
    PictureFormat format;
};

void expectTargets(PictureTarget (*rule)(const QString&, int),
                   std::initializer_list<SaveCase> cases) {
    for (const SaveCase& c : cases) {
        const PictureTarget t = rule(QString::fromUtf8(c.chosen), c.filterIndex);
        EXPECT_EQ(t.fileName.toStdString(), c.fileName) << c.chosen << " / " << c.filterIndex;
        EXPECT_EQ(t.format, c.format) << c.chosen << " / " << c.filterIndex;
    }
}

} // namespace

TEST(PictureFilesLogic, ScreenSaveNames) {
    expectTargets(screenSaveTarget,
                  {
                      {"/d/kuva", 2, "/d/kuva.gif", PictureFormat::Gif},
                      {"/d/kuva", 1, "/d/kuva.bmp", PictureFormat::Bmp},
                      {"/d/kuva", 3, "/d/kuva.jpeg", PictureFormat::Jpeg},
                      {"/d/kuva.jpg", 1, "/d/kuva.jpeg", PictureFormat::Jpeg},
                      {"/d/kuva.JPG", 2, "/d/kuva.jpeg", PictureFormat::Jpeg},
                      {"/d/kuva.jpeg", 1, "/d/kuva.jpeg", PictureFormat::Jpeg},
                      {"/d/kuva.bmp", 3, "/d/kuva.bmp", PictureFormat::Bmp},
                      {"/d/kuva.Gif", 1, "/d/kuva.Gif", PictureFormat::Gif},
                      {"/d/kuva.png", 1, "/d/kuva.png", PictureFormat::Bmp},
                      {"/d/kuva.png", 3, "/d/kuva.png", PictureFormat::Jpeg},
                      {"/d/loma.kuva.jpg", 1, "/d/loma.jpeg", PictureFormat::Jpeg},
                      // The first point of the file name, not of a folder.
                      {"/d.x/loma.kuva.jpg", 2, "/d.x/loma.jpeg", PictureFormat::Jpeg},
                      {"/d.x/kuva", 2, "/d.x/kuva.gif", PictureFormat::Gif},
                  });
}

TEST(PictureFilesLogic, CutOutSaveNames) {
    expectTargets(cutOutSaveTarget,
                  {
                      {"/d/piirros", 2, "/d/piirros.gif", PictureFormat::Gif},
                      {"/d/kuva.jpg", 3, "/d/kuva.jpg", PictureFormat::Jpeg},
                      {"/d/kuva.png", 1, "/d/kuva.png.bmp", PictureFormat::Bmp},
                      {"/d/kuva.BMP", 1, "/d/kuva.BMP", PictureFormat::Bmp},
                      // The entry decides the format, whatever the name says.
                      {"/d/kuva.gif", 3, "/d/kuva.gif.jpeg", PictureFormat::Jpeg},
                      // Three characters decide: ".bm" is taken as typed, ".b" is not.
                      {"/d/kuva.bm", 1, "/d/kuva.bm", PictureFormat::Bmp},
                      {"/d/kuva.b", 1, "/d/kuva.b.bmp", PictureFormat::Bmp},
                      {"/d.gif/kuva", 2, "/d.gif/kuva.gif", PictureFormat::Gif},
                  });
}

TEST(PictureFilesLogic, FormatByContent) {
    EXPECT_EQ(pictureFormatOfContent("BM\x36\x00"), PictureFormat::Bmp);
    EXPECT_EQ(pictureFormatOfContent("\xFF\xD8\xFF\xE0"), PictureFormat::Jpeg);
    EXPECT_EQ(pictureFormatOfContent("GIF89a.."), PictureFormat::Gif);
    EXPECT_EQ(pictureFormatOfContent("GIF87a.."), PictureFormat::Gif);
    EXPECT_EQ(pictureFormatOfContent("\x89PNG\r\n"), std::nullopt);
    EXPECT_EQ(pictureFormatOfContent(""), std::nullopt);
    EXPECT_EQ(pictureFormatOfContent("B"), std::nullopt);
}

TEST(PictureFilesLogic, DialogFilters) {
    EXPECT_EQ(nameFiltersOf(OpenPictureFilter),
              (QStringList{"Bitmaps (*.bmp)", "Jpeg (*.jpeg)", "Gif (*.gif)"}));
    EXPECT_EQ(nameFiltersOf(SavePictureFilter), (QStringList{"*.bmp", "*.gif", "*.jpeg"}));
    EXPECT_EQ(nameFiltersOf("Kuvat|*.bmp"), (QStringList{"Kuvat (*.bmp)"}));
}
