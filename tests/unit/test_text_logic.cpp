// Rules of the text window.
#include "text/TextLogic.h"

#include <gtest/gtest.h>

TEST(FontSizes, SixToSeventyTwoEveryPoint) {
    const QStringList items = fontSizeItems();
    ASSERT_EQ(items.size(), 67);
    EXPECT_EQ(items.front(), QStringLiteral("6"));
    EXPECT_EQ(items.back(), QStringLiteral("72"));
    for (int i = 1; i < items.size(); ++i)
        EXPECT_EQ(items[i].toInt(), items[i - 1].toInt() + 1) << i;
}

// Only line ends part the text: blanks, digits and tabs stay in their line, whatever a
// regular expression's escapes might make of them.
TEST(EditorLines, OneLineForEachLineOfTheEditor) {
    struct Case {
        QString plain;
        QStringList lines;
    };
    const Case cases[] = {
        {QStringLiteral("Hei maailma"), {QStringLiteral("Hei maailma")}},
        {QStringLiteral("x 2028 y 8 z"), {QStringLiteral("x 2028 y 8 z")}},
        {QStringLiteral("åäö ÅÄÖ, 0123456789!?.;:-_()"),
         {QStringLiteral("åäö ÅÄÖ, 0123456789!?.;:-_()")}},
        {QStringLiteral("a\tb\t\tc"), {QStringLiteral("a\tb\t\tc")}},
        {QStringLiteral("yksi\nkaksi\n\nneljä"),
         {QStringLiteral("yksi"), QStringLiteral("kaksi"), QString(), QStringLiteral("neljä")}},
        {QStringLiteral("a\r\nb\rc"),
         {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}},
        {QStringLiteral("a\u2028b\u2029c"),
         {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}},
        {QString(), {QString()}},
        {QStringLiteral("rivi\n"), {QStringLiteral("rivi"), QString()}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(editorLines(c.plain), c.lines) << c.plain.toStdString();
}
