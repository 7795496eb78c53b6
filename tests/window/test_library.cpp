// The library's first page: the folder's rows and their order, the way up and down the
// folders, previews, tools sliding in, new folders and deletes, and folders or files that
// vanish under it.
#include "app/RavoApplication.h"
#include "tools/RotImg.h"
#include "window/test_library_fixture.h"

#include <QMessageBox>
#include <QTest>
#include <QToolButton>

namespace {

class Library : public LibraryTest {};

TEST_F(Library, TopFolderHasNoWayUpAndDoubleClicksLeadBack) {
    QDir().mkpath(top + QStringLiteral("Kartat/Alue"));
    library->show();
    EXPECT_EQ(library->ToolsFolder, top);
    EXPECT_FALSE(rows().contains(QStringLiteral("D:..")));

    // Down with real double clicks, back up by "..".
    const QStringList path = {QStringLiteral("Kartat"), QStringLiteral("Alue")};
    for (const QString& folder : path) {
        QTreeWidgetItem* item = row(folder);
        ASSERT_NE(item, nullptr) << folder.toStdString();
        const QRect r = library->FileList->visualItemRect(item);
        QTest::mouseClick(library->FileList->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(library->FileList->viewport(), Qt::LeftButton, {}, r.center());
        EXPECT_TRUE(rows().contains(QStringLiteral("D:.."))) << folder.toStdString();
    }
    EXPECT_EQ(library->ToolsFolder, top + QStringLiteral("Kartat/Alue/"));
    for (const char* expected : {"Kartat/", ""}) {
        library->FileList->setCurrentItem(row(QStringLiteral("..")));
        library->FileListDblClick();
        EXPECT_EQ(library->ToolsFolder, top + QLatin1String(expected));
    }
    EXPECT_FALSE(rows().contains(QStringLiteral("D:..")));
    // A tool row is not a way anywhere.
    library->FileList->setCurrentItem(row(QStringLiteral("Nuoli")));
    library->FileListDblClick();
    EXPECT_EQ(library->ToolsFolder, top);
}

TEST_F(Library, FoldersFirstThenToolsAndDesignsMixedAlphabetically) {
    for (const char* name : {"kartta.bmp", "Kartta2.jpeg", "Aapinen.rvo", "ilman pistettä",
                             "Äänet ja öljy.v2.gif", ".piilo.bmp", "Tunti.RVO"})
        writeFile(top + QString::fromUtf8(name), "x");
    for (const char* folder : {"zeta", "Alfa kansio", "vanha.kansio"})
        QDir().mkpath(top + QString::fromUtf8(folder));
    library->show();
    EXPECT_EQ(rows(), (QStringList{"D:Alfa kansio", "D:vanha.kansio", "D:zeta", "F:", "S:Aapinen",
                                   "F:kartta", "F:Kartta2", "F:Nuoli", "S:Tunti",
                                   QString::fromUtf8("F:Äänet ja öljy")}));
    const struct {
        const char* caption;
        int picture;
        const char* extension;
    } pictures[] = {{"zeta", 0, ""},
                    {"kartta", 1, ".bmp"},
                    {"Tunti", 2, ".RVO"},
                    {"", 1, ""},
                    {"Äänet ja öljy", 1, ".gif"}};
    for (const auto& p : pictures) {
        const QTreeWidgetItem* item = row(QString::fromUtf8(p.caption));
        ASSERT_NE(item, nullptr) << p.caption;
        const LibraryRow r = TFilesForm::rowOf(item);
        EXPECT_EQ(library->FileListGetImageIndex(r), p.picture) << p.caption;
        EXPECT_EQ(r.extension, QLatin1String(p.extension)) << p.caption;
        EXPECT_FALSE(item->icon(0).isNull());
    }
    // Only the name column is seen.
    EXPECT_TRUE(library->FileList->isColumnHidden(1));
    EXPECT_TRUE(library->FileList->isColumnHidden(2));
}

TEST_F(Library, ClickPreviewsBmpJpegAndGifAndTheCurtainPicture) {
    writePicture(top + QStringLiteral("sininen.bmp"), QColor(0, 0, 255), QSize(30, 20));
    writePicture(top + QStringLiteral("punainen.jpeg"), QColor(255, 0, 0), QSize(50, 20));
    writePicture(top + QStringLiteral("vihreä.GIF"), QColor(0, 255, 0), QSize(20, 60));
    library->show();
    const struct {
        const char* caption;
        QSize size;
    } cases[] = {{"sininen", {30, 20}}, {"punainen", {50, 20}}, {"vihreä", {20, 60}}};
    for (const auto& c : cases) {
        const QRect r = library->FileList->visualItemRect(row(QString::fromUtf8(c.caption)));
        QTest::mouseClick(library->FileList->viewport(), Qt::LeftButton, {}, r.center());
        EXPECT_EQ(library->Image->Picture().size(), c.size) << c.caption;
    }
    library->LoadPicture(QStringLiteral("ZedozaVudedAve"));
    const QSize curtain = library->Image->Picture().size();
    EXPECT_GE(curtain.width(), 1024);
    EXPECT_GE(curtain.height(), 768);
}

TEST_F(Library, AFileGoneOrUnreadableReachesTheErrorReportAndTheLibraryGoesOn) {
    writePicture(top + QStringLiteral("kartta.bmp"));
    writeFile(top + QStringLiteral("rikki.bmp"), "BM ei kuva");
    library->show();
    QFile::remove(top + QStringLiteral("kartta.bmp"));
    for (const char* caption : {"kartta", "rikki"}) {
        QString report;
        whenModal([&report](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr) << w->metaObject()->className();
            report = box->text();
            box->accept();
        });
        const QRect r = library->FileList->visualItemRect(row(QLatin1String(caption)));
        QTest::mouseClick(library->FileList->viewport(), Qt::LeftButton, {}, r.center());
        EXPECT_TRUE(report.startsWith(QStringLiteral("Kuvatiedostoa ei voi lukea"))) << caption;
        EXPECT_TRUE(report.contains(QLatin1String(caption))) << report.toStdString();
    }
    library->FindFiles();
    EXPECT_TRUE(rows().contains(QStringLiteral("F:Nuoli")));
}

TEST_F(Library, AFolderRemovedWhileListedIsReportedAndTheListStays) {
    QDir().mkpath(top + QStringLiteral("Poistuva/Sisällä"));
    library->show();
    QDir(top + QStringLiteral("Poistuva")).removeRecursively();
    library->FileList->setCurrentItem(row(QStringLiteral("Poistuva")));
    const QStringList asked =
        answering(TMesForm::ResultYes, {}, [&] { library->FileListDblClick(); });
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].startsWith(QStringLiteral("Kansiota "))) << asked[0].toStdString();
    EXPECT_EQ(library->ToolsFolder, top);
    EXPECT_TRUE(rows().contains(QStringLiteral("F:Nuoli")));
    EXPECT_FALSE(rows().contains(QStringLiteral("D:Poistuva")));

    // Removed while it is the folder listed: the way up is still there.
    QDir().mkpath(top + QStringLiteral("Toinen"));
    library->ToolsFolder = top + QStringLiteral("Toinen/");
    QDir(top + QStringLiteral("Toinen")).removeRecursively();
    const QStringList again = answering(TMesForm::ResultYes, {}, [&] { library->FindFiles(); });
    ASSERT_EQ(again.size(), 1);
    EXPECT_TRUE(again[0].contains(QStringLiteral("ei voi lukea"))) << again[0].toStdString();
    EXPECT_EQ(rows(), QStringList{QStringLiteral("D:..")});
    library->FileList->setCurrentItem(row(QStringLiteral("..")));
    library->FileListDblClick();
    EXPECT_EQ(library->ToolsFolder, top);
}

