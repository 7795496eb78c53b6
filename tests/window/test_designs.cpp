// The library's second page: the list of the tools on the screen and what it does with the
// chosen ones, and designs saved and opened again, from good files and from bad ones.
#include "aids/RadioGroup.h"
#include "app/MesForm.h"
#include "curtain/Raami.h"
#include "surface/Form1.h"
#include "tools/DesignFile.h"
#include "tools/Oper.h"
#include "tools/RotImg.h"
#include "window/test_library_fixture.h"

#include <QAction>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

class Designs : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        library->show();
    }
    // A tool from the library's picture `file`, slid to (x, y) at `alpha`.
    TOsoitin* show(const QString& file, QPoint at, int alpha = 100) {
        library->LoadPicture(file);
        library->Xanipos = at.x();
        library->Yanipos = at.y();
        library->ShowTool(file, alpha);
        return f->ToolForm;
    }
    void toSecondPage() {
        library->Book->setCurrentIndex(0);
        library->Book->setCurrentIndex(1);
    }
    void chooseRows(std::initializer_list<int> rows) {
        library->List->clearSelection();
        for (int r : rows)
            library->List->item(r)->setSelected(true);
    }
    QStringList designLines(const QString& path) const { return readDesignFile(path); }
    struct Placed {
        QString caption;
        QPoint at;
        int alpha;
        bool operator==(const Placed&) const = default;
        friend void PrintTo(const Placed& p, std::ostream* os) {
            *os << p.caption.toStdString() << " (" << p.at.x() << "," << p.at.y() << ") "
                << p.alpha;
        }
    };
    QList<Placed> placed() const {
        QList<Placed> out;
        for (TOsoitin* t : tools())
            out.append({t->windowTitle(), t->pos(), opacity(t)});
        return out;
    }
    // The viewport's centre of a row of the tool list.
    QPoint rowCentre(int row) const {
        return library->List->visualItemRect(library->List->item(row)).center();
    }
};

TEST_F(Designs, SavingWritesTheScreenThenEachToolInTheListsOrder) {
    const QString kartta = writePicture(top + QStringLiteral("kartta.bmp"));
    // One made from the surface and saved under its name, one from the library.
    QImage cut(30, 30, QImage::Format_RGB32);
    cut.fill(Qt::black);
    TOsoitin* apu = makeToolWindow(*ws, {cut, 180, QRect(0, 0, 180, 180), "Apu.", 90});
    showToolWindow(apu, QPoint(-20, 300));
    TOsoitin* map = show(kartta, QPoint(600, 400), 200);
    toSecondPage();
    ASSERT_EQ(library->List->count(), 2);
    EXPECT_EQ(library->List->item(0)->text().size(), ToolRowWidth);
    EXPECT_TRUE(library->List->item(0)->text().startsWith(QStringLiteral("Apu ")));
    library->DesignName->setText(QStringLiteral("Tunti"));
    library->DoSave->click();
    EXPECT_EQ(
        designLines(top + QStringLiteral("Tunti.rvo")),
        (QStringList{QStringLiteral("1920~1080~"), top + QStringLiteral("Apu.bmp~-20~300~90~"),
                     kartta + QStringLiteral("~600~400~200~")}));
    QFile file(top + QStringLiteral("Tunti.rvo"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith("~200~\r\n"));
    // The library page lists the new design.
    EXPECT_TRUE(rows().contains(QStringLiteral("S:Tunti")));
    EXPECT_EQ(map->pos(), QPoint(600, 400));
}

TEST_F(Designs, ToolsComeBackAtTheirPlacesWithFinnishNamesUnchanged) {
    const QString a = writePicture(top + QStringLiteral("Äänet ja öljy/kartta ö.v2.bmp"));
    const QString b = writePicture(top + QStringLiteral("Å/viivain.jpeg"), Qt::red, QSize(80, 20));
    show(a, QPoint(-20, 300), 100);
    show(b, QPoint(50, -10), 255);
    const QList<Placed> before = placed();
    toSecondPage();
    library->DesignName->setText(QStringLiteral("Äidin tunti"));
    library->DoSave->click();
    const QString design = top + QStringLiteral("Äidin tunti.rvo");
    QFile file(design);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("\xC4\xE4net ja \xF6ljy")); // Latin-1
    library->DeleteTools();
    EXPECT_TRUE(tools().isEmpty());
    EXPECT_FALSE(library->DoSave->isEnabled());
    EXPECT_TRUE(library->DesignName->text().isEmpty());

    // Opened from the library's row, as the user does.
    library->Book->setCurrentIndex(0);
    library->FindFiles();
    choose({QStringLiteral("Äidin tunti")});
    library->ChooseTools->click();
    EXPECT_EQ(placed(), before);
    EXPECT_EQ(library->DesignName->text(), QStringLiteral("Äidin tunti"));
    EXPECT_EQ(library->CurrentDesign, design);
    EXPECT_EQ(library->List->count(), 2);
    EXPECT_TRUE(library->DoSave->isEnabled());
}

