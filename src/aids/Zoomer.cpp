#include "aids/Zoomer.h"

#include "app/WindowSet.h"
#include "surface/Form1.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>

TZoomer::TZoomer(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("Zoomer"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);

    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image->setGeometry(0, 0, 390, 215);

    // The raised frame lies over the picture's edge and lets the pointer through.
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Raised);
    Bevel1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Bevel1->setGeometry(0, 0, 390, 215);
    Bevel1->raise();

    resize(390, 215);
}

void TZoomer::SetZoomSizes() {
    const int w = width(), h = height();
    m_zoomSize = size();
    Image->setGeometry(0, 0, w, h);
    // The picture is square, as wide as the window, so that any enlargement fills it.
    Picture.reset(w, w);
    showPicture();
    ws.Form1->CopyImage.reset(w, h);
}

void TZoomer::showPicture() {
    Image->setPixmap(QPixmap::fromImage(Picture.image()));
}

void TZoomer::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Bevel1->setGeometry(rect());
    // A window shown for the first time reports its size again; only a new size counts.
    if (size() != m_zoomSize) SetZoomSizes();
}
