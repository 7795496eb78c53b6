// The text window with real input: typing right after opening it writes into its editor, a
// click on the surface places the line as typed, and a web address in the editor opens in the
// user's default web handler through the real xdg-open.
#include "Desktop.h"

#include <QDir>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

#include <memory>

namespace {

class TextOnDesktop : public DesktopTest {
protected:
    // An opaque surface with a 24-point font, a recording browser, and the text window open.
    void SetUp() override {
        DesktopTest::SetUp();
        writeIni(QStringLiteral("Alpha=255\nFontSize=24\n"));
        ravo =
            std::make_unique<RavoRun>(*desktop, data.path(),
                                      recordingHandler({QStringLiteral("x-scheme-handler/http"),
                                                        QStringLiteral("x-scheme-handler/https")}));
        const QRect palette = waitForPalette(*ravo);
        ASSERT_FALSE(palette.isEmpty()) << ravo->output().toStdString();
        clickControl(palette, QStringLiteral("Avaa tekstieditori"));
        ASSERT_TRUE(waitUntil(
            [&] { return !(text = windowNamed(ravo->pid(), QStringLiteral("Teksti"))).isEmpty(); },
            5000));
        QThread::msleep(300);
    }
    std::unique_ptr<RavoRun> ravo;
    QString text;
};

TEST_F(TextOnDesktop, TypedRightAfterOpeningAndPlacedAsTyped) {
    typeText(QStringLiteral("Hei maailma 2028 åäö"));
    QThread::msleep(300);
    clickAt({300, 300});

    // One line to the right of the pointer: ink along it, none below it.
    QImage screen;
    int right = 0;
    ASSERT_TRUE(waitUntil(
        [&] {
            screen = desktop->capture();
            right = 0;
            for (int y = 260; y < 305; ++y)
                for (int x = 300; x < 900; ++x)
                    if (qGray(screen.pixel(x, y)) < 100) right = std::max(right, x);
            return right > 0;
        },
        5000));
    EXPECT_GT(right, 300 + 200) << "the whole line, not its first word";
    int below = 0;
    for (int y = 306; y < 420; ++y)
        for (int x = 300; x < 900; ++x)
            below += qGray(screen.pixel(x, y)) < 100;
    EXPECT_EQ(below, 0) << "nothing on further lines";
    saveShot(QStringLiteral("text-placed"));
}

TEST_F(TextOnDesktop, AnAddressInTheEditorOpensInTheDefaultBrowser) {
    typeText(QStringLiteral("https://ravo.example/ohje"));
    keys({QStringLiteral("Return")});
    typeText(QStringLiteral("tavallista tekstiä"));
    QThread::msleep(300);
    const QRect editor = desktop->geometry(text).adjusted(0, 49, 0, 0);

    // Ordinary text on the second line: nothing opens.
    clickAt(editor.topLeft() + QPoint(40, 55));
    QThread::msleep(1500);
    EXPECT_TRUE(recorded().isEmpty()) << recorded().toStdString();

    // The address on the first line.
    clickAt(editor.topLeft() + QPoint(60, 18));
    EXPECT_TRUE(waitUntil([&] { return !recorded().isEmpty(); }, 10000));
    EXPECT_EQ(recorded(), QStringLiteral("https://ravo.example/ohje"));
}

} // namespace