TEST_F(Designs, AMissingPictureIsAskedForAndLeftOutOrChosen) {
    const QString a = writePicture(top + QStringLiteral("a.bmp"));
    const QString other = writePicture(root.path() + QStringLiteral("/muualla/b.bmp"));
    const QString design = top + QStringLiteral("kolme.rvo");
    writeDesignFile(design,
                    {QStringLiteral("800~600~"), a + QStringLiteral("~1~2~3~"),
                     top + QStringLiteral("poissa.bmp~4~5~6~"), a + QStringLiteral("~7~8~9~")});
    const QString question =
        QStringLiteral("Sommitelmaan liitettyä kuvatiedostoa ei löydy. Haetaanko levyltä?");
    QStringList asked = answering(TMesForm::ResultNo, {}, [&] { library->OpenDesign(design); });
    EXPECT_EQ(asked, QStringList{question});
    EXPECT_EQ(placed(), (QList<Placed>{{a, {1, 2}, 3}, {a, {7, 8}, 9}}));

    // Answered yes, the picture chosen in the dialog takes the line's place.
    asked = answering(TMesForm::ResultYes, other, [&] { library->OpenDesign(design); });
    EXPECT_EQ(asked, QStringList{question});
    EXPECT_EQ(placed(), (QList<Placed>{{a, {1, 2}, 3}, {other, {4, 5}, 6}, {a, {7, 8}, 9}}));
}

TEST_F(Designs, ADesignThatCannotBeReadIsReportedAndTheToolsStay) {
    const QString a = writePicture(top + QStringLiteral("a.bmp"));
    show(a, QPoint(100, 100));
    toSecondPage();
    writeFile(top + QStringLiteral("poistuva.rvo"), "1~1~\r\n");
    library->Book->setCurrentIndex(0);
    library->FindFiles();
    QFile::remove(top + QStringLiteral("poistuva.rvo"));
    // Deleted by another program between the listing and the choice.
    {
        QString report;
        whenModal([&report](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr) << w->metaObject()->className();
            report = box->text();
            box->accept();
        });
        choose({QStringLiteral("poistuva")});
        QTest::mouseClick(library->ChooseTools, Qt::LeftButton);
        EXPECT_TRUE(report.startsWith(QStringLiteral("Sommitelmaa ei voi lukea: ")))
            << report.toStdString();
        EXPECT_EQ(tools().size(), 1);
    }
}

