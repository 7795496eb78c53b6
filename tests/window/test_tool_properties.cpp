// The tool properties window acting on the active tool: its mode, place, angle, opacity,
// name and picture, and the other tools that follow it.
#include "aids/OptionsForm.h"
#include "aids/RadioGroup.h"
#include "gfx/Picture.h"
#include "support/Unprivileged.h"
#include "tools/FilesForm.h"
#include "tools/Oper.h"
#include "tools/Osoitin.h"
#include "tools/RotImg.h"
#include "window/test_drawing_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPicture>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <cmath>
#include <functional>

namespace {

class ToolProperties : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        oper = ws->Oper;
        folder = root.path() + QStringLiteral("/Työkalut/");
        ASSERT_TRUE(QDir().mkpath(folder));
        ws->FilesForm->ToolsFolder = folder;
    }
    void TearDown() override { oper->hide(); }

    // A black 20 x 10 picture with a white notch at its top-left corner, which the colour
    // key lets through.
    static QImage picture() {
        QImage img(20, 10, QImage::Format_RGB32);
        img.fill(QColor(10, 20, 30));
        img.setPixel(0, 0, 0xFFFFFFFF);
        img.setPixel(1, 0, 0xFFFFFFFF);
        return img;
    }

    TOsoitin* makeTool(int id, const QString& caption = QString(), int opacity = 100) {
        auto* t = new TOsoitin(*ws);
        t->Tag = id;
        t->setObjectName(QStringLiteral("Apu%1").arg(id));
        t->setWindowTitle(caption.isNull() ? QStringLiteral("työkalu%1.").arg(id) : caption);
        t->Image1->SetPicture(TPicture::fromBitmap(picture()));
        t->setWindowOpacity(opacity / 255.0);
        t->move(100 + 10 * id, 50 + 5 * id);
        f->toolWindows.add(t);
        return t;
    }
    void activate(TOsoitin* t) { f->ActiveForm = t; }
    static int opacity(const QWidget* w) { return int(std::lround(w->windowOpacity() * 255)); }

    TOper* oper = nullptr;
    QString folder;
};

TEST_F(ToolProperties, OpeningShowsTheToolsModeOpacityAndName) {
    const struct {
        const char* hint;
        int opacity;
        const char* caption;
        bool moving;
        const char* name;
    } cases[] = {
        {"0", 100, "kartta.uusi", true, "kartta"},
        {"1", 200, "/home/a/Työkalut/viivain.bmp", false, "viivain"},
        {"0", 0, "C:\\Ravo\\kolmio", true, "kolmio"},
        {"1", 255, "ZedozaVudedAve", false, "ZedozaVudedAve"},
    };
    int id = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        TOsoitin* t = makeTool(id++, QString::fromUtf8(c.caption), c.opacity);
        t->Hint = QString::fromLatin1(c.hint);
        activate(t);
        oper->show();
        EXPECT_EQ(oper->Moving->isChecked(), c.moving);
        EXPECT_EQ(oper->Rotating->isChecked(), !c.moving);
        EXPECT_EQ(oper->WorkAlpha->value(), c.opacity);
        EXPECT_EQ(oper->ToolName->text(), QString::fromUtf8(c.name));
        oper->hide();
    }
}

TEST_F(ToolProperties, MovingAndRotatingAlwaysExactlyOne) {
    activate(makeTool(1));
    oper->show();
    QCheckBox* boxes[] = {oper->Moving, oper->Rotating, oper->Rotating, oper->Moving, oper->Moving};
    for (QCheckBox* b : boxes) {
        b->click();
        EXPECT_NE(oper->Moving->isChecked(), oper->Rotating->isChecked())
            << b->objectName().toStdString();
    }
    // Five clicks from "Siirto" on: the last click on Siirto unchecked it.
    EXPECT_TRUE(oper->Rotating->isChecked());
}

TEST_F(ToolProperties, NudgesMoveOnePixelAndStraighteningZeroesTheAngle) {
    TOsoitin* t = makeTool(1);
    TOsoitin* other = makeTool(2);
    activate(t);
    t->Image1->SetAngle(33);
    oper->show();
    const QPoint start = t->pos();
    const QPoint otherStart = other->pos();
    const struct {
        QToolButton* b;
        QPoint step;
    } nudges[] = {{oper->DoMoveXMiinus1, {-1, 0}},
                  {oper->DoMoveXPlus1, {1, 0}},
                  {oper->DoMoveYMiinus1, {0, -1}},
                  {oper->DoMoveYPlus1, {0, 1}}};
    for (const auto& n : nudges) {
        const QPoint before = t->pos();
        n.b->click();
        EXPECT_EQ(t->pos(), before + n.step) << n.b->objectName().toStdString();
    }
    EXPECT_EQ(t->pos(), start);
    EXPECT_EQ(other->pos(), otherStart);
    EXPECT_EQ(t->Image1->Angle(), 33);
    oper->DoStraighten->click();
    EXPECT_EQ(t->Image1->Angle(), 0);
}

