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

QList<LinkRange> findLinks(const QString& line) {
    static const QRegularExpression address(
        QStringLiteral("(?<![\\w.])(?:(?:https?|ftp|file|mailto|news|nntp|telnet|gopher|wais|"
                       "prospero|notes|callto|tel):|www\\.)[^\\s<>\"]+"),
        QRegularExpression::CaseInsensitiveOption);
    static const QString trailing = QStringLiteral(".,;:!?'\")]}");
    QList<LinkRange> links;
    for (auto it = address.globalMatch(line); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        int length = int(m.capturedLength());
        while (length > 0 && trailing.contains(line.at(m.capturedStart() + length - 1)))
            --length;
        // A scheme or "www." alone names nothing.
        const QString text = line.mid(m.capturedStart(), length);
        const int named = text.startsWith(QLatin1String("www."), Qt::CaseInsensitive)
                              ? 4
                              : int(text.indexOf(QLatin1Char(':'))) + 1;
        if (length > named) links.append({int(m.capturedStart()), length});
    }
    return links;
}

QUrl linkUrl(const QString& linkText) {
    if (linkText.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("http://") + linkText);
    return QUrl(linkText);
}