TEST_F(Library, NewFolderAgainstFoldersOfAnyCaseButNotFiles) {
    QDir().mkpath(top + QStringLiteral("UUSI KANSIO"));
    library->show();
    QStringList asked = answering(TMesForm::ResultYes, {}, [&] { library->DoNewFolder->click(); });
    EXPECT_EQ(asked, QStringList{QStringLiteral("Kansio on jo olemassa.")});

    QDir(top + QStringLiteral("UUSI KANSIO")).removeRecursively();
    writeFile(top + QStringLiteral("Uusi kansio.bmp"), "x");
    library->FindFiles();
    asked = answering(TMesForm::ResultYes, {}, [&] { library->DoNewFolder->click(); });
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_TRUE(QFileInfo(top + QStringLiteral("Uusi kansio")).isDir());
    EXPECT_TRUE(rows().contains(QStringLiteral("D:Uusi kansio")));

    // Missing parents are made too, with the letters of the name kept.
    library->NewFolder->setText(QStringLiteral("Äidinkieli/Runot ja lorut"));
    library->DoNewFolder->click();
    EXPECT_TRUE(QFileInfo(top + QStringLiteral("Äidinkieli/Runot ja lorut")).isDir());
    EXPECT_TRUE(rows().contains(QStringLiteral("D:Äidinkieli")));
}