TEST_F(ToolProperties, FadingCarriesOverToTheOthersAsChosen) {
    const struct {
        const char* what;
        int others; // 0 Ei, 1 Sama, 2 Käänt.
        int sliderBefore;
        int activeAt;
        int setTo; // -1: only opened
        int othersAfter;
        int activeAfter;
    } cases[] = {
        {"inverse", 2, 100, 100, 200, 55, 200},
        {"inverse to nothing", 2, 100, 100, 255, 0, 255},
        {"same", 1, 100, 100, 180, 180, 180},
        {"not at all", 0, 100, 100, 180, 30, 180},
        {"opened at the slider's value", 1, 100, 100, -1, 30, 100},
        {"opened at another value", 1, 150, 100, -1, 100, 100},
        {"opened, inverse", 2, 150, 40, -1, 215, 40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        f->toolWindows.destroyAll();
        TOsoitin* t = makeTool(1, QString(), c.activeAt);
        TOsoitin* a = makeTool(2, QString(), 30);
        TOsoitin* b = makeTool(3, QString(), 30);
        oper->Others->setItemIndex(0);
        oper->WorkAlpha->setValue(c.sliderBefore);
        oper->Others->setItemIndex(c.others);
        activate(t);
        oper->show();
        if (c.setTo >= 0) oper->WorkAlpha->setValue(c.setTo);
        EXPECT_EQ(opacity(t), c.activeAfter);
        EXPECT_EQ(opacity(a), c.othersAfter);
        EXPECT_EQ(opacity(b), c.othersAfter);
        oper->hide();
    }
}

TEST_F(ToolProperties, EveryPositionComesBackAsTheToolsOpacity) {
    TOsoitin* t = makeTool(1, QString(), 0);
    activate(t);
    oper->show();
    for (int v = 255; v >= 0; --v) {
        oper->WorkAlpha->setValue(v);
        ASSERT_EQ(opacity(t), v);
    }
}

TEST_F(ToolProperties, LeavingLeavesOnlyTheActiveToolTurning) {
    TOsoitin* t = makeTool(1);
    TOsoitin* a = makeTool(2);
    TOsoitin* b = makeTool(3);
    // The shown window is left by its own button, by painting or by a press on the surface.
    const std::function<void()> leave[] = {
        [&] { oper->DoClose->click(); },
        [&] { oper->DoPaste->click(); },
        [&] {
            press({5, 5});
            release({5, 5});
        },
    };
    for (const auto& l : leave) {
        a->Hint = b->Hint = QStringLiteral("1");
        activate(t);
        oper->show();
        oper->Rotating->setChecked(true);
        l();
        EXPECT_FALSE(oper->isVisible());
        EXPECT_EQ(t->Hint, QStringLiteral("1"));
        EXPECT_EQ(a->Hint, QStringLiteral("0"));
        EXPECT_EQ(b->Hint, QStringLiteral("0"));
        oper->show();
        EXPECT_TRUE(oper->Rotating->isChecked());
        oper->Moving->click();
        l();
        EXPECT_EQ(t->Hint, QStringLiteral("0"));
    }
}

TEST_F(ToolProperties, SavingNamesTheToolAndWritesItsUnturnedPicture) {
    TOsoitin* t = makeTool(1, QStringLiteral("vanha."));
    t->Image1->SetAngle(45);
    activate(t);
    oper->show();
    // An old file of the name is replaced.
    QFile old(folder + QStringLiteral("kartta.bmp"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("vanha");
    old.close();

    oper->ToolName->setText(QStringLiteral("kartta.uusi"));
    oper->DoSave->click();
    EXPECT_EQ(t->windowTitle(), QStringLiteral("kartta."));
    EXPECT_EQ(gfx::loadPicture(folder + QStringLiteral("kartta.bmp"), gfx::PictureFormat::Bmp),
              picture());
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("kartta.uusi.bmp")));

    // Enter in the name box saves on its release.
    oper->ToolName->setText(QStringLiteral("viivain"));
    QTest::keyPress(oper->ToolName, Qt::Key_Return);
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("viivain.bmp")));
    QTest::keyRelease(oper->ToolName, Qt::Key_Return);
    EXPECT_EQ(t->windowTitle(), QStringLiteral("viivain."));
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("viivain.bmp")));

    // No name, no save.
    oper->ToolName->clear();
    oper->DoSave->click();
    QTest::keyRelease(oper->ToolName, Qt::Key_Enter);
    EXPECT_EQ(t->windowTitle(), QStringLiteral("viivain."));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2);
}

