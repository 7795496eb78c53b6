#pragma once
// Ravo places windows by their outer size (frame and caption included), as the user
// sees them. Qt's move() already works on the outer position.
#include <QApplication>
#include <QWidget>

inline int outerWidth(const QWidget* w) {
    return w->isVisible() ? w->frameGeometry().width() : w->width();
}
// What a window's caption and frame add to its height. A window not shown yet has none of
// its own: it gets what the window manager gave a shown one with a caption, as it frames them
// alike, so that a window placed before its first showing does not reach off the screen.
inline int frameHeight(const QWidget* w) {
    if (w->windowFlags() & Qt::FramelessWindowHint) return 0;
    const int own = w->frameGeometry().height() - w->height();
    if (w->isVisible() || own > 0) return own;
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other == w || !other->isVisible() || (other->windowFlags() & Qt::FramelessWindowHint))
            continue;
        if (const int h = other->frameGeometry().height() - other->height(); h > 0) return h;
    }
    return 0;
}
inline int outerHeight(const QWidget* w) {
    return w->height() + frameHeight(w);
}
// The top-left corner that centres a window of the given size in an area at (0, 0).
inline QPoint centredIn(QSize area, QSize window) {
    return QPoint(area.width() / 2 - window.width() / 2, area.height() / 2 - window.height() / 2);
}
inline void setOuterHeight(QWidget* w, int h) {
    w->resize(w->width(), h - frameHeight(w));
}
