#include "faults/Saves.h"

#include "app/RavoIni.h"
#include "gfx/Picture.h"
#include "tools/DesignFile.h"
#include "tools/LibraryLogic.h"

#include <QFileInfo>
#include <QImage>
#include <QSize>
#include <QStringList>

namespace {

constexpr int SettingsLines = 40000; // about 3 MB of settings
constexpr int DesignLines = 40000;   // about 2 MB of design
constexpr QSize PictureSize(3840, 2160);
constexpr QSize ToolSize(900, 700);

QString settingsLine(int version, int line) {
    return QStringLiteral("versio %1 rivi %2 ").arg(version).arg(line) + QString(40, u'x');
}

QImage versionPicture(QSize size, int version) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            row[x] = qRgb((x * 7 + version * 31) & 255, (y * 3 + version * 17) & 255, version);
    }
    return img;
}

QStringList versionDesign(int version) {
    QStringList lines{designHeader(PictureSize)};
    for (int i = 0; i < DesignLines; ++i)
        lines << designLine(QStringLiteral("Kuva%1.bmp").arg(i), i % 3840, version, 200);
    return lines;
}

QSize pictureSizeOf(SaveKind kind) {
    return kind == SaveKind::Tool ? ToolSize : PictureSize;
}

void saveSettings(const QString& fileName, int version) {
    RavoIni ini(fileName); // as the program does: the keys already there are kept
    ini.writeString("Common", "INSTALLFOLDER", QFileInfo(fileName).absolutePath() + u'/');
    ini.writeString("Common", "DATABASEFOLDER", settingsDatabaseFolder(fileName, version));
    ini.writeInteger("Main", "LinePenWidth", version);
    for (int i = 0; i < SettingsLines; ++i)
        ini.writeString("Muistiinpanot", QByteArray("Rivi" + QByteArray::number(i)).constData(),
                        settingsLine(version, i));
    ini.save();
}

std::optional<int> settingsVersion(const QString& fileName) {
    if (!QFileInfo::exists(fileName)) return std::nullopt;
    const RavoIni ini(fileName);
    const int version = ini.readInteger("Main", "LinePenWidth", -1);
    if (version < 0 ||
        ini.readString("Common", "DATABASEFOLDER", {}) != settingsDatabaseFolder(fileName, version))
        return std::nullopt;
    for (int i = 0; i < SettingsLines; ++i)
        if (ini.readString("Muistiinpanot", QByteArray("Rivi" + QByteArray::number(i)).constData(),
                           {}) != settingsLine(version, i))
            return std::nullopt;
    return version;
}

std::optional<int> pictureVersion(SaveKind kind, const QString& fileName) {
    try {
        const QImage img = gfx::loadPicture(fileName, gfx::PictureFormat::Bmp);
        if (img.size() != pictureSizeOf(kind)) return std::nullopt;
        const int version = qBlue(img.pixel(0, 0));
        if (img != versionPicture(pictureSizeOf(kind), version)) return std::nullopt;
        return version;
    } catch (const gfx::PictureError&) {
        return std::nullopt;
    }
}

std::optional<int> designVersion(const QString& fileName) {
    if (!QFileInfo::exists(fileName)) return std::nullopt;
    const QStringList lines = readDesignFile(fileName);
    for (int version = 0; version < 256 && lines.size() > 1; ++version)
        if (lines[1] == designLine(QStringLiteral("Kuva0.bmp"), 0, version, 200))
            return lines == versionDesign(version) ? std::optional(version) : std::nullopt;
    return std::nullopt;
}

} // namespace

const SaveKindInfo* saveKindNamed(const QString& name) {
    for (const SaveKindInfo& k : saveKinds)
        if (name == QLatin1String(k.name)) return &k;
    return nullptr;
}

QString settingsDatabaseFolder(const QString& iniFile, int version) {
    return QFileInfo(iniFile).absolutePath() + QStringLiteral("/kanta%1/").arg(version);
}

void saveVersion(SaveKind kind, const QString& fileName, int version) {
    switch (kind) {
    case SaveKind::Settings:
        return saveSettings(fileName, version);
    case SaveKind::Picture:
    case SaveKind::Tool:
        return gfx::savePicture(versionPicture(pictureSizeOf(kind), version), fileName,
                                gfx::PictureFormat::Bmp);
    case SaveKind::Design:
        return writeDesignFile(fileName, versionDesign(version));
    }
}

std::optional<int> versionOnDisk(SaveKind kind, const QString& fileName) {
    switch (kind) {
    case SaveKind::Settings:
        return settingsVersion(fileName);
    case SaveKind::Picture:
    case SaveKind::Tool:
        return pictureVersion(kind, fileName);
    case SaveKind::Design:
        return designVersion(fileName);
    }
    return std::nullopt;
}
