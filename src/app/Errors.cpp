#include "app/Errors.h"

#include <limits>

std::optional<int> parseInteger(QStringView text) {
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    int base = 10;
    if (text.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        text = text.mid(2);
    } else if (text.startsWith(u'$')) {
        base = 16;
        text = text.mid(1);
    }
    if (text.isEmpty()) return std::nullopt;
    long long value = 0;
    for (QChar c : text) {
        const int digit = (c >= u'0' && c <= u'9') ? c.unicode() - u'0'
                          : (base == 16 && c.toLower() >= u'a' && c.toLower() <= u'f')
                              ? c.toLower().unicode() - u'a' + 10
                              : -1;
        if (digit < 0 || digit >= base) return std::nullopt;
        value = value * base + digit;
        if (value > (long long)std::numeric_limits<int>::max() + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return int(value);
}

int StrToInt(const QString& text) {
    if (auto v = parseInteger(text)) return *v;
    throw RavoError(QStringLiteral("'%1' ei ole kelvollinen kokonaisluku.").arg(text));
}
