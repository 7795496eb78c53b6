#pragma once
// The rules of start-up: where Ravo's folders are, how saved values are read, and whether a
// waiting update must be handed over.
#include "app/Environment.h"
#include "app/Folders.h"

#include <QDateTime>
#include <QString>

#ifdef Q_OS_WIN
inline const QString ProgramFileName = QStringLiteral("Ravo.exe");
inline const QString UpdaterFileName = QStringLiteral("RavoUpdate.exe");
#else
inline const QString ProgramFileName = QStringLiteral("Ravo");
inline const QString UpdaterFileName = QStringLiteral("RavoUpdate");
#endif
inline const QString SettingsFileName = QStringLiteral("Ravo.ini");

// The folder with a separator at its end, unless it ends in "\" or "/" already. The empty
// folder stays empty.
QString withSeparator(const QString& folder);

// The first folders, from where the program runs: a removable drive keeps everything
// beside the program, otherwise the configuration lives in the shared data folder.
Folders initialFolders(const Environment& env);

// A folder named by the settings file's Common section; a removable drive ignores them and
// keeps its own.
void applyCommonKey(Folders& f, QString Folders::*folder, const QString& value);
// Both of them: the installation folder and the data root.
void applyCommonKeys(Folders& f, const QString& installFolder, const QString& databaseFolder);

// The data root and its sub-folders, once the settings are read.
void finishFolders(Folders& f);

// A track bar's position for a saved value: clamped to the bar's range.
int clampToRange(int value, int min, int max);

enum class UpdateAction { None, RunUpdater, UpdaterMissing };

// An update waits when the update folder holds a program file that is newer than the
// installed one, or when there is no installed one.
UpdateAction decideUpdate(bool updateExists, const QDateTime& updateDate, bool installedExists,
                          const QDateTime& installedDate, bool updaterExists);

inline const QString UpdateMessage = QStringLiteral(
    "Uusi Ravo -ohjelmapäivitys on saatavilla, tehdään päivitys. Käynnistä ohjelma hetken "
    "kuluttua uudestaan.");
QString updaterMissingMessage();
QString startupFailureMessage(const QString& reason);
