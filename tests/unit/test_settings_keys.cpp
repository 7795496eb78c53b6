#include "app/RavoIni.h"
#include "app/SettingsKeys.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

namespace {

const SettingsKey& row(const char* key) {
    for (const SettingsKey& k : settingsKeys())
        if (qstrcmp(k.key, key) == 0) return k;
    throw std::logic_error(key);
}

TEST(SettingsKeys, EachRuleTurnsTheSavedTextIntoTheValueItsControlTakes) {
    const struct {
        const char* main; // body of the Main section
        const char* key;
        SettingValue value;
    } cases[] = {
        {"", "PenWidth", 3}, // the default -1 stands for 3
        {"PenWidth=-1", "PenWidth", 3},
        {"PenWidth=$5", "PenWidth", 5},
        {"PenWidth=ohut", "PenWidth", 3},
        {"SnapToGrid=2", "SnapToGrid", 1},
        {"SnapToGrid=-1", "SnapToGrid", 1},
        {"SnapToGrid=0", "SnapToGrid", 0},
        {"SnapToGrid=kyllä", "SnapToGrid", 0},
        {"", "FontName", QStringLiteral("Arial")},
        {"FontName=", "FontName", QStringLiteral("Arial")}, // empty counts as absent
        {"FontName=times new roman", "FontName", QStringLiteral("times new roman")},
        {"Alpha=300", "Alpha", 300}, // the track bar clamps it, not the reading
        {"", "Speed", TrackBarMaximum},
        {"LinePenColor=0x0000FF", "LinePenColor", 255},
        {"FontSize=iso", "FontSize", 24},
    };
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/Ravo.ini");
    for (const auto& c : cases) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("[Main]\n") + c.main + "\n");
        f.close();
        EXPECT_EQ(readSetting(RavoIni(path), row(c.key)), c.value) << c.main << " " << c.key;
    }
}

TEST(SettingsKeys, CommonKeysAreTextAndAnEmptyOneStaysEmpty) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/Ravo.ini");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Common]\nINSTALLFOLDER=/opt/ravo/\nDATABASEFOLDER=\n");
    f.close();
    const RavoIni ini(path);
    EXPECT_EQ(readSetting(ini, row("INSTALLFOLDER")), SettingValue(QStringLiteral("/opt/ravo/")));
    EXPECT_EQ(readSetting(ini, row("DATABASEFOLDER")), SettingValue(QString()));
}

// Every key of the table can be read from any file: "Color" is written and never read, and
// reading it threw for want of a default (found by fuzzing).
TEST(SettingsKeys, EveryKeyReadsAndOneNeverReadGivesNothing) {
    const RavoIni ini(QStringLiteral(RAVO_TEST_DATA "/fuzz-found/settings-color.ini"));
    for (const SettingsKey& k : settingsKeys())
        EXPECT_NO_THROW(readSetting(ini, k)) << k.key;
    EXPECT_EQ(readSetting(ini, row("Color")), SettingValue());
    EXPECT_EQ(readSetting(ini, row("LinePenColor")), SettingValue(0)); // the default
}

TEST(MatchFontItem, CaseFreeNameThenTheSystemsTwinElseNothing) {
    const QStringList items{"Arial", "DejaVu Sans", "Liberation Sans", "Times New Roman",
                            "TIMES NEW ROMAN"};
    const std::map<QString, QString> twins{
        {"HELVETICA", "Liberation Sans"}, {"ARIAL", "Liberation Sans"}, {"KÄSIALA", ""}};
    auto twinOf = [&twins](const QString& name) {
        const auto at = twins.find(name);
        return at == twins.end() ? QStringLiteral("Not Listed") : at->second;
    };
    const struct {
        const char* name;
        int item;
    } cases[] = {
        {"times new roman", 3},                  // the first of two equal items
        {"ARIAL", 0},                            // the name itself before its twin
        {"helvetica", 2},       {"käsiala", -1}, // the system knows nothing like it
        {"Courier", -1},                         // its twin is not in the list
    };
    for (const auto& c : cases)
        EXPECT_EQ(matchFontItem(items, QString::fromUtf8(c.name), twinOf), c.item) << c.name;
}

} // namespace
