#include "app/PaletteLogic.h"
#include "app/Startup.h"

#include <gtest/gtest.h>

namespace {

Folders startFolders(const char* app, const char* drive, const char* common, const char* install,
                     const char* database) {
    Environment env{QString::fromUtf8(app), QString::fromUtf8(drive), QString::fromUtf8(common)};
    Folders f = initialFolders(env);
    applyCommonKeys(f, QString::fromUtf8(install), QString::fromUtf8(database));
    finishFolders(f);
    return f;
}

TEST(Folders, RemovableDriveKeepsEverythingBesideTheProgram) {
    const Folders f = startFolders("/media/usb/Ravo/", "removable", "/home/u/.local/share",
                                   "/opt/ignored/", "/srv/ignored");
    EXPECT_TRUE(f.StartedFromUsb);
    EXPECT_EQ(f.MainFolder, QStringLiteral("/media/usb/Ravo/"));
    EXPECT_EQ(f.CommonAppFolder, QString());
    EXPECT_EQ(f.DatabaseFolder, QString());
    EXPECT_EQ(f.RavoFolder, QStringLiteral("/media/usb/Ravo/Data/"));
    EXPECT_EQ(f.DataFolder, QStringLiteral("/media/usb/Ravo/Data/Data/"));
    EXPECT_EQ(f.ToolsFolder, QStringLiteral("/media/usb/Ravo/Data/Tools/"));
    EXPECT_EQ(f.UpdateFolder, QStringLiteral("/media/usb/Ravo/Data/Updates/"));
}

TEST(Folders, FixedDriveReadsTheSharedFolderAndTheInstallFolder) {
    const Folders f = startFolders("/opt/ravo/", "FIXED", "/home/u/.local/share", "/opt/ravo/", "");
    EXPECT_FALSE(f.StartedFromUsb);
    EXPECT_EQ(f.CommonAppFolder, QStringLiteral("/home/u/.local/share/"));
    EXPECT_EQ(f.MainFolder, QStringLiteral("/opt/ravo/"));
    EXPECT_EQ(f.RavoFolder, QStringLiteral("/home/u/.local/share/Tervaso/Ravo/"));
    EXPECT_EQ(f.DataFolder, QStringLiteral("/home/u/.local/share/Tervaso/Ravo/Data/"));
    EXPECT_EQ(f.ToolsFolder, QStringLiteral("/home/u/.local/share/Tervaso/Ravo/Tools/"));
    EXPECT_EQ(f.UpdateFolder, QStringLiteral("/home/u/.local/share/Tervaso/Ravo/Updates/"));
}

TEST(Folders, DatabaseFolderBecomesTheDataRoot) {
    const Folders f =
        startFolders("/opt/ravo/", "FIXED", "/var/lib/", "/opt/ravo/", "/srv/yhteinen");
    EXPECT_EQ(f.CommonAppFolder, QStringLiteral("/var/lib/")); // separator not doubled
    EXPECT_EQ(f.DatabaseFolder, QStringLiteral("/srv/yhteinen"));
    EXPECT_EQ(f.RavoFolder, QStringLiteral("/srv/yhteinen/"));
    EXPECT_EQ(f.DataFolder, QStringLiteral("/srv/yhteinen/Data/"));
    EXPECT_EQ(f.ToolsFolder, QStringLiteral("/srv/yhteinen/Tools/"));
    EXPECT_EQ(f.UpdateFolder, QStringLiteral("/srv/yhteinen/Updates/"));
}

TEST(Folders, FixedDriveWithoutInstallFolderLeavesItEmpty) {
    const Folders f = startFolders("/opt/ravo/", "FIXED", "/var/lib", "", "");
    EXPECT_EQ(f.MainFolder, QString()); // start-up then fails with "Kansion asetus"
}

TEST(Folders, SeparatorRule) {
    EXPECT_EQ(withSeparator(QStringLiteral("/a")), QStringLiteral("/a/"));
    EXPECT_EQ(withSeparator(QStringLiteral("/a/")), QStringLiteral("/a/"));
    EXPECT_EQ(withSeparator(QStringLiteral("D:\\Yhteinen\\")), QStringLiteral("D:\\Yhteinen\\"));
    EXPECT_EQ(withSeparator(QString()), QString());
}

TEST(Update, DecisionTable) {
    const QDateTime older(QDate(2026, 1, 1), QTime(10, 0));
    const QDateTime newer(QDate(2026, 2, 1), QTime(10, 0));
    const struct {
        bool update;
        QDateTime updateDate;
        bool installed;
        QDateTime installedDate;
        bool updater;
        UpdateAction action;
    } cases[] = {
        {false, {}, true, older, true, UpdateAction::None},
        {true, newer, true, older, true, UpdateAction::RunUpdater},
        {true, newer, true, older, false, UpdateAction::UpdaterMissing},
        {true, older, true, older, true, UpdateAction::None}, // same time: nothing
        {true, older, true, newer, true, UpdateAction::None},
        {true, older, false, {}, true, UpdateAction::RunUpdater}, // nothing installed
        {true, older, false, {}, false, UpdateAction::UpdaterMissing},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decideUpdate(c.update, c.updateDate, c.installed, c.installedDate, c.updater),
                  c.action);
}

TEST(Update, Messages) {
    EXPECT_EQ(startupFailureMessage(QStringLiteral("Ini-tiedosto puuttuu")),
              QStringLiteral("Asennuksessa valitettavasti ongelmia, syy: Ini-tiedosto puuttuu"));
    EXPECT_TRUE(updaterMissingMessage().endsWith(
        QStringLiteral("\nPäivitys olisi tarpeellinen, mutta päivitystä ei voi tehdä.")));
}

TEST(TrackBars, SavedValuesAreClampedToTheRange) {
    EXPECT_EQ(clampToRange(300, 2, 255), 255);
    EXPECT_EQ(clampToRange(1, 2, 255), 2);
    EXPECT_EQ(clampToRange(0, 2, 255), 2);
    EXPECT_EQ(clampToRange(80, 2, 255), 80);
}

TEST(Placement, BesideThePalette) {
    EXPECT_EQ(besideLeft(1882, 38, 200), 1682); // left of a palette at x >= 100
    EXPECT_EQ(besideLeft(100, 38, 200), -100);  // not corrected when off the screen
    EXPECT_EQ(besideLeft(99, 38, 200), 137);    // right of one below 100
    EXPECT_EQ(besideLeft(0, 38, 200), 38);
}

TEST(Placement, BottomRuleAndSurfaceHeight) {
    EXPECT_EQ(bottomRuleTop(1080, 638, 40), 402);
    EXPECT_EQ(bottomRuleTop(1080, 112, 0), 968);
    EXPECT_EQ(bottomRuleTop(1080, 638, 1080), 442); // task bar at a side
    EXPECT_EQ(surfaceHeight(1080, 40), 1040);
    EXPECT_EQ(surfaceHeight(1080, 1080), 1080);
    EXPECT_EQ(surfaceHeight(1080, 0), 1080);
}

TEST(Placement, CurtainMenu) {
    EXPECT_EQ(curtainMenuPos(1882, 402, 38, 1920), QPoint(1794, 422));
    EXPECT_EQ(curtainMenuPos(1720, 402, 38, 1920), QPoint(1758, 422)); // exactly 200 from the edge
    EXPECT_EQ(curtainMenuPos(10, 0, 38, 1920), QPoint(48, 20));
}

} // namespace
