#include "aids/ColorsForm.h"
#include "aids/Numbers.h"
#include "aids/OptionsForm.h"
#include "aids/Tools.h"
#include "app/Palette.h"
#include "app/Panel.h"
#include "curtain/Raami.h"
#include "support/Fixture.h"
#include "surface/Form1.h"
#include "text/FormText.h"
#include "tools/FilesForm.h"

#include "app/Errors.h"
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QSlider>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

namespace {

class Palette : public RavoFixture {
protected:
    void SetUp() override {
        writeIni(QStringLiteral("LinePenWidth=5\nDotPenWidth=12\nLinePenColor=255\n"
                                "DotPenColor=65280\nAlpha=60\n"));
        start();
        ASSERT_FALSE(ws->finished());
        p = ws->Palette;
    }
    TPalette* p = nullptr;
};

TEST_F(Palette, HintsAndNamesOfTheControls) {
    const struct {
        const char* name;
        const char* hint;
    } controls[] = {
        {"DoDocument", "Siirry läpinäkymättömään tilaan ja takaisin"},
        {"DoTop", "Näytä/Piilota verho"},
        {"PanelPenWidth", "Avaa kynän vahvuuden valinta"},
        {"DoShowDrawMenu", "Avaa piirtotyökaluvalikko"},
        {"Scissors", "Leikkaustyökalu"},
        {"DoText", "Avaa tekstieditori"},
        {"DoFill", "Värjää alue"},
        {"PanelColor", "Avaa värivalikko"},
        {"DoArrow", "Avaa työkaluvalikko"},
        {"Sponge", "Avaa pyyhkimistyövalikko"},
        {"DoCancel", "Edellisen piirron peruutus"},
        {"DoClear", "Tyhjennä kuva-alue"},
        {"DoCamera", "Ota taustasta kuva ja tuo kuvapinnalle"},
        {"DoPrint", "Tulosta näytön kuva. Läpinäkyvässä tilassa tausta ja piirto yhdessä, "
                    "läpinäkymättömässä tilassa vain piirretty kuva."},
        {"DoOpen", "Avaa kuvatiedosto"},
        {"DoSave", "Tallenna kuva tiedostoon"},
        {"DoShowOptions", "Avaa asetukset-ikkuna"},
        {"DoShowInfo", "Tietoja Ravosta"},
        {"DoSetState", "Poista ja aseta piirtotila. Vihreä tarkoittaa päällä, harmaa pois päältä."},
        {"DoShowPalette", "Piennennä/Suurenna valikko"},
        {"DoClose", "Suljetaan Ravo"},
    };
    int previousBottom = 0;
    for (const auto& c : controls) {
        auto* w = p->findChild<QWidget*>(QLatin1String(c.name));
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_EQ(w->accessibleName(), QString::fromUtf8(c.hint)) << c.name;
        EXPECT_EQ(w->toolTip(), QString::fromUtf8(c.hint)) << c.name;
        const int top = w->mapTo(p, QPoint(0, 0)).y();
        EXPECT_GE(top, previousBottom) << c.name << " is not below the one before";
        previousBottom = top + w->height();
    }
    EXPECT_EQ(previousBottom, 638);
}

TEST_F(Palette, CollapseFollowsTheBottomRuleAndExpandRestores) {
    p->move(500, 100);
    QTest::mouseClick(p->DoShowPalette, Qt::LeftButton);
    EXPECT_TRUE(p->DoShowPalette->isChecked());
    EXPECT_FALSE(p->PanelTop->isVisible());
    EXPECT_EQ(p->frameGeometry(), QRect(500, 1080 - 112, 38, 112));
    EXPECT_TRUE(p->DoClose->isVisible());
    EXPECT_LT(p->DoClose->mapTo(p, QPoint(0, p->DoClose->height())).y(), 112);

    p->move(500, 20);
    QTest::mouseClick(p->DoShowPalette, Qt::LeftButton);
    EXPECT_TRUE(p->PanelTop->isVisible());
    EXPECT_EQ(p->frameGeometry(), QRect(500, 1080 - 638, 38, 638));
}

TEST_F(Palette, PopupsOpenBesideThePalette) {
    p->move(1000, 300);
    QTest::mouseClick(p->PanelPenWidth, Qt::LeftButton);
    EXPECT_TRUE(ws->Numbers->isVisible());
    EXPECT_EQ(ws->Numbers->x(), 1000 - ws->Numbers->frameGeometry().width());
    EXPECT_EQ(ws->Numbers->y(), 300 + p->PanelPenWidth->mapTo(p, QPoint()).y());

    p->move(99, 300);
    QTest::mouseClick(p->PanelColor, Qt::LeftButton);
    EXPECT_TRUE(ws->ColorsForm->isVisible());
    EXPECT_EQ(ws->ColorsForm->pos(),
              QPoint(99 + 38, 300 + p->PanelColor->mapTo(p, QPoint()).y() + 20));

    p->move(100, 300);
    QTest::mouseClick(p->DoShowDrawMenu, Qt::LeftButton);
    EXPECT_TRUE(ws->Tools->isVisible());
    EXPECT_FALSE(ws->Numbers->isVisible());
    EXPECT_TRUE(p->DoShowDrawMenu->isChecked()) << "stays down when clicked while down";
    EXPECT_EQ(ws->Tools->x(), 100 - ws->Tools->frameGeometry().width());

    QTest::mouseClick(p->DoArrow, Qt::LeftButton);
    EXPECT_EQ(ws->FilesForm->pos(), QPoint(100 - ws->FilesForm->frameGeometry().width(), 300));
    EXPECT_EQ(ws->FilesForm->frameGeometry().height(), 638);
}

TEST_F(Palette, OptionsOpenAbove) {
    QTest::mouseClick(p->DoShowOptions, Qt::LeftButton);
    TOptionsForm* o = ws->OptionsForm;
    EXPECT_TRUE(o->isVisible());
    EXPECT_EQ(o->y(), 1080 - o->frameGeometry().height() - 120);
    EXPECT_EQ(o->x(), p->x() - o->frameGeometry().width());
}

TEST_F(Palette, TextWindowTogglesAndReleasesTheScissors) {
    QTest::mouseClick(p->Scissors, Qt::LeftButton);
    ASSERT_TRUE(p->Scissors->isChecked());
    EXPECT_EQ(ws->Form1->cursorId(), PointerMode::Scissors);
    QTest::mouseClick(p->DoText, Qt::LeftButton);
    EXPECT_TRUE(ws->FormText->isVisible());
    EXPECT_FALSE(p->Scissors->isChecked());
    EXPECT_FALSE(p->DoShowDrawMenu->isChecked()) << "one group with the shape button";
    EXPECT_EQ(ws->FormText->x(), 1920 - 38 - ws->FormText->frameGeometry().width() - 2);
    EXPECT_EQ(ws->Form1->cursorId(), PointerMode::Default);
    QTest::mouseClick(p->DoText, Qt::LeftButton);
    EXPECT_FALSE(ws->FormText->isVisible());
    EXPECT_FALSE(ws->FormText->Visited);
}

TEST_F(Palette, ScissorsAndFillExcludeEachOther) {
    ws->Tools->Fill->setChecked(true);
    ws->Form1->Xle = 30;
    QTest::mouseClick(p->DoFill, Qt::LeftButton);
    QTest::mouseClick(p->Scissors, Qt::LeftButton);
    EXPECT_FALSE(p->DoFill->isChecked());
    EXPECT_FALSE(ws->Tools->Fill->isChecked());
    EXPECT_EQ(ws->Form1->Xle, 0);
    QTest::mouseClick(p->Scissors, Qt::LeftButton);
    EXPECT_FALSE(p->Scissors->isChecked()) << "all of a group may be up";
}

TEST_F(Palette, ScissorsPointerOnlyWhileExpanded) {
    QTest::mouseClick(p->Scissors, Qt::LeftButton);
    EXPECT_EQ(ws->Form1->cursorId(), PointerMode::Scissors);
    QTest::mouseClick(p->DoShowPalette, Qt::LeftButton);
    EXPECT_EQ(ws->Form1->cursorId(), PointerMode::Default);
    QTest::mouseClick(p->DoShowPalette, Qt::LeftButton);
    EXPECT_EQ(ws->Form1->cursorId(), PointerMode::Scissors);
    QTest::mouseDClick(ws->Form1, Qt::LeftButton, {}, QPoint(200, 200));
    EXPECT_FALSE(p->Scissors->isChecked());
}

TEST_F(Palette, DotPenIsShownWhileTheDotShapeIsChosen) {
    EXPECT_EQ(p->PanelPenWidth->text(), QStringLiteral("5"));
    EXPECT_EQ(p->PanelColor->color(), gfx::rgb(255, 0, 0));
    ws->Tools->DoDot->setChecked(true);
    p->Settings();
    EXPECT_EQ(p->PanelPenWidth->text(), QStringLiteral("12"));
    EXPECT_EQ(p->PanelColor->color(), gfx::rgb(0, 255, 0));
    EXPECT_EQ(ws->Form1->Canvas.pen.width, 12);
    EXPECT_EQ(ws->Form1->Canvas.font.color, gfx::rgb(255, 0, 0)) << "text keeps PaletteColor";
    ws->Tools->DoCurve->setChecked(true);
    p->Settings();
    EXPECT_EQ(p->PanelPenWidth->text(), QStringLiteral("5"));
    EXPECT_EQ(ws->Form1->Canvas.pen.color, gfx::rgb(255, 0, 0));
}

TEST_F(Palette, SettingsGivesTheEditorTheSurfaceFont) {
    ws->FormText->Editor->setPlainText(QStringLiteral("Hei"));
    ws->FormText->FontSize->setEditText(QStringLiteral("36"));
    p->Settings();
    EXPECT_EQ(ws->Form1->Canvas.font.size, 36);
    QTextCursor c(ws->FormText->Editor->document());
    c.setPosition(2);
    EXPECT_EQ(c.charFormat().fontPointSize(), 36);
    EXPECT_EQ(c.charFormat().foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(ws->FormText->Editor->textCursor().hasSelection());
}

TEST_F(Palette, FontSizeThatIsNotANumberChangesNothing) {
    ws->FormText->FontSize->setEditText(QStringLiteral("iso"));
    const gfx::Font before = ws->Form1->Canvas.font;
    EXPECT_THROW(p->Settings(), RavoError);
    EXPECT_EQ(ws->Form1->Canvas.font.size, before.size);
    EXPECT_EQ(ws->Form1->Canvas.font.name, before.name);
}

TEST_F(Palette, ErrorInAHandlerIsReportedAndTheProgramGoesOn) {
    ws->FormText->FontSize->setEditText(QStringLiteral("iso"));
    QString title, text;
    whenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        box->accept();
    });
    QTest::mouseClick(p->DoDocument, Qt::LeftButton); // its handler runs Settings
    EXPECT_EQ(title, QStringLiteral("Tervaso Ravo"));
    EXPECT_EQ(text, QStringLiteral("'iso' ei ole kelvollinen kokonaisluku."));
    EXPECT_FALSE(ws->finished());
    ws->FormText->FontSize->setEditText(QStringLiteral("20"));
    QTest::mouseClick(p->DoDocument, Qt::LeftButton);
    EXPECT_EQ(ws->Form1->Canvas.font.size, 20);
}

