#include "app/Startup.h"

#include <algorithm>

QString withSeparator(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

Folders initialFolders(const Environment& env) {
    Folders f;
    f.AppFolder = withSeparator(env.appFolder);
    f.StartedFromUsb = env.appDriveType.toUpper() == QLatin1String("REMOVABLE");
    if (f.StartedFromUsb) {
        f.RavoFolder = f.AppFolder + QStringLiteral("Data/");
        f.MainFolder = f.AppFolder;
    } else {
        f.CommonAppFolder = withSeparator(env.commonAppDataFolder);
        f.RavoFolder = f.CommonAppFolder + QStringLiteral("Tervaso/Ravo/");
    }
    f.DatabaseFolder.clear();
    return f;
}

void applyCommonKey(Folders& f, QString Folders::*folder, const QString& value) {
    if (f.StartedFromUsb) return;
    f.*folder = value;
}

void applyCommonKeys(Folders& f, const QString& installFolder, const QString& databaseFolder) {
    applyCommonKey(f, &Folders::MainFolder, installFolder);
    applyCommonKey(f, &Folders::DatabaseFolder, databaseFolder);
}

void finishFolders(Folders& f) {
    if (!f.DatabaseFolder.isEmpty()) f.RavoFolder = f.DatabaseFolder;
    f.RavoFolder = withSeparator(f.RavoFolder);
    f.DataFolder = f.RavoFolder + QStringLiteral("Data/");
    f.ToolsFolder = f.RavoFolder + QStringLiteral("Tools/");
    f.UpdateFolder = f.RavoFolder + QStringLiteral("Updates/");
}

int clampToRange(int value, int min, int max) {
    return std::clamp(value, min, max);
}

UpdateAction decideUpdate(bool updateExists, const QDateTime& updateDate, bool installedExists,
                          const QDateTime& installedDate, bool updaterExists) {
    if (!updateExists) return UpdateAction::None;
    if (installedExists && !(installedDate < updateDate)) return UpdateAction::None;
    return updaterExists ? UpdateAction::RunUpdater : UpdateAction::UpdaterMissing;
}

QString updaterMissingMessage() {
    return QStringLiteral("%1 puuttuu tämän koneen Ravo -ohjelmakansiosta.\n"
                          "Päivitys olisi tarpeellinen, mutta päivitystä ei voi tehdä.")
        .arg(UpdaterFileName);
}

QString startupFailureMessage(const QString& reason) {
    return QStringLiteral("Asennuksessa valitettavasti ongelmia, syy: ") + reason;
}
