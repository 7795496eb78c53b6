#include "text/TextLogic.h"

QStringList fontSizeItems() {
    QStringList items;
    for (int size = 6; size <= 72; ++size)
        items << QString::number(size);
    return items;
}