TEST_F(Designs, BadDesignFilesOpenEveryWholeLineAndNothingElse) {
    const QString picture = writePicture(top + QStringLiteral("Kuvät/kuva.bmp"));
    const QByteArray pictureBytes = picture.toLatin1();
    const QByteArray valid = pictureBytes + "~11~22~33~\r\n";
    const QByteArray longLine = QByteArray(1 << 20, 'A') + "~1~2~3~\r\n";
    QByteArray manyLines = "1920~1080~\r\n";
    for (int i = 0; i < 100000; ++i)
        manyLines += pictureBytes + "~ei luku~\r\n";
    const struct {
        const char* name;
        QByteArray generated; // empty: the fixture of the name
        int questions;        // -1: as many as the garbage holds lines
        QList<Placed> opened;
    } cases[] = {
        {"roskaa.rvo", {}, -1, {{picture, {10, 20}, 100}}},
        {"numerot.rvo", {}, 1, {{picture, {-30, 40}, 120}, {picture, {100, -4000000}, 255}}},
        {"aaltoviiva.rvo", {}, 1, {{picture, {5, 6}, 7}}},
        {"ei-loppua.rvo", {}, 0, {{picture, {1, 2}, 3}, {picture, {4, 5}, 6}}},
        {"tyhja.rvo", {}, 0, {}},
        {"verho.rvo", {}, 1, {{picture, {7, 8}, 9}}},
        {"pitka.rvo", "1~1~\r\n" + longLine + valid, 1, {{picture, {11, 22}, 33}}},
        {"monta.rvo", manyLines + valid, 0, {{picture, {11, 22}, 33}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray bytes = c.generated;
        if (bytes.isEmpty()) {
            QFile fixture(QStringLiteral(RAVO_TEST_DATA "/designs/") + QLatin1String(c.name));
            ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
            bytes = fixture.readAll().replace("@KUVA@", pictureBytes);
        }
        const QString design = top + QLatin1String(c.name);
        writeFile(design, bytes);
        const QStringList asked =
            answering(TMesForm::ResultNo, {}, [&] { library->OpenDesign(design); });
        if (c.questions >= 0) {
            EXPECT_EQ(asked.size(), c.questions);
        }
        EXPECT_EQ(placed(), c.opened);
        EXPECT_EQ(library->DesignName->text(), QString::fromLatin1(c.name).section(u'.', 0, 0));
    }
}

TEST_F(Designs, SetPointTakesTheFirstChosenRowAlsoAfterADrag) {
    const QString a = writePicture(top + QStringLiteral("a.bmp"));
    for (int i = 0; i < 5; ++i)
        show(a, QPoint(100 * i, 50 * i));
    const QList<TOsoitin*> made = tools();
    toSecondPage();
    chooseRows({1, 3});
    library->DoSetAllSamePoint->click();
    EXPECT_EQ(made[3]->pos(), QPoint(100, 50));
    EXPECT_EQ(made[1]->pos(), QPoint(100, 50));
    EXPECT_EQ(made[4]->pos(), QPoint(400, 200));

    made[3]->move(300, 150);
    library->GetTools();
    // Row 4 dragged above row 2 with the pointer.
    QWidget* view = library->List->viewport();
    QTest::mousePress(view, Qt::LeftButton, {}, rowCentre(3));
    for (int y : {2, 1}) {
        QMouseEvent drag(QEvent::MouseMove, QPointF(rowCentre(y)),
                         view->mapToGlobal(QPointF(rowCentre(y))), Qt::NoButton, Qt::LeftButton,
                         {});
        QApplication::sendEvent(view, &drag);
    }
    QTest::mouseRelease(view, Qt::LeftButton, {}, rowCentre(1));
    QList<int> ids;
    for (int r = 0; r < library->List->count(); ++r)
        ids << toolRowId(library->List->item(r)->text()).value_or(0);
    EXPECT_EQ(ids,
              (QList<int>{made[0]->Tag, made[3]->Tag, made[1]->Tag, made[2]->Tag, made[4]->Tag}));
    chooseRows({1, 2});
    library->DoSetAllSamePoint->click();
    EXPECT_EQ(made[1]->pos(), QPoint(300, 150));
    EXPECT_EQ(made[3]->pos(), QPoint(300, 150));
}

TEST_F(Designs, NothingChosenIsToldAndAnEmptyListDoesNothing) {
    const struct {
        QToolButton* button;
        const char* what;
        const char* told;
    } cases[] = {
        {library->DoSetAllSamePoint, "SETPOINT",
         "Valitse ensin työkalu, jonka osoittamaan paikkaan kaikki työkalut siirretään."},
        {library->DoDelete, "DELETE", "Valitse ensin työkalut, jotka poistetaan."},
        {library->DoPaintAll, "PAINT", "Valitse ensin työkalut, jotka maalataan kuvapinnalle."},
    };
    toSecondPage();
    for (const auto& c : cases)
        EXPECT_TRUE(answering(1, {}, [&] { library->DoAll(QLatin1String(c.what)); }).isEmpty());
    show(writePicture(top + QStringLiteral("a.bmp")), QPoint(10, 10));
    toSecondPage();
    library->List->clearSelection();
    for (const auto& c : cases)
        EXPECT_EQ(answering(1, {}, [&] { c.button->click(); }),
                  QStringList{QString::fromUtf8(c.told)});
    EXPECT_EQ(tools().size(), 1);
    // Saving without a name, and without tools.
    EXPECT_EQ(answering(1, {}, [&] { library->DoSave->click(); }),
              QStringList{QStringLiteral("Anna sommitelmalle nimi.")});
    library->DoAll(QStringLiteral("DELETE"), true);
    EXPECT_TRUE(tools().isEmpty());
    EXPECT_FALSE(library->WorkAlpha->isEnabled());
    EXPECT_EQ(answering(1, {}, [&] { library->DoSaveClick(); }),
              QStringList{QStringLiteral("Näytöllä ei ole yhtään työkalua.")});
}

TEST_F(Designs, PaintingATurnedToolPaintsItUnturnedAtTheWindowsCorner) {
    const QString a = writePicture(top + QStringLiteral("a.bmp"), QColor(200, 0, 0), QSize(60, 20));
    TOsoitin* t = show(a, QPoint(300, 200));
    t->Image1->SetAngle(30);
    toSecondPage();
    chooseRows({0});
    library->DoPaintAll->click();
    // The picture's first row is white and stays see-through; below it the red begins.
    EXPECT_EQ(at(300 + 5, 200 + 1), gfx::rgb(200, 0, 0));
    EXPECT_EQ(at(300 + 59, 200 + 19), gfx::rgb(200, 0, 0));
    EXPECT_EQ(at(300 + 5, 200), gfx::White);
    EXPECT_EQ(at(300 + 60, 200 + 5), gfx::White);
    EXPECT_EQ(at(300 + 5, 200 + 20), gfx::White);
    EXPECT_EQ(tools().size(), 1);
}

TEST_F(Designs, TheSliderWithOthersAndTheChosenToolAlone) {
    const QString a = writePicture(top + QStringLiteral("a.bmp"));
    for (int i = 0; i < 3; ++i)
        show(a, QPoint(100 * i + 50, 100), 100);
    const QList<TOsoitin*> made = tools();
    toSecondPage();
    // No row focused: told to choose one first.
    library->List->setCurrentRow(-1);
    EXPECT_EQ(answering(1, {}, [&] { library->WorkAlpha->setValue(90); }),
              QStringList{QStringLiteral("Valitse ensin työkalu.")});
    const QRect r = library->List->visualItemRect(library->List->item(1));
    QTest::mouseClick(library->List->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(f->ActiveForm, made[1]);
    EXPECT_EQ(made[1]->pos(), QPoint(150, 100));
    library->Others->setItemIndex(2);
    library->WorkAlpha->setValue(0);
    EXPECT_EQ(opacity(made[1]), 0);
    EXPECT_EQ(opacity(made[0]), 255);
    EXPECT_EQ(opacity(made[2]), 255);
    library->Others->setItemIndex(1);
    library->WorkAlpha->setValue(60);
    for (TOsoitin* t : made)
        EXPECT_EQ(opacity(t), 60);

    library->DoShowDesignTool->click();
    EXPECT_EQ(made[1]->pos(), QPoint(0, 0));
    EXPECT_EQ(opacity(made[1]), 255);
    EXPECT_EQ(opacity(made[0]), 0);
    EXPECT_EQ(opacity(made[2]), 0);
}

TEST_F(Designs, KeysInTheListShowTheActiveToolAloneAndDownOntoTheLastRowLeavesNone) {
    const QString a = writePicture(top + QStringLiteral("a.bmp"));
    TOsoitin* first = show(a, QPoint(100, 100));
    TOsoitin* second = show(a, QPoint(500, 100));
    show(a, QPoint(900, 100));
    toSecondPage();
    library->List->setFocus();
    library->List->setCurrentRow(0);
    f->ActiveForm = first;
    QTest::keyClick(library->List, Qt::Key_Down);
    EXPECT_EQ(library->List->currentRow(), 1);
    // One row chosen: the active tool alone, at the corner.
    EXPECT_EQ(first->pos(), QPoint(0, 0));
    EXPECT_EQ(opacity(first), 255);
    EXPECT_EQ(opacity(second), 0);
    // Onto the last row: released there, it leaves no row focused.
    QTest::keyClick(library->List, Qt::Key_Down);
    EXPECT_EQ(library->List->currentRow(), -1);
    EXPECT_EQ(answering(1, {}, [&] { library->WorkAlpha->setValue(77); }),
              QStringList{QStringLiteral("Valitse ensin työkalu.")});
}

TEST_F(Designs, APressOnAToolChoosesItsRow) {
    const QString a = writePicture(top + QStringLiteral("a.bmp"));
    show(a, QPoint(100, 100));
    TOsoitin* second = show(a, QPoint(500, 100));
    toSecondPage();
    chooseRows({0});
    second->Image1MouseDown(Qt::LeftButton, Qt::LeftButton, 80, 80);
    second->Image1MouseUp(Qt::LeftButton, Qt::NoButton, 80, 80);
    EXPECT_FALSE(library->List->item(0)->isSelected());
    EXPECT_TRUE(library->List->item(1)->isSelected());
}

TEST_F(Designs, AToolShownAfterTheListWasBuiltIsLeftOut) {
    const QString a = writePicture(top + QStringLiteral("a.bmp"));
    show(a, QPoint(100, 100));
    toSecondPage();
    // The curtain picture comes while the page is open.
    palette->MenuCurtain1->trigger();
    ASSERT_EQ(tools().size(), 2);
    TOsoitin* curtain = tools().last();
    EXPECT_EQ(curtain->windowTitle(), QStringLiteral("ZedozaVudedAve"));
    EXPECT_EQ(opacity(curtain), 255);
    EXPECT_EQ(curtain->pos(), QPoint(library->DefXpos, library->DefYpos));
    EXPECT_TRUE(palette->MenuCurtain1->isChecked());
    library->DesignName->setText(QStringLiteral("yksi"));
    library->DoSave->click();
    EXPECT_EQ(designLines(top + QStringLiteral("yksi.rvo")).size(), 2);
    library->OpenDesign(top + QStringLiteral("yksi.rvo"));
    EXPECT_EQ(tools().size(), 2);
    EXPECT_TRUE(tools().contains(curtain));

    // Verho again removes it; clearing all removes every tool.
    palette->MenuCurtain1->trigger();
    EXPECT_FALSE(tools().contains(curtain));
    EXPECT_FALSE(palette->MenuCurtain1->isChecked());
    show(a, QPoint(300, 300));
    ws->OptionsForm->DoClearAll->click();
    EXPECT_TRUE(tools().isEmpty());
    EXPECT_EQ(library->List->count(), 0);
}

TEST_F(Designs, TheCurtainPictureGivesWayToTheFrameAndToItsDelete) {
    QAction* verho = palette->MenuCurtain1;
    const auto curtains = [&] {
        int n = 0;
        for (TOsoitin* t : tools())
            n += t->windowTitle() == QStringLiteral("ZedozaVudedAve");
        return n;
    };
    verho->trigger();
    ASSERT_EQ(curtains(), 1);
    palette->MenuCurtainForm->trigger(); // "Ikkuna" takes the picture curtain away
    EXPECT_EQ(curtains(), 0);
    EXPECT_FALSE(verho->isChecked());
    verho->trigger(); // and the picture curtain the frame
    EXPECT_EQ(curtains(), 1);
    EXPECT_FALSE(ws->Raami->isVisible());

    // Deleted from its properties, it unticks "Verho".
    f->ActiveForm = tools().last();
    ws->Oper->show();
    ws->Oper->DoDelete->click();
    EXPECT_EQ(curtains(), 0);
    EXPECT_FALSE(verho->isChecked());

    // Without its file, the error report names it and "Verho" stays unticked.
    QFile::remove(installFolder() + QStringLiteral("ZedozaVudedAve.JPG"));
    const QStringList reports = errorReportsOf([&] { verho->trigger(); });
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(QStringLiteral("ZedozaVudedAve.JPG")))
        << reports[0].toStdString();
    EXPECT_FALSE(verho->isChecked());
    EXPECT_EQ(curtains(), 0);
}

// Every other way the picture curtain leaves the screen unticks "Verho" as well.
TEST_F(Designs, TheCurtainItemFollowsThePictureWhereverItGoes) {
    QAction* verho = palette->MenuCurtain1;
    const QString a = writePicture(top + QStringLiteral("a.bmp"));
    show(a, QPoint(100, 100));
    toSecondPage();
    library->DesignName->setText(QStringLiteral("vain"));
    library->DoSave->click();
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"clear-all", [&] { ws->OptionsForm->DoClearAll->click(); }},
        {"deleted from the list",
         [&] {
             library->GetTools();
             library->DoAll(QStringLiteral("DELETE"), true);
         }},
        {"a design opened",
         [&] {
             library->GetTools();
             library->OpenDesign(top + QStringLiteral("vain.rvo"));
         }},
    };
    for (const auto& [what, away] : ways) {
        verho->trigger();
        ASSERT_TRUE(verho->isChecked()) << what;
        away();
        for (TOsoitin* t : tools())
            EXPECT_NE(t->windowTitle(), QStringLiteral("ZedozaVudedAve")) << what;
        EXPECT_FALSE(verho->isChecked()) << what;
    }
}