TEST_F(Palette, OpaqueModeAndBack) {
    EXPECT_EQ(ws->Form1->alpha(), 60);
    QTest::mouseClick(p->DoDocument, Qt::LeftButton);
    EXPECT_EQ(ws->Form1->alpha(), 255);
    EXPECT_DOUBLE_EQ(ws->Form1->windowOpacity(), 1.0);
    ws->OptionsForm->Alpha->setValue(70);
    QTest::mouseClick(p->DoDocument, Qt::LeftButton);
    EXPECT_EQ(ws->Form1->alpha(), 70);
}

TEST_F(Palette, DrawStateOffAndOnRestoresTheDrawingExactly) {
    gfx::Canvas& canvas = ws->Form1->Canvas;
    auto* rng = QRandomGenerator::global();
    for (int i = 0; i < 5000; ++i)
        canvas.setPixel(int(rng->bounded(1920)), int(rng->bounded(1080)),
                        rng->generate() & 0xFFFFFF);
    const QImage before = canvas.image().copy();

    QTest::mouseClick(p->DoSetState, Qt::LeftButton);
    EXPECT_FALSE(ws->Form1->isVisible());
    EXPECT_EQ(p->DoSetState->color(), gfx::rgb(192, 192, 192));
    EXPECT_EQ(ws->Form1->CopyImage.image(), before);
    canvas.reset(1920, 1080); // whatever happens to the window meanwhile

    QTest::mouseClick(p->DoSetState, Qt::LeftButton);
    EXPECT_TRUE(ws->Form1->isVisible());
    EXPECT_EQ(p->DoSetState->color(), gfx::rgb(0, 128, 0));
    EXPECT_EQ(canvas.image(), before);
    EXPECT_TRUE(ws->Form1->CopyImage.isEmpty());
    EXPECT_TRUE(ws->Form1->Image1.isEmpty());
    QImage shown = ws->Form1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, before) << "the window shows the restored drawing";
}

