#include "app/YleOsa.h"

#include <gtest/gtest.h>

namespace {

const QChar Refused(1);

TEST(CompactSpaces, ShrinksAndTrimsBlanks) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"  a   b  ", "a b"}, {" ", ""},  {"x", "x"},         {"a  ", "a"}, {"", ""},
        {"ab", "ab"},         {"  ", ""}, {"a b c", "a b c"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompactSpaces(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(PadRight, PadsOrCuts) {
    EXPECT_EQ(PadRight(QStringLiteral("abc"), 5), QStringLiteral("abc  "));
    EXPECT_EQ(PadRight(QStringLiteral("abcdef"), 3), QStringLiteral("abc"));
    EXPECT_EQ(PadRight(QStringLiteral("abc"), 0), QString());
    EXPECT_EQ(PadRight(QStringLiteral("abc"), -2), QString());
    EXPECT_EQ(PadRight(QStringLiteral("abc"), 3), QStringLiteral("abc"));
}

TEST(IsNameChar, AcceptsBlankDigitsLettersAndFinnishVowels) {
    for (const char* ok : {" ", "a", "Z", "0", "9", "å", "Ä", "ö"})
        EXPECT_TRUE(IsNameChar(QString::fromUtf8(ok))) << ok;
    for (const char* bad : {"", "-", ".", "é", "/", "_"})
        EXPECT_FALSE(IsNameChar(QString::fromUtf8(bad))) << bad;
}

TEST(FilterNumericKey, FollowsTheFieldRules) {
    const QChar bs(8), enter(13);
    const struct {
        QChar key;
        const char* text;
        int max;
        bool decimals;
        bool accepted;
    } cases[] = {
        {QLatin1Char('7'), "3,25", 10, true, false}, // two characters after the comma already
        {bs, "3,25", 10, true, true},
        {QLatin1Char('5'), "12345", 5, false, false}, // full
        {enter, "12345", 5, false, true},
        {bs, "12345", 5, false, true},
        {QLatin1Char('a'), "1", 5, false, false},
        {QLatin1Char('4'), "1", 5, false, true},
        {QLatin1Char(','), "1", 5, false, false}, // no decimals here
        {QLatin1Char(','), "1", 5, true, true},
        {QLatin1Char(','), "1,5", 5, true, false}, // one separator only
        {QLatin1Char('2'), "1,5", 5, true, true},  // one character after the comma
    };
    for (const auto& c : cases) {
        const QChar result =
            FilterNumericKey(c.key, QString::fromUtf8(c.text), c.max, c.decimals, QLatin1Char(','));
        EXPECT_EQ(result, c.accepted ? c.key : Refused)
            << c.text << " key " << int(c.key.unicode());
    }
}

} // namespace