TEST_F(ToolProperties, SavingADrawingWritesItOnWhite) {
    QPicture drawing;
    QPainter p(&drawing);
    p.fillRect(QRect(2, 2, 8, 4), QColor(200, 0, 0));
    p.end();
    TOsoitin* t = makeTool(1);
    t->Image1->SetPicture(TPicture::fromDrawing(drawing));
    activate(t);
    oper->show();
    oper->ToolName->setText(QStringLiteral("piirros"));
    oper->DoSave->click();
    const QImage saved =
        gfx::loadPicture(folder + QStringLiteral("piirros.bmp"), gfx::PictureFormat::Bmp);
    ASSERT_EQ(saved.size(), QSize(10, 6));
    EXPECT_EQ(saved.pixel(1, 1), 0xFFFFFFFFu);
    EXPECT_EQ(saved.pixel(5, 3), QColor(200, 0, 0).rgb());
    EXPECT_EQ(saved.pixel(9, 5), QColor(200, 0, 0).rgb());
}

TEST_F(ToolProperties, SavingWhereNothingCanBeWrittenRaisesTheFinnishErrorAfterRenaming) {
    TOsoitin* t = makeTool(1, QStringLiteral("vanha."));
    activate(t);
    ws->FilesForm->ToolsFolder = root.path() + QStringLiteral("/ei/ole/");
    oper->show();
    oper->ToolName->setText(QStringLiteral("kartta.uusi"));
    try {
        oper->DoSaveClick();
        FAIL() << "saved into a missing folder";
    } catch (const gfx::PictureError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Kuvatiedostoa ei voi tallentaa: ")))
            << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral("/ei/ole/kartta.bmp"))) << e.what();
    }
    EXPECT_EQ(t->windowTitle(), QStringLiteral("kartta."));
    EXPECT_FALSE(QDir(root.path() + QStringLiteral("/ei")).exists());

    // Pressed by the user, the button and the Enter key end in the general error report.
    const std::function<void()> saves[] = {
        [&] { QTest::mouseClick(oper->DoSave, Qt::LeftButton); },
        [&] { QTest::keyRelease(oper->ToolName, Qt::Key_Return); },
    };
    for (const auto& save : saves) {
        oper->ToolName->setText(QStringLiteral("viivain"));
        QString report;
        whenModal([&report](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr) << w->metaObject()->className();
            EXPECT_EQ(box->objectName(), QStringLiteral("ErrorReport"));
            report = box->text();
            box->accept();
        });
        save();
        EXPECT_TRUE(report.startsWith(QStringLiteral("Kuvatiedostoa ei voi tallentaa: ")))
            << report.toStdString();
        EXPECT_TRUE(report.contains(QStringLiteral("/ei/ole/viivain.bmp"))) << report.toStdString();
        EXPECT_EQ(t->windowTitle(), QStringLiteral("viivain."));
        t->setWindowTitle(QStringLiteral("vanha."));
    }
}

TEST_F(ToolProperties, SavingIntoAReadOnlyFolderKeepsTheOldFileWhole) {
    QFile old(folder + QStringLiteral("kartta.bmp"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("vanha");
    old.close();
    TOsoitin* t = makeTool(1, QStringLiteral("vanha."));
    activate(t);
    oper->show();
    oper->ToolName->setText(QStringLiteral("kartta.uusi"));
    // As root the child runs as nobody, who must reach the folder to fail in it.
    for (QString dir = folder; dir.size() > root.path().size(); dir = QFileInfo(dir).path())
        QFile::setPermissions(dir, QFile::permissions(dir) | QFile::ExeOther | QFile::ReadOther);
    QFile::setPermissions(root.path(), QFile::permissions(root.path()) | QFile::ExeOther);
    const int code = runWithoutWriteAccess(folder, [&] {
        try {
            oper->DoSaveClick();
        } catch (const gfx::PictureError& e) {
            if (!e.message().startsWith(QStringLiteral("Kuvatiedostoa ei voi tallentaa: ")))
                return 2;
            return t->windowTitle() == QStringLiteral("kartta.") ? 0 : 3;
        }
        return 1;
    });
    EXPECT_EQ(code, 0) << "1: saved, 2: another message, 3: the caption was not changed";
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("vanha"));
}

TEST_F(ToolProperties, DeletingTheCurtainPictureUnticksTheCurtainItem) {
    const struct {
        const char* caption;
        bool curtainAfter;
    } cases[] = {{"ZedozaVudedAve", false}, {"ZedozaVudedAve.", true}, {"kartta.", true}};
    int id = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        TOsoitin* keep = makeTool(id++);
        TOsoitin* t = makeTool(id++, QString::fromUtf8(c.caption));
        palette->MenuCurtain1->setChecked(true);
        activate(t);
        oper->show();
        oper->DoDelete->click();
        EXPECT_EQ(palette->MenuCurtain1->isChecked(), c.curtainAfter);
        EXPECT_TRUE(f->ActiveForm.isNull());
        EXPECT_EQ(f->toolWindows.tools(), QList<TOsoitin*>{keep});
        EXPECT_FALSE(oper->isVisible());
        delete keep;
    }
    palette->MenuCurtain1->setChecked(false);
}

