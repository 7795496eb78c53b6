#include "app/YleOsa.h"

#include <algorithm>

namespace {
constexpr char16_t Backspace = 8;
constexpr char16_t Enter = 13;
const QChar Refused(1);
} // namespace

bool IsNameChar(const QString& text) {
    static const QString chars =
        QStringLiteral(" abcdefghijklmnopqrstuvwxyzåäöABCDEFGHIJKLMNOPQRSTUVWXYZÅÄÖ1234567890");
    return !text.isEmpty() && chars.contains(text);
}

QChar FilterNumericKey(QChar key, const QString& text, int maxLength, bool decimals,
                       QChar decimalSeparator) {
    QString allowed = QStringLiteral("0123456789");
    if (decimals) {
        allowed += decimalSeparator;
        allowed += QLatin1Char(',');
    }
    const bool passes = key == QChar(Backspace) || key == QChar(Enter);
    if (text.contains(decimalSeparator) && key == decimalSeparator) return Refused;
    if (text.size() >= maxLength && !passes) return Refused;
    if (!allowed.contains(key) && !passes) return Refused;
    if (decimals) {
        const int p = text.indexOf(QLatin1Char(',')) + 1; // counted from 1
        if (p > 0 && p < text.size() - 1 && allowed.contains(key)) return Refused;
    }
    return key;
}

QString CompactSpaces(const QString& text) {
    if (text.size() <= 1) return text == QLatin1String(" ") ? QString() : text;
    QString out;
    QChar prev = QLatin1Char(' ');
    for (QChar c : text) {
        if (!(c == QLatin1Char(' ') && prev == QLatin1Char(' '))) out += c;
        prev = c;
    }
    if (out.endsWith(QLatin1Char(' '))) out.chop(1);
    return out;
}

QString PadRight(const QString& text, int width) {
    if (width >= 1 && text.size() < width)
        return text + QString(width - text.size(), QLatin1Char(' '));
    return text.left(std::max(width, 0));
}
