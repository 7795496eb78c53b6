#include "tools/Osoitin.h"

#include "app/WindowSet.h"

TOsoitin::TOsoitin(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("Osoitin"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowOpacity(100 / 255.0);
    // The margin about the picture is white, which the colour key makes see-through.
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    resize(800, 800);
}
