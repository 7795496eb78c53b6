#include "FuzzSupport.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt's warnings about bad pictures come with nearly every input; printing them would slow
// the run down to a crawl.
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    // Kept for the whole run, as the program keeps its application; its memory is no leak.
    static QGuiApplication* app = new QGuiApplication(*argc, *argv);
    (void)app;
    return 0;
}

namespace fuzz {

QByteArray bytes(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

void broken(const char* what) {
    std::fprintf(stderr, "fuzz: %s\n", what);
    std::abort();
}

} // namespace fuzz