TEST_F(Library, DeletingAsksAndRefusesFolders) {
    writePicture(top + QStringLiteral("kartta.bmp"));
    writeFile(top + QStringLiteral("Tunti.rvo"), "1~2~\r\n");
    QDir().mkpath(top + QStringLiteral("Kansio"));
    library->show();
    library->FileList->clearSelection();
    library->FileList->setCurrentItem(nullptr);
    const struct {
        const char* caption; // empty: nothing chosen
        int answer;
        const char* asked;
        bool gone;
    } cases[] = {
        {"", 1, "Valitse ensin poistettava kohde.", false},
        {"Kansio", 1, "Kansiota et voi poistaa tässä Ravon versiossa.", false},
        {"kartta", 7, "Poistetaan työkalu kokonaan käytöstä. Jatketaanko?", false},
        {"kartta", 1, "Poistetaan työkalu kokonaan käytöstä. Jatketaanko?", true},
        {"Tunti", 1, "Poistetaan sommitelma kokonaan käytöstä. Jatketaanko?", true},
    };
    for (const auto& c : cases) {
        const QString caption = QString::fromUtf8(c.caption);
        SCOPED_TRACE(c.caption);
        if (!caption.isEmpty()) choose({caption});
        const QStringList asked = answering(c.answer, {}, [&] { library->DoDeleteFile->click(); });
        EXPECT_EQ(asked, QStringList{QString::fromUtf8(c.asked)});
        if (!caption.isEmpty()) {
            EXPECT_EQ(row(caption) == nullptr, c.gone);
        }
    }
    EXPECT_TRUE(QFileInfo(top + QStringLiteral("Kansio")).isDir());
    EXPECT_FALSE(QFile::exists(top + QStringLiteral("kartta.bmp")));
    EXPECT_FALSE(QFile::exists(top + QStringLiteral("Tunti.rvo")));
}

TEST_F(Library, TwoChosenToolsSlideToTheSamePlaceAtTheToolOpacity) {
    writePicture(top + QStringLiteral("kartta.bmp"), QColor(0, 0, 200), QSize(40, 30));
    writePicture(top + QStringLiteral("viivain.jpg"), QColor(200, 0, 0), QSize(100, 20));
    ws->OptionsForm->WorkAlpha->setValue(150);
    library->show();
    choose({QStringLiteral("kartta"), QStringLiteral("viivain")});
    library->ChooseTools->click();
    const QList<TOsoitin*> made = tools();
    ASSERT_EQ(made.size(), 2);
    const struct {
        const char* file;
        int side;
    } expected[] = {{"kartta.bmp", 190}, {"viivain.jpg", 250}};
    for (int i = 0; i < 2; ++i) {
        TOsoitin* t = made[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(t->pos(), QPoint(library->DefXpos, library->DefYpos));
        EXPECT_EQ(opacity(t), 150);
        EXPECT_EQ(t->windowTitle(), top + QLatin1String(expected[i].file));
        EXPECT_EQ(t->size(), QSize(expected[i].side, expected[i].side));
        EXPECT_EQ(t->Image1->geometry(), QRect(1, 1, expected[i].side, expected[i].side));
        EXPECT_EQ(t->Hint, QStringLiteral("0"));
        EXPECT_EQ(t->objectName(), QStringLiteral("Apu%1").arg(t->Tag));
        EXPECT_EQ(t->parentWidget(), f);
    }
    EXPECT_EQ(made[1]->Tag, made[0]->Tag + 1);
    EXPECT_EQ(f->ActiveForm, made[1]);
    EXPECT_EQ(f->ToolForm, made[1]);
    // The default place: 300 pixels left of the library at the right edge, above the middle.
    EXPECT_EQ(library->DefYpos, 1080 / 2 - 100);
}

TEST_F(Library, ASlideNearTheRightEdgeStillArrives) {
    writePicture(top + QStringLiteral("kartta.bmp"));
    library->LoadPicture(top + QStringLiteral("kartta.bmp"));
    for (int target : {1900, 1895, 1925, 1600}) {
        library->Xanipos = target;
        library->Yanipos = 200;
        library->ShowTool(QStringLiteral("kartta"), 100);
        EXPECT_EQ(f->ToolForm->pos(), QPoint(target, 200)) << target;
    }
    // Right of where a slide starts: the tool stays where it appeared.
    library->Xanipos = 1950;
    library->ShowTool(QStringLiteral("kartta"), 100);
    EXPECT_EQ(f->ToolForm->x(), 1920 + 10);
}

TEST_F(Library, ASlideStartedDuringAnotherTakesItOver) {
    writePicture(top + QStringLiteral("kartta.bmp"));
    library->LoadPicture(top + QStringLiteral("kartta.bmp"));
    library->Xanipos = 100;
    library->Yanipos = 100;
    QTimer::singleShot(0, library, [this] {
        library->Xanipos = 400;
        library->Yanipos = 500;
        library->ShowTool(QStringLiteral("toinen"), 100);
    });
    library->ShowTool(QStringLiteral("ensimmäinen"), 100);
    const QList<TOsoitin*> made = tools();
    ASSERT_EQ(made.size(), 2);
    EXPECT_EQ(made[1]->pos(), QPoint(400, 500));
    // The first stays where the second found it, short of its place.
    EXPECT_GT(made[0]->x(), 100);
    EXPECT_LE(made[0]->x(), 1920 + 10);
}

} // namespace
