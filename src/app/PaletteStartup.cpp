// The palette's start-up: folders, the saved settings, pointers and the update hand-over.
#include "aids/ColorsForm.h"
#include "aids/Numbers.h"
#include "aids/OptionsForm.h"
#include "app/Errors.h"
#include "app/MesForm.h"
#include "app/Palette.h"
#include "app/RavoIni.h"
#include "app/Startup.h"
#include "app/WindowSet.h"
#include "platform/Platform.h"
#include "surface/Form1.h"
#include "text/FormText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QSlider>

namespace {

// The family the system draws with when it knows nothing like the asked one.
bool isGenericFallback(const QString& family) {
    static const QString fallback =
        QFontInfo(QFont(QStringLiteral("Ei Tällaista Kirjasinta Ole"))).family().toUpper();
    return family == fallback;
}

void setTrackBar(QSlider* bar, int value) {
    bar->setValue(clampToRange(value, bar->minimum(), bar->maximum()));
}

} // namespace

void TPalette::runStartup() {
    folders = initialFolders(ws.env());
    Folders& f = folders;
    const QString iniFile = f.RavoFolder + SettingsFileName;

    bool failed = false;
    auto fail = [&](const QString& reason) {
        if (failed) return; // one message per start-up
        failed = true;
        ws.MesForm->ShowInfo(startupFailureMessage(reason), 400, 300);
        ws.Form1->close();
    };

    if (!QFile::exists(iniFile)) fail(QStringLiteral("Ini-tiedosto puuttuu"));
    const RavoIni ini(iniFile);
    applyCommonKeys(f, ini.readString("Common", "INSTALLFOLDER", QString()),
                    ini.readString("Common", "DATABASEFOLDER", QString()));

    const int penWidth = ini.readInteger("Main", "PenWidth", -1);
    ws.Numbers->FindCell(penWidth == -1 ? 3 : penWidth);
    LinePenWidth = ini.readInteger("Main", "LinePenWidth", 3);
    ws.Numbers->FindCell(LinePenWidth);
    LinePenColor = gfx::Color(ini.readInteger("Main", "LinePenColor", 0));
    ws.ColorsForm->PenColor = LinePenColor;
    PaletteColor = LinePenColor;
    DotPenWidth = ini.readInteger("Main", "DotPenWidth", 10);
    DotPenColor = gfx::Color(ini.readInteger("Main", "DotPenColor", 0));

    QString font = ini.readString("Main", "FontName", QString()).toUpper();
    if (font.isEmpty()) font = QStringLiteral("ARIAL");
    QComboBox* names = ws.FormText->FontName;
    int found = -1;
    for (int i = 0; i < names->count() && found < 0; ++i)
        if (names->itemText(i).toUpper() == font) found = i;
    if (found < 0) {
        // A font the system lacks by name may have a twin standing in for it (Arial is
        // Liberation Sans on Linux): take the one the system would draw with.
        const QString twin = QFontInfo(QFont(font)).family().toUpper();
        for (int i = 0; i < names->count() && found < 0; ++i)
            if (names->itemText(i).toUpper() == twin && !isGenericFallback(twin)) found = i;
    }
    if (found >= 0) names->setCurrentIndex(found);
    ws.FormText->FontSize->setEditText(QString::number(ini.readInteger("Main", "FontSize", 24)));

    TOptionsForm* options = ws.OptionsForm;
    setTrackBar(options->Alpha, ini.readInteger("Main", "Alpha", 80));
    setTrackBar(options->WorkAlpha, ini.readInteger("Main", "WorkAlpha", 120));
    setTrackBar(options->CellWidth, ini.readInteger("Main", "CellWidth", 40));
    setTrackBar(options->Speed, ini.readInteger("Main", "Speed", options->Speed->maximum()));
    options->SnapToGrid->setChecked(ini.readInteger("Main", "SnapToGrid", 0) != 0);
    options->ShowValues();
    // A saved opacity equal to the bar's layout position moves nothing, so no change handler
    // gives it to the surface; give it here, so that every start shows the saved opacity.
    ws.Form1->setAlpha(options->Alpha->value());

    if (f.RavoFolder.isEmpty() || f.MainFolder.isEmpty()) fail(QStringLiteral("Kansion asetus"));

    static const std::pair<const char*, PointerMode> pointerFiles[] = {
        {"Scissors.Cur", PointerMode::Scissors},
        {"PyyhinNelio1.Cur", PointerMode::EraserLarge},
        {"PyyhinNelio2.Cur", PointerMode::EraserMedium},
        {"PyyhinNelio3.Cur", PointerMode::EraserSmall},
    };
    for (const auto& [file, id] : pointerFiles) {
        QCursor cursor;
        if (!f.MainFolder.isEmpty() &&
            platform::loadCursorFile(f.MainFolder + QLatin1String(file), cursor))
            ws.loadedCursors[id] = cursor;
    }

    finishFolders(f);
    for (const QString& folder : {f.RavoFolder, f.DataFolder, f.ToolsFolder, f.UpdateFolder})
        QDir().mkpath(folder); // a folder that cannot be made fails later where it is used

    if (failed) return;
    handOverUpdate();
}

void TPalette::handOverUpdate() {
    const Folders& f = folders;
    const QString update = f.UpdateFolder + ProgramFileName;
    const QString updater = f.MainFolder + UpdaterFileName;
    const QString installed = f.MainFolder + ProgramFileName;
    const QSize screen = platform::screenSize();
    const int x = screen.width() / 2 - ws.MesForm->width() / 2;
    const int y = screen.height() / 2 - ws.MesForm->height() / 2;

    const bool updateExists = QFile::exists(update);
    const bool installedExists = QFile::exists(installed);
    const UpdateAction action = decideUpdate(
        updateExists, updateExists ? platform::fileDate(update) : QDateTime(), installedExists,
        installedExists ? platform::fileDate(installed) : QDateTime(), QFile::exists(updater));
    switch (action) {
    case UpdateAction::None:
        break;
    case UpdateAction::RunUpdater:
        ws.MesForm->ShowInfo(UpdateMessage, x, y);
        platform::runProgram(updater, QString(), f.MainFolder);
        close(); // the palette's close ends the program
        break;
    case UpdateAction::UpdaterMissing:
        ws.MesForm->ShowInfo(updaterMissingMessage(), x, y);
        break;
    }
}

void TPalette::WriteSettings() {
    // Every value is read first, so a size that is not a number leaves the file untouched.
    const int fontSize = StrToInt(ws.FormText->FontSize->currentText());
    RavoIni ini(folders.RavoFolder + SettingsFileName);
    ini.writeInteger("Main", "Color", int(ws.ColorsForm->PenColor));
    ini.writeInteger("Main", "LinePenWidth", LinePenWidth);
    ini.writeInteger("Main", "LinePenColor", int(LinePenColor));
    ini.writeInteger("Main", "DotPenWidth", DotPenWidth);
    ini.writeInteger("Main", "DotPenColor", int(DotPenColor));
    ini.writeString("Main", "FontName", ws.FormText->FontName->currentText());
    ini.writeInteger("Main", "FontSize", fontSize);
    const TOptionsForm* options = ws.OptionsForm;
    ini.writeInteger("Main", "Alpha", options->Alpha->value());
    ini.writeInteger("Main", "WorkAlpha", options->WorkAlpha->value());
    ini.writeInteger("Main", "CellWidth", options->CellWidth->value());
    ini.writeInteger("Main", "Speed", options->Speed->value());
    ini.writeInteger("Main", "SnapToGrid", options->SnapToGrid->isChecked() ? 1 : 0);
    ini.save();
}
