// Test entry for the tests on a real X server: an Xvfb of their own with one 640x480 screen
// at depth 24, and Qt's xcb platform on it. Listing the tests needs no server.
#include <QByteArray>
#include <QGuiApplication>
#include <QProcess>
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();

    // The server chooses a free display itself and names it on its standard output, so that
    // runs at the same moment never share one.
    QProcess xvfb;
    xvfb.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    xvfb.start(QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                QStringLiteral("0"), QStringLiteral("640x480x24"), QStringLiteral("-nolisten"),
                QStringLiteral("tcp")});
    xvfb.waitForStarted(5000);
    QByteArray named;
    for (int waited = 0;
         !named.contains('\n') && xvfb.state() == QProcess::Running && waited < 10000;
         waited += 50) {
        xvfb.waitForReadyRead(50);
        named += xvfb.readAllStandardOutput();
    }
    bool numbered = false;
    const int display = named.trimmed().toInt(&numbered);
    if (!numbered) {
        std::fprintf(stderr, "Xvfb did not start.\n");
        return 1;
    }
    qputenv("DISPLAY", ":" + QByteArray::number(display));
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    int result = 1;
    {
        QGuiApplication app(argc, argv); // gone before its server
        result = RUN_ALL_TESTS();
    }
    xvfb.terminate();
    xvfb.waitForFinished(3000);
    return result;
}
