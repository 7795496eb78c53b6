// Saves one kind of file again and again with the program's own save functions, so that a
// test can fill the disk under it, take the folder's writing away or kill it half way.
//   ravo_save_driver KIND FILE FIRST COUNT
// saves versions FIRST, FIRST+1, ... (COUNT of them, 0 for no end), saying "saving N" on
// standard output before each save and "saved N" after it. A failed save prints the
// program's message on standard error and ends with code 1.
#include "app/Errors.h"
#include "faults/Saves.h"
#include "gfx/Picture.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    // Standard error carries the program's message alone.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QGuiApplication app(argc, argv); // fonts and pictures need one
    const QStringList args = app.arguments();
    const SaveKindInfo* kind = args.size() == 5 ? saveKindNamed(args[1]) : nullptr;
    if (!kind) {
        std::fputs("ravo_save_driver settings|picture|tool|design FILE FIRST COUNT\n", stderr);
        return 2;
    }
    const int first = args[3].toInt(), count = args[4].toInt();
    for (int v = first; count == 0 || v < first + count; ++v) {
        std::printf("saving %d\n", v);
        std::fflush(stdout);
        try {
            saveVersion(kind->kind, args[2], v % 256);
        } catch (const RavoError& e) {
            std::fputs(e.text().toUtf8().constData(), stderr);
            return 1;
        } catch (const gfx::PictureError& e) {
            std::fputs(e.what(), stderr);
            return 1;
        }
        std::printf("saved %d\n", v);
        std::fflush(stdout);
    }
    return 0;
}
