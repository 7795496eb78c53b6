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

// What is recognised as an address in a line, and what is left as ordinary text.
TEST(WebAddresses, RecognisedAsARichTextControlDoes) {
    struct Case {
        QString line;
        QStringList links;
    };
    const Case cases[] = {
        {QStringLiteral("Katso https://ravo.example/ohje?a=1&b=2 tästä"),
         {QStringLiteral("https://ravo.example/ohje?a=1&b=2")}},
        {QStringLiteral("http://a.fi, ftp://b.fi ja mailto:opettaja@koulu.fi."),
         {QStringLiteral("http://a.fi"), QStringLiteral("ftp://b.fi"),
          QStringLiteral("mailto:opettaja@koulu.fi")}},
        {QStringLiteral("(www.kartat.fi)"), {QStringLiteral("www.kartat.fi")}},
        {QStringLiteral("WWW.ISO.FI ja HTTP://ISO.FI"),
         {QStringLiteral("WWW.ISO.FI"), QStringLiteral("HTTP://ISO.FI")}},
        {QStringLiteral("file:///home/opettaja/kuva.bmp"),
         {QStringLiteral("file:///home/opettaja/kuva.bmp")}},
        {QStringLiteral("Hei maailma, ei osoitetta"), {}},
        {QStringLiteral("pelkkä www. tai http: ei riitä"), {}},
        {QStringLiteral("sanawww.x.fi ja xhttp://y.fi"), {}},
        {QStringLiteral("kello 12:30 ja a.b.c"), {}},
    };
    for (const Case& c : cases) {
        QStringList found;
        for (const LinkRange& r : findLinks(c.line))
            found << c.line.mid(r.start, r.length);
        EXPECT_EQ(found, c.links) << c.line.toStdString();
    }
}

TEST(WebAddresses, AnAddressWithoutASchemeIsAWebPage) {
    EXPECT_EQ(linkUrl(QStringLiteral("www.kartat.fi/a")),
              QUrl(QStringLiteral("http://www.kartat.fi/a")));
    EXPECT_EQ(linkUrl(QStringLiteral("mailto:a@b.fi")), QUrl(QStringLiteral("mailto:a@b.fi")));
    EXPECT_EQ(linkUrl(QStringLiteral("https://x.fi")), QUrl(QStringLiteral("https://x.fi")));
}
