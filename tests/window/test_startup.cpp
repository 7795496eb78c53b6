#include "aids/Numbers.h"
#include "aids/OptionsForm.h"
#include "app/MesForm.h"
#include "app/Palette.h"
#include "app/Panel.h"
#include "app/RavoIni.h"
#include "support/Fixture.h"
#include "surface/Form1.h"
#include "text/FormText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QSlider>
#include <QTableWidget>
#include <QThread>

namespace {

using Startup = RavoFixture;

QStringList visibleWindows() {
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) names << w->objectName();
    names.sort();
    return names;
}

TEST_F(Startup, ShowsTheGridTheSurfaceAndThePaletteAtTheBottomRight) {
    writeIni(QStringLiteral("LinePenWidth=7\nAlpha=90\n"));
    start();
    ASSERT_FALSE(ws->finished());
    EXPECT_EQ(visibleWindows(), (QStringList{"Back", "Form1", "Palette"}));
    TPalette* palette = ws->Palette;
    EXPECT_EQ(palette->frameGeometry(), QRect(1920 - 38, 1080 - 638, 38, 638));
    EXPECT_TRUE(palette->drawStateOn());
    EXPECT_EQ(palette->DoSetState->color(), gfx::rgb(0, 128, 0));
    EXPECT_EQ(palette->PanelPenWidth->text(), QStringLiteral("7"));
    EXPECT_EQ(palette->windowTitle(), QStringLiteral("  Ravo"));
    EXPECT_FALSE(palette->Loading);
    EXPECT_EQ(ws->Form1->geometry(), QRect(0, 0, 1920, 1080));
    EXPECT_EQ(ws->Form1->alpha(), 90);
    EXPECT_TRUE(ws->Form1->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(ws->Numbers->Num->currentItem()->text(), QStringLiteral("7"));
    EXPECT_EQ(ws->Form1->Canvas.pen.width, 7);
}

TEST_F(Startup, CreatesTheFoldersAndTheArrowPicture) {
    writeIni();
    start();
    const Folders& f = ws->Palette->folders;
    EXPECT_EQ(f.RavoFolder, configFolder());
    EXPECT_EQ(f.MainFolder, installFolder());
    for (const QString& folder : {f.DataFolder, f.ToolsFolder, f.UpdateFolder})
        EXPECT_TRUE(QDir(folder).exists()) << folder.toStdString();
    QImage arrow(f.ToolsFolder + QStringLiteral("Nuoli.bmp"));
    EXPECT_EQ(arrow.size(), QSize(240, 240));
}

TEST_F(Startup, MissingSettingsFileShowsOneMessageAndEnds) {
    QStringList messages;
    messages = answerMessages([this] { start(); });
    EXPECT_EQ(messages, QStringList{QStringLiteral(
                            "Asennuksessa valitettavasti ongelmia, syy: Ini-tiedosto puuttuu")});
    EXPECT_TRUE(ws->finished());
}

TEST_F(Startup, MissingInstallFolderKeyEndsWithTheFolderMessage) {
    writeIniRaw("[Main]\nAlpha=100\n");
    const QStringList messages = answerMessages([this] { start(); });
    EXPECT_EQ(messages, QStringList{QStringLiteral(
                            "Asennuksessa valitettavasti ongelmia, syy: Kansion asetus")});
    EXPECT_TRUE(ws->finished());
}

TEST_F(Startup, MessageDialogStandsWhereStartupPutsIt) {
    QPoint at;
    whenModal([&at](QWidget* w) {
        at = w->pos();
        static_cast<TMesForm*>(w)->done(1);
    });
    start();
    EXPECT_EQ(at, QPoint(400, 300));
}

TEST_F(Startup, GarbageValuesFallBackToTheDefaults) {
    writeIniRaw(QStringLiteral("\xEF\xBB\xBF[Common]\r\nINSTALLFOLDER=%1\r\n[Main]\r\n"
                               "LinePenWidth=leveä\r\nAlpha=0x\r\nCellWidth=\r\nSpeed=nopea\r\n"
                               "DotPenWidth=$$\r\nFontSize=iso\r\nSnapToGrid=kyllä\r\n"
                               "FontName=\xE4\xE4\xE4\r\n")
                    .arg(installFolder())
                    .toLatin1());
    start();
    ASSERT_FALSE(ws->finished());
    TPalette* p = ws->Palette;
    EXPECT_EQ(p->LinePenWidth, 3);
    EXPECT_EQ(p->DotPenWidth, 10);
    EXPECT_EQ(p->PanelPenWidth->text(), QStringLiteral("3"));
    EXPECT_EQ(ws->OptionsForm->Alpha->value(), 80);
    EXPECT_EQ(ws->OptionsForm->CellWidth->value(), 40);
    EXPECT_EQ(ws->OptionsForm->Speed->value(), 100);
    EXPECT_FALSE(ws->OptionsForm->SnapToGrid->isChecked());
    EXPECT_EQ(ws->FormText->FontSize->currentText(), QStringLiteral("24"));
    EXPECT_EQ(ws->Form1->alpha(), 80);
}

TEST_F(Startup, SavedOpacityIsAppliedEvenAtTheBarsLayoutPosition) {
    writeIni(QStringLiteral("Alpha=100\n"));
    start();
    EXPECT_EQ(ws->OptionsForm->Alpha->value(), 100);
    EXPECT_EQ(ws->Form1->alpha(), 100);
}

TEST_F(Startup, TrackBarsClampSavedValuesAndHexColoursAreRead) {
    writeIni(QStringLiteral("Alpha=300\nWorkAlpha=1\nCellWidth=1000\nSpeed=0\nSnapToGrid=2\n"
                            "LinePenColor=$0000FF\nDotPenColor=0x00FF00\nDotPenWidth=12\n"));
    start();
    const TOptionsForm* o = ws->OptionsForm;
    EXPECT_EQ(o->Alpha->value(), 255);
    EXPECT_EQ(o->WorkAlpha->value(), 2);
    EXPECT_EQ(o->CellWidth->value(), 600);
    EXPECT_EQ(o->Speed->value(), 1);
    EXPECT_TRUE(o->SnapToGrid->isChecked());
    EXPECT_EQ(ws->Form1->alpha(), 255);
    EXPECT_EQ(ws->Palette->LinePenColor, gfx::rgb(255, 0, 0));
    EXPECT_EQ(ws->Palette->PaletteColor, gfx::rgb(255, 0, 0));
    EXPECT_EQ(ws->Palette->DotPenColor, gfx::rgb(0, 255, 0));
    EXPECT_EQ(ws->Palette->PanelColor->color(), gfx::rgb(255, 0, 0));
}

TEST_F(Startup, FontNameMatchesWithoutRegardToCase) {
    writeIni();
    start();
    QComboBox* names = ws->FormText->FontName;
    ASSERT_GE(names->count(), 2);
    const QString wanted = names->itemText(names->count() - 1);
    ws.reset();

    writeIni(QStringLiteral("FontName=%1\n").arg(wanted.toLower()));
    start();
    EXPECT_EQ(ws->FormText->FontName->currentText(), wanted);
    EXPECT_EQ(ws->Form1->Canvas.font.name, wanted);
    ws.reset();

    writeIni(QStringLiteral("FontName=Ei Tällaista Kirjasinta\n"));
    start();
    EXPECT_EQ(ws->FormText->FontName->currentIndex(), 0) << "the selection stays as it was";
}

TEST_F(Startup, ArialIsItsTwinWhereTheSystemHasNoArial) {
    writeIni(); // no FontName: Arial
    start();
    const QString chosen = ws->FormText->FontName->currentText();
    if (ws->FormText->FontName->findText(QStringLiteral("Arial")) >= 0)
        EXPECT_EQ(chosen, QStringLiteral("Arial"));
    else
        EXPECT_EQ(chosen, QStringLiteral("Liberation Sans"));
    EXPECT_EQ(ws->Form1->Canvas.font.name, chosen);
}

TEST_F(Startup, PointersFallBackWhenTheInstallFolderDoesNotExist) {
    writeIni();
    start();
    EXPECT_EQ(ws->cursorFor(PointerMode::Scissors).shape(), Qt::BitmapCursor);
    EXPECT_EQ(ws->cursorFor(PointerMode::EraserSmall).shape(), Qt::BitmapCursor);
    ws.reset();

    writeIniRaw(QStringLiteral("[Common]\nINSTALLFOLDER=%1/ei-ole/\n").arg(root.path()).toUtf8());
    start();
    ASSERT_FALSE(ws->finished());
    for (PointerMode id : {PointerMode::Scissors, PointerMode::EraserLarge,
                           PointerMode::EraserMedium, PointerMode::EraserSmall})
        EXPECT_EQ(ws->cursorFor(id).shape(), Qt::ArrowCursor) << int(id);
}

TEST_F(Startup, UpdateIsHandedOverToTheUpdater) {
    writeIni();
    QDir().mkpath(configFolder() + QStringLiteral("Updates"));
    QFile update(configFolder() + QStringLiteral("Updates/Ravo"));
    ASSERT_TRUE(update.open(QIODevice::WriteOnly));
    update.close();
    QFile updater(installFolder() + QStringLiteral("RavoUpdate"));
    ASSERT_TRUE(updater.open(QIODevice::WriteOnly));
    updater.write("#!/bin/sh\necho started > \"$PWD/updater-ran\"\n");
    updater.close();
    updater.setPermissions(updater.permissions() | QFile::ExeOwner);

    const QStringList messages = answerMessages([this] { start(); });
    EXPECT_EQ(messages, QStringList{QStringLiteral(
                            "Uusi Ravo -ohjelmapäivitys on saatavilla, tehdään päivitys. "
                            "Käynnistä ohjelma hetken kuluttua uudestaan.")});
    EXPECT_TRUE(ws->finished());
    const QString ran = installFolder() + QStringLiteral("updater-ran");
    for (int i = 0; i < 200 && !QFile::exists(ran); ++i)
        QThread::msleep(10);
    EXPECT_TRUE(QFile::exists(ran)) << "the updater was not started in the install folder";
}

TEST_F(Startup, MissingUpdaterIsToldAndTheProgramStarts) {
    writeIni();
    QDir().mkpath(configFolder() + QStringLiteral("Updates"));
    QFile update(configFolder() + QStringLiteral("Updates/Ravo"));
    ASSERT_TRUE(update.open(QIODevice::WriteOnly));
    update.close();
    const QStringList messages = answerMessages([this] { start(); });
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0],
              QStringLiteral("RavoUpdate puuttuu tämän koneen Ravo -ohjelmakansiosta.\n"
                             "Päivitys olisi tarpeellinen, mutta päivitystä ei voi tehdä."));
    EXPECT_FALSE(ws->finished());
    EXPECT_TRUE(ws->Palette->isVisible());
}

TEST_F(Startup, UpdateNoOlderThanTheInstalledProgramIsIgnored) {
    writeIni();
    QDir().mkpath(configFolder() + QStringLiteral("Updates"));
    for (const QString& path : {configFolder() + QStringLiteral("Updates/Ravo"),
                                installFolder() + QStringLiteral("Ravo")}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.close();
        f.setFileTime(QDateTime(QDate(2026, 5, 1), QTime(12, 0)),
                      QFileDevice::FileModificationTime);
    }
    const QStringList messages = answerMessages([this] { start(); });
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(ws->finished());
}

} // namespace
