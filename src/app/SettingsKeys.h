#pragma once
// The keys of the settings file "Ravo.ini" as one table: section, key, default, the rule its
// value follows, what it is read into at start and what WriteSettings writes it from. Start-up
// and WriteSettings both walk the table in its order, so each key is stated once.
#include <QString>
#include <QStringList>

#include <functional>
#include <limits>
#include <span>
#include <utility>
#include <variant>
#include <vector>

struct Folders;
class RavoIni;
class TPalette;
class WindowSet;

// A value as the file holds it: text or a whole number (colours are red + 256 × green +
// 65536 × blue); std::monostate is the default of a key that is never read.
using SettingValue = std::variant<std::monostate, int, QString>;

// How a saved value is read, and what limits it.
enum class SettingRule {
    Text,            // text as written
    Integer,         // decimal, or hexadecimal after "0x" or "$"; other text counts as absent
    MinusOneIsThree, // an integer; -1 stands for the width 3
    TrackBar,        // an integer, clamped to its track bar's range when it is put there
    Flag,            // an integer: 1 when not 0
    FontName,        // text, empty counts as absent; matched against the font list (matchFontItem)
};

// The default of a track bar that starts at its maximum: its clamp brings it down to it.
constexpr int TrackBarMaximum = std::numeric_limits<int>::max();

// The windows whose controls and fields the settings fill. The palette is passed apart from
// the window set because start-up runs while the palette is still being made.
struct SettingsTargets {
    TPalette& palette;
    WindowSet& ws;
};

// Where a key goes at start, and where WriteSettings takes it from. A key the installation
// writes has no `from`; a key the program writes and never reads back has no `into`.
using FillSetting = void (*)(const SettingsTargets&, const SettingValue&);
using TakeSetting = SettingValue (*)(const SettingsTargets&);
constexpr FillSetting NotRead = nullptr;
constexpr TakeSetting NotWritten = nullptr;

struct SettingsKey {
    const char* section;
    const char* key;
    SettingValue fallback; // the default: the key is absent, or not a number where one is asked
    SettingRule rule;
    FillSetting into;
    TakeSetting from;
};

// The table, in the order start-up reads and WriteSettings writes.
std::span<const SettingsKey> settingsKeys();

// The key's value in `ini` after its rule (the default where absent), as its control takes it;
// nothing (std::monostate) for a key that is never read.
SettingValue readSetting(const RavoIni& ini, const SettingsKey& k);

// Only the keys that name folders, into `f`: what a program without windows needs.
void readFolderSettings(const RavoIni& ini, Folders& f);

// Puts every key that is read into its control or field, in the table's order.
void readSettings(const RavoIni& ini, const SettingsTargets& t);

// Every key that is written, with its value taken from its control or field, in the table's
// order. A value that cannot be taken (a font size that is not a number) throws; taking them
// all before writing any leaves the file untouched then.
using TakenSettings = std::vector<std::pair<const SettingsKey*, SettingValue>>;
TakenSettings takeSettings(const SettingsTargets& t);

// Writes the taken values to their keys.
void writeTakenSettings(RavoIni& ini, const TakenSettings& values);

// The item a saved font name selects: the first whose upper-case text equals the name's,
// else the first that equals `twinOf(name)` upper-cased (the family the system would draw
// with, empty when it knows nothing like it); -1 when there is none.
int matchFontItem(const QStringList& items, const QString& name,
                  const std::function<QString(const QString&)>& twinOf);
