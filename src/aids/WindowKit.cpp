#include "aids/WindowKit.h"

#include "app/Palette.h"
#include "app/WindowSet.h"

#include <QEvent>
#include <QWidget>

namespace {

class HintEater : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::ToolTip; }
};

} // namespace

void setHint(QWidget* w, const QString& hint) {
    w->setToolTip(hint);
    w->setAccessibleName(hint);
}

void suppressHints(QWidget* window) {
    auto* eater = new HintEater(window);
    window->installEventFilter(eater);
    for (QWidget* child : window->findChildren<QWidget*>())
        child->installEventFilter(eater);
}

bool paletteLoading(const WindowSet& ws) {
    return ws.Palette == nullptr || ws.Palette->Loading;
}
