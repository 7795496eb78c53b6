#include "app/SettingsKeys.h"

#include "aids/ColorsForm.h"
#include "aids/Numbers.h"
#include "aids/OptionsForm.h"
#include "app/Errors.h"
#include "app/Palette.h"
#include "app/RavoIni.h"
#include "app/Startup.h"
#include "app/WindowSet.h"
#include "text/FormText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QSlider>

namespace {

int number(const SettingValue& v) {
    return std::get<int>(v);
}
const QString& text(const SettingValue& v) {
    return std::get<QString>(v);
}

// The family the system would draw with for `name`; empty when that is only the family it
// falls back on for names it knows nothing like.
QString systemTwin(const QString& name) {
    static const QString fallback =
        QFontInfo(QFont(QStringLiteral("Ei Tällaista Kirjasinta Ole"))).family().toUpper();
    const QString twin = QFontInfo(QFont(name)).family();
    return twin.toUpper() == fallback ? QString() : twin;
}

// The folder keys fill Folders alone, so the updater reads them without any window.
template <QString Folders::*Folder> void intoFolder(Folders& f, const SettingValue& v) {
    applyCommonKey(f, Folder, text(v));
}
template <QString Folders::*Folder>
void intoCommonFolder(const SettingsTargets& t, const SettingValue& v) {
    intoFolder<Folder>(t.palette.folders, v);
}

using FillFolder = void (*)(Folders&, const SettingValue&);
struct FolderKey {
    FillSetting setting;
    FillFolder folder;
};
constexpr FolderKey folderKeys[] = {
    {intoCommonFolder<&Folders::MainFolder>, intoFolder<&Folders::MainFolder>},
    {intoCommonFolder<&Folders::DatabaseFolder>, intoFolder<&Folders::DatabaseFolder>},
};

void intoPickerCell(const SettingsTargets& t, const SettingValue& v) {
    t.ws.Numbers->FindCell(number(v));
}

SettingValue fromPickerColor(const SettingsTargets& t) {
    return int(t.ws.ColorsForm->PenColor);
}

void intoLinePenWidth(const SettingsTargets& t, const SettingValue& v) {
    t.palette.LinePenWidth = number(v);
    t.ws.Numbers->FindCell(t.palette.LinePenWidth);
}
SettingValue fromLinePenWidth(const SettingsTargets& t) {
    return t.palette.LinePenWidth;
}

// The line pen's colour is also the picker's and the palette's current colour.
void intoLinePenColor(const SettingsTargets& t, const SettingValue& v) {
    t.palette.LinePenColor = gfx::Color(number(v));
    t.ws.ColorsForm->PenColor = t.palette.LinePenColor;
    t.palette.PaletteColor = t.palette.LinePenColor;
}
SettingValue fromLinePenColor(const SettingsTargets& t) {
    return int(t.palette.LinePenColor);
}

void intoDotPenWidth(const SettingsTargets& t, const SettingValue& v) {
    t.palette.DotPenWidth = number(v);
}
SettingValue fromDotPenWidth(const SettingsTargets& t) {
    return t.palette.DotPenWidth;
}

void intoDotPenColor(const SettingsTargets& t, const SettingValue& v) {
    t.palette.DotPenColor = gfx::Color(number(v));
}
SettingValue fromDotPenColor(const SettingsTargets& t) {
    return int(t.palette.DotPenColor);
}

// Without a match the list keeps its selection.
void intoFontName(const SettingsTargets& t, const SettingValue& v) {
    QComboBox* names = t.ws.FormText->FontName;
    QStringList items;
    for (int i = 0; i < names->count(); ++i)
        items << names->itemText(i);
    const int found = matchFontItem(items, text(v), systemTwin);
    if (found >= 0) names->setCurrentIndex(found);
}
SettingValue fromFontName(const SettingsTargets& t) {
    return t.ws.FormText->FontName->currentText();
}

void intoFontSize(const SettingsTargets& t, const SettingValue& v) {
    t.ws.FormText->FontSize->setEditText(QString::number(number(v)));
}
SettingValue fromFontSize(const SettingsTargets& t) {
    return StrToInt(t.ws.FormText->FontSize->currentText());
}

template <QSlider* TOptionsForm::*Bar>
void intoTrackBar(const SettingsTargets& t, const SettingValue& v) {
    QSlider* bar = t.ws.OptionsForm->*Bar;
    bar->setValue(clampToRange(number(v), bar->minimum(), bar->maximum()));
}
template <QSlider* TOptionsForm::*Bar> SettingValue fromTrackBar(const SettingsTargets& t) {
    return (t.ws.OptionsForm->*Bar)->value();
}

void intoSnapToGrid(const SettingsTargets& t, const SettingValue& v) {
    t.ws.OptionsForm->SnapToGrid->setChecked(number(v) != 0);
}
SettingValue fromSnapToGrid(const SettingsTargets& t) {
    return t.ws.OptionsForm->SnapToGrid->isChecked() ? 1 : 0;
}

using R = SettingRule;
using O = TOptionsForm;

} // namespace

