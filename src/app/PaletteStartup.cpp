// The palette's start-up: folders, the saved settings, pointers and the update hand-over.
#include "aids/OptionsForm.h"
#include "app/MesForm.h"
#include "app/Palette.h"
#include "app/RavoIni.h"
#include "app/SettingsKeys.h"
#include "app/Startup.h"
#include "app/WindowGeometry.h"
#include "app/WindowSet.h"
#include "platform/Platform.h"
#include "surface/Form1.h"

#include <QDir>
#include <QFile>
#include <QSlider>

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
    readSettings(ini, {*this, ws});
    TOptionsForm* options = ws.OptionsForm;
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
    const QPoint centre = centredIn(screen, ws.MesForm->size());
    const int x = centre.x(), y = centre.y();

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
    const TakenSettings values = takeSettings({*this, ws}); // before the file is touched
    RavoIni ini(folders.RavoFolder + SettingsFileName);
    writeTakenSettings(ini, values);
    ini.save();
}
