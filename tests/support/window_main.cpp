// Test entry for the window tests: Ravo's application object on the offscreen platform with
// one 1920x1080 screen.
#include "app/RavoApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" RAVO_SCREENS_JSON);
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    RavoApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
