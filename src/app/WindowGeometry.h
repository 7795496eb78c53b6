#pragma once
// Ravo places windows by their outer size (frame and caption included), as the user
// sees them. Qt's move() already works on the outer position.
#include <QWidget>

inline int outerWidth(const QWidget* w) {
    return w->isVisible() ? w->frameGeometry().width() : w->width();
}
inline int outerHeight(const QWidget* w) {
    return w->isVisible() ? w->frameGeometry().height() : w->height();
}
// The top-left corner that centres a window of the given size in an area at (0, 0).
inline QPoint centredIn(QSize area, QSize window) {
    return QPoint(area.width() / 2 - window.width() / 2, area.height() / 2 - window.height() / 2);
}
inline void setOuterHeight(QWidget* w, int h) {
    const int frame = w->isVisible() ? w->frameGeometry().height() - w->height() : 0;
    w->resize(w->width(), h - frame);
}