std::span<const SettingsKey> settingsKeys() {
    // The Common keys and PenWidth are the installation's: read and never written, so that
    // they stay as it wrote them. Color is written and never read.
    static const SettingsKey keys[] = {
        // section, key, default, rule, read into, written from
        {"Common", "INSTALLFOLDER", QString(), R::Text, intoCommonFolder<&Folders::MainFolder>,
         NotWritten},
        {"Common", "DATABASEFOLDER", QString(), R::Text, intoCommonFolder<&Folders::DatabaseFolder>,
         NotWritten},
        {"Main", "PenWidth", -1, R::MinusOneIsThree, intoPickerCell, NotWritten},
        {"Main", "Color", {}, R::Integer, NotRead, fromPickerColor},
        {"Main", "LinePenWidth", 3, R::Integer, intoLinePenWidth, fromLinePenWidth},
        {"Main", "LinePenColor", 0, R::Integer, intoLinePenColor, fromLinePenColor},
        {"Main", "DotPenWidth", 10, R::Integer, intoDotPenWidth, fromDotPenWidth},
        {"Main", "DotPenColor", 0, R::Integer, intoDotPenColor, fromDotPenColor},
        {"Main", "FontName", QStringLiteral("Arial"), R::FontName, intoFontName, fromFontName},
        {"Main", "FontSize", 24, R::Integer, intoFontSize, fromFontSize},
        {"Main", "Alpha", 80, R::TrackBar, intoTrackBar<&O::Alpha>, fromTrackBar<&O::Alpha>},
        {"Main", "WorkAlpha", 120, R::TrackBar, intoTrackBar<&O::WorkAlpha>,
         fromTrackBar<&O::WorkAlpha>},
        {"Main", "CellWidth", 40, R::TrackBar, intoTrackBar<&O::CellWidth>,
         fromTrackBar<&O::CellWidth>},
        {"Main", "Speed", TrackBarMaximum, R::TrackBar, intoTrackBar<&O::Speed>,
         fromTrackBar<&O::Speed>},
        {"Main", "SnapToGrid", 0, R::Flag, intoSnapToGrid, fromSnapToGrid},
    };
    return keys;
}

SettingValue readSetting(const RavoIni& ini, const SettingsKey& k) {
    // A key that is never read has no default to fall back on, and nothing takes its value.
    if (std::holds_alternative<std::monostate>(k.fallback)) return {};
    switch (k.rule) {
    case R::Text:
        return ini.readString(k.section, k.key, text(k.fallback));
    case R::FontName: {
        const QString name = ini.readString(k.section, k.key, QString());
        return name.isEmpty() ? text(k.fallback) : name;
    }
    case R::Integer:
    case R::TrackBar:
        return ini.readInteger(k.section, k.key, number(k.fallback));
    case R::MinusOneIsThree: {
        const int n = ini.readInteger(k.section, k.key, number(k.fallback));
        return n == -1 ? 3 : n;
    }
    case R::Flag:
        return ini.readInteger(k.section, k.key, number(k.fallback)) != 0 ? 1 : 0;
    }
    return {};
}

void readFolderSettings(const RavoIni& ini, Folders& f) {
    for (const SettingsKey& k : settingsKeys())
        for (const FolderKey& fk : folderKeys)
            if (k.into == fk.setting) fk.folder(f, readSetting(ini, k));
}

void readSettings(const RavoIni& ini, const SettingsTargets& t) {
    for (const SettingsKey& k : settingsKeys())
        if (k.into != NotRead) k.into(t, readSetting(ini, k));
}

TakenSettings takeSettings(const SettingsTargets& t) {
    TakenSettings values;
    for (const SettingsKey& k : settingsKeys())
        if (k.from != NotWritten) values.emplace_back(&k, k.from(t));
    return values;
}

void writeTakenSettings(RavoIni& ini, const TakenSettings& values) {
    for (const auto& [k, value] : values) {
        if (const int* n = std::get_if<int>(&value))
            ini.writeInteger(k->section, k->key, *n);
        else
            ini.writeString(k->section, k->key, text(value));
    }
}

int matchFontItem(const QStringList& items, const QString& name,
                  const std::function<QString(const QString&)>& twinOf) {
    auto find = [&items](const QString& upper) -> int {
        for (int i = 0; i < items.size(); ++i)
            if (items[i].toUpper() == upper) return i;
        return -1;
    };
    const QString upper = name.toUpper();
    if (const int found = find(upper); found >= 0) return found;
    // A font the system lacks by name may have a twin standing in for it (Arial is
    // Liberation Sans on Linux).
    const QString twin = twinOf(upper).toUpper();
    return twin.isEmpty() ? -1 : find(twin);
}