TEST_F(Designs, TheNameTakesNameCharactersAndEnterSaves) {
    show(writePicture(top + QStringLiteral("a.bmp")), QPoint(10, 10));
    toSecondPage();
    library->DesignName->setFocus();
    // Typed one key at a time, as a keyboard gives letters beyond ASCII.
    for (QChar c : QStringLiteral("Tun/ti:1 ä*.Ö")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(library->DesignName, &press);
    }
    EXPECT_EQ(library->DesignName->text(), QStringLiteral("Tunti1 äÖ"));
    QTest::keyClick(library->DesignName, Qt::Key_Backspace);
    // Delete and the arrows still edit.
    QTest::keyClick(library->DesignName, Qt::Key_Home);
    QTest::keyClick(library->DesignName, Qt::Key_Delete);
    EXPECT_EQ(library->DesignName->text(), QStringLiteral("unti1 ä"));
    QTest::keyClick(library->DesignName, Qt::Key_Return);
    EXPECT_TRUE(QFile::exists(top + QStringLiteral("unti1 ä.rvo")));
}

TEST_F(Designs, RefreshSavesUnderTheNewNameAndOpensTheOneOpenedBefore) {
    const QString a = writePicture(top + QStringLiteral("a.bmp"));
    const QString design = top + QStringLiteral("Tunti.rvo");
    writeDesignFile(design, {QStringLiteral("1~1~"), a + QStringLiteral("~10~20~30~")});
    library->OpenDesign(design);
    tools().first()->move(40, 50);
    library->DesignName->setText(QStringLiteral("Uusi"));
    library->DoRefresh->click();
    EXPECT_EQ(designLines(top + QStringLiteral("Uusi.rvo")).value(1),
              a + QStringLiteral("~40~50~30~"));
    EXPECT_EQ(placed(), (QList<Placed>{{a, {10, 20}, 30}}));
    EXPECT_EQ(library->DesignName->text(), QStringLiteral("Tunti"));
}

} // namespace
