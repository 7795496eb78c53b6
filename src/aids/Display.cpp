#include "aids/Display.h"

#include "app/WindowSet.h"

#include <QLabel>

TDisplay::TDisplay(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("Display"));
    setWindowTitle(QStringLiteral("Teksti"));
    setWindowFlags(Qt::Tool);

    Value = new QLabel(this);
    Value->setObjectName(QStringLiteral("Value"));
    QFont f(QStringLiteral("Courier New"));
    f.setPointSize(10);
    Value->setFont(f);
    Value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Read-outs are plain text, whatever characters they hold.
    Value->setTextFormat(Qt::PlainText);
    Value->setGeometry(6, 6, 254 - 12, 46 - 12);

    resize(254, 46);
}
