// Rules of the tool properties window.
#include "tools/OperLogic.h"

#include <gtest/gtest.h>

TEST(ToolDisplayName, FileNamePartUpToItsFirstDot) {
    const struct {
        const char* caption;
        const char* name;
    } cases[] = {
        {"kartta.uusi", "kartta"},
        {"kartta.", "kartta"},
        {"kartta", "kartta"},
        {"/home/a/Työkalut/viivain.bmp", "viivain"},
        {"C:\\Ravo\\Tools\\kolmio.v2.bmp", "kolmio"},
        {"a.b/c\\d.e/f", "f"},
        {"kansio.x/nimi", "nimi"},
        {"/polku/", ""},
        {".piilo", ""},
        {"", ""},
        {"ZedozaVudedAve", "ZedozaVudedAve"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toolDisplayName(QString::fromUtf8(c.caption)), QString::fromUtf8(c.name))
            << c.caption;
}

TEST(ToolSaveName, TextUpToItsFirstDotSlashesKept) {
    EXPECT_EQ(toolSaveName(QStringLiteral("kartta.uusi")), QStringLiteral("kartta"));
    EXPECT_EQ(toolSaveName(QStringLiteral("a.b.c")), QStringLiteral("a"));
    EXPECT_EQ(toolSaveName(QStringLiteral("ala/kartta.x")), QStringLiteral("ala/kartta"));
    EXPECT_EQ(toolSaveName(QStringLiteral("viivain")), QStringLiteral("viivain"));
    EXPECT_EQ(toolSaveName(QStringLiteral(".x")), QString());
}

TEST(OthersOpacity, NoneSameOrInverse) {
    const struct {
        OthersFollow follow;
        int position;
        std::optional<int> others;
    } cases[] = {
        {OthersFollow::No, 200, std::nullopt}, {OthersFollow::Same, 200, 200},
        {OthersFollow::Inverse, 200, 55},      {OthersFollow::Inverse, 0, 255},
        {OthersFollow::Inverse, 255, 0},       {OthersFollow::Same, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(othersOpacity(c.follow, c.position), c.others)
            << int(c.follow) << " " << c.position;
}

TEST(ToolModeHint, MovingIsZeroTurningIsOne) {
    EXPECT_EQ(toolModeHint(true), QStringLiteral("0"));
    EXPECT_EQ(toolModeHint(false), QStringLiteral("1"));
}
