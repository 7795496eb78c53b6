#include "text/TextLogic.h"

#include <QRegularExpression>

QStringList fontSizeItems() {
    QStringList items;
    for (int size = 6; size <= 72; ++size)
        items << QString::number(size);
    return items;
}

QStringList editorLines(const QString& plain) {
    static const QRegularExpression lineEnd(QStringLiteral("\\r\\n|[\\n\\r\\x{2028}\\x{2029}]"));
    return plain.split(lineEnd);
}
