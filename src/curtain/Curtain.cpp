#include "curtain/Curtain.h"

#include "app/Icons.h"
#include "app/WindowSet.h"

#include <QToolButton>

TCurtain::TCurtain(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("Curtain"));
    setWindowFlags(Qt::Window); // a window of its own, even when the surface owns it

    PanelButtons = new QWidget(this);
    PanelButtons->setObjectName(QStringLiteral("PanelButtons"));
    PanelButtons->setGeometry(0, 0, 76, 28);
    PanelButtons->hide();

    auto button = [this](const char* name, const char* icon, int left) {
        auto* b = new QToolButton(PanelButtons);
        b->setObjectName(QLatin1String(name));
        b->setIcon(ravoIcon(QLatin1String(icon)));
        b->setGeometry(left, 0, 38, 28);
        return b;
    };
    MoveDown = button("MoveDown", "movedown", 0);
    MoveUp = button("MoveUp", "moveup", 38);
    resize(76, 28);
}
