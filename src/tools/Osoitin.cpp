#include "tools/Osoitin.h"

#include "app/WindowSet.h"
#include "tools/RotImg.h"

TOsoitin::TOsoitin(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("Osoitin"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowOpacity(100 / 255.0);
    // The margin about the picture is white, which the colour key makes see-through.
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    Image1 = new TRotateImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 800, 800);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->SetCenter(true);
    Image1->SetUniqueSize(false);
    Image1->SetStretch(false);
    Image1->SetProportional(false);
    Image1->SetTransparent(false);
    Image1->SetAutoSize(false);
    Image1->SetAngle(0);

    resize(800, 800);
}