TEST_F(ToolProperties, PaintingPutsTheTurnedPictureWhereItIsSeenAfterASnapshot) {
    TOsoitin* t = makeTool(1);
    t->Image1->SetAngle(90);
    t->move(100, 60);
    activate(t);
    // A grey surface, so that the keyed-out white shows as grey.
    const gfx::Color grey = gfx::rgb(200, 200, 200);
    f->Canvas.fillRect(0, 0, f->Canvas.width(), f->Canvas.height(), grey);
    const QImage before = surface();
    oper->show();
    oper->DoPaste->click();
    EXPECT_FALSE(oper->isVisible());
    EXPECT_EQ(f->toolWindows.tools(), QList<TOsoitin*>{t});

    const QImage turned = t->Image1->RotatedBitmap();
    ASSERT_EQ(turned.size(), QSize(10, 20));
    const QRect seen = t->Image1->ImageRect();
    const QPoint corner = seen.topLeft() + QPoint(100, 60) + QPoint(1, 1);
    int ink = 0;
    for (int y = 0; y < turned.height(); ++y)
        for (int x = 0; x < turned.width(); ++x) {
            const gfx::Color c = gfx::fromArgb(turned.pixel(x, y));
            const gfx::Color got = at(corner.x() + x, corner.y() + y);
            EXPECT_EQ(got, c == gfx::White ? grey : c) << x << "," << y;
            ink += c != gfx::White;
        }
    // The notch is keyed out, and nothing lands outside the picture.
    EXPECT_EQ(ink, 20 * 10 - 2);
    int changed = 0;
    for (int y = 0; y < f->Canvas.height(); ++y)
        for (int x = 0; x < f->Canvas.width(); ++x)
            changed += at(x, y) != grey;
    EXPECT_EQ(changed, ink);

    QTest::mouseClick(palette->DoCancel, Qt::LeftButton);
    EXPECT_EQ(surface(), before);
}

TEST_F(ToolProperties, WithoutAnActiveToolNothingHappens) {
    TOsoitin* t = makeTool(1, QStringLiteral("kartta."), 70);
    t->Image1->SetAngle(20);
    t->Hint = QStringLiteral("1");
    TOsoitin* other = makeTool(2, QString(), 30);
    other->Hint = QStringLiteral("1");
    activate(nullptr);
    const QPoint place = t->pos();
    const QImage before = surface();
    oper->Others->setItemIndex(1);
    oper->show();
    oper->ToolName->setText(QStringLiteral("uusi"));
    for (QToolButton* b : {oper->DoMoveXMiinus1, oper->DoMoveXPlus1, oper->DoMoveYMiinus1,
                           oper->DoMoveYPlus1, oper->DoStraighten, oper->DoSave})
        b->click();
    QTest::keyRelease(oper->ToolName, Qt::Key_Return);
    oper->WorkAlpha->setValue(oper->WorkAlpha->value() == 200 ? 201 : 200);
    oper->Rotating->click();
    oper->DoPaste->click();
    oper->show();
    oper->DoDelete->click();
    oper->show();
    oper->DoClose->click();

    EXPECT_EQ(t->pos(), place);
    EXPECT_EQ(t->Image1->Angle(), 20);
    EXPECT_EQ(opacity(t), 70);
    EXPECT_EQ(opacity(other), 30);
    EXPECT_EQ(t->windowTitle(), QStringLiteral("kartta."));
    EXPECT_EQ(t->Hint, QStringLiteral("1"));
    EXPECT_EQ(other->Hint, QStringLiteral("1"));
    EXPECT_EQ(f->toolWindows.tools().size(), 2);
    EXPECT_EQ(surface(), before);
    EXPECT_TRUE(QDir(folder).isEmpty());
}

TEST_F(ToolProperties, ClearingAllTakesTheToolsAway) {
    makeTool(1);
    activate(makeTool(2));
    ws->OptionsForm->DoClearAll->click();
    EXPECT_TRUE(f->toolWindows.tools().isEmpty());
    EXPECT_TRUE(f->ActiveForm.isNull());
}

} // namespace
