#include "app/Panel.h"

#include <QMouseEvent>

Panel::Panel(const QString& name, QWidget* parent) : QLabel(parent) {
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setColor(m_color);
}

void Panel::setColor(gfx::Color c) {
    m_color = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, gfx::toQColor(c));
    setPalette(pal);
}

void Panel::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(e);
}
