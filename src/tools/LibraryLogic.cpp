#include "tools/LibraryLogic.h"

QPoint defaultSlideTarget(QSize screen, int libraryOuterWidth) {
    return QPoint(screen.width() - libraryOuterWidth - 300, screen.height() / 2 - 100);
}