TEST_F(Palette, CurtainMenuItemsExcludeEachOther) {
    p->MenuCurtainForm->trigger();
    EXPECT_TRUE(p->MenuCurtainForm->isChecked());
    EXPECT_TRUE(ws->Raami->isVisible());
    const QRect frame = ws->Raami->frameGeometry();
    EXPECT_EQ(frame.left(), 1920 / 2 - frame.width() / 2);
    EXPECT_EQ(frame.top(), 1080 / 2 - frame.height() / 2);

    p->MenuCurtain1->trigger(); // the picture curtain removes the frame curtain
    EXPECT_TRUE(p->MenuCurtain1->isChecked());
    EXPECT_FALSE(p->MenuCurtainForm->isChecked());
    EXPECT_FALSE(ws->Raami->isVisible());

    p->MenuCurtainForm->trigger(); // and the other way round
    EXPECT_FALSE(p->MenuCurtain1->isChecked());
    EXPECT_TRUE(ws->Raami->isVisible());
    p->MenuCurtainForm->trigger();
    EXPECT_FALSE(ws->Raami->isVisible());
    EXPECT_FALSE(p->MenuCurtainForm->isChecked());
}

TEST_F(Palette, CurtainMenuPopsUpBesideThePalette) {
    QTest::mouseClick(p->DoTop, Qt::LeftButton);
    EXPECT_TRUE(p->PopupCurtain->isVisible());
    EXPECT_EQ(p->PopupCurtain->pos(), QPoint(p->x() - 88, p->y() + 20));
    p->PopupCurtain->hide();
}

TEST_F(Palette, ClosingThePaletteEndsTheProgram) {
    p->close();
    EXPECT_TRUE(ws->finished());
}

TEST_F(Palette, CloseButtonEndsTheProgram) {
    QTest::mouseClick(p->DoClose, Qt::LeftButton);
    EXPECT_TRUE(ws->finished());
}

} // namespace
