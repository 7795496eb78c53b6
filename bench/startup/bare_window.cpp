// A bare Qt widget program, one window of the screen's size, for comparing what Qt itself
// takes at start-up with what Ravo takes.
#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char** argv) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    w.setGeometry(QGuiApplication::primaryScreen()->geometry());
    w.show();
    return app.exec();
}
