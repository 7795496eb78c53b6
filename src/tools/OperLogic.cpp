#include "tools/OperLogic.h"

#include <algorithm>

QString toolDisplayName(const QString& caption) {
    const qsizetype slash =
        std::max(caption.lastIndexOf(QLatin1Char('/')), caption.lastIndexOf(QLatin1Char('\\')));
    return toolSaveName(caption.mid(slash + 1));
}

QString toolSaveName(const QString& typed) {
    const qsizetype dot = typed.indexOf(QLatin1Char('.'));
    return dot < 0 ? typed : typed.left(dot);
}

std::optional<int> othersOpacity(OthersFollow follow, int position) {
    switch (follow) {
    case OthersFollow::Same:
        return position;
    case OthersFollow::Inverse:
        return 255 - position;
    case OthersFollow::No:
        break;
    }
    return std::nullopt;
}

QString toolModeHint(bool moving) {
    return moving ? QStringLiteral("0") : QStringLiteral("1");
}
