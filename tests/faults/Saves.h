#pragma once
// The four kinds of file Ravo saves, each with large content that names its version in
// every part, so that a file can be told to be one whole version and not a mix. The save
// driver writes them with the program's own save functions; the tests read them back.
#include <QString>

#include <optional>

enum class SaveKind { Settings, Picture, Tool, Design };

struct SaveKindInfo {
    SaveKind kind;
    const char* name;     // as the driver's first argument
    const char* relative; // where the file lies under Ravo's folder
};

inline constexpr SaveKindInfo saveKinds[] = {
    {SaveKind::Settings, "settings", "Ravo.ini"},
    {SaveKind::Picture, "picture", "Data/Taulu.bmp"},
    {SaveKind::Tool, "tool", "Tools/Kolmio.bmp"},
    {SaveKind::Design, "design", "Tools/Tunti.rvo"},
};

const SaveKindInfo* saveKindNamed(const QString& name);

// Saves version `version` (0 to 255) through the program's save function for the kind.
// Throws what that function throws.
void saveVersion(SaveKind kind, const QString& fileName, int version);
// The version the file holds whole, or nothing when it is missing, unreadable or a mix.
std::optional<int> versionOnDisk(SaveKind kind, const QString& fileName);

// The folder the settings of `version` name as Ravo's own (DATABASEFOLDER).
QString settingsDatabaseFolder(const QString& iniFile, int version);
