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
