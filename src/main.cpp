// Ravo: drawing on top of the screen.
#include "app/RavoApplication.h"
#include "app/WindowSet.h"
#include "platform/Platform.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    // The updater checks that a new program file runs and which version it is.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s\n", platform::programVersion().toUtf8().constData());
        return 0;
    }
#ifdef Q_OS_LINUX
    // Placing windows, keeping them on top and reading the screen need X11 (XWayland in a
    // Wayland session).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
#endif
    // One screen pixel is the unit everywhere.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    RavoApplication app(argc, argv);
    WindowSet windows;
    if (windows.finished()) return 0; // start-up decided that the program ends
    app.exec();
    return 0;
}
