#include "app/Icons.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

QImage ravoPicture(const QString& resource, int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    QSvgRenderer svg(resource);
    QPainter p(&img);
    svg.render(&p);
    return img;
}

QIcon ravoIcon(const QString& name, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QSvgRenderer svg(QStringLiteral(":/icons/%1.svg").arg(name));
    QPainter p(&pm);
    svg.render(&p);
    p.end();
    return QIcon(pm);
}

// The pictures live in the core library; a static library's resources must be registered.
void initRavoResources() {
    Q_INIT_RESOURCE(ravo);
}
