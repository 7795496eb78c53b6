#include "aids/WindowKit.h"

#include "app/Errors.h"
#include "app/Palette.h"
#include "app/WindowSet.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
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

QAction* menuItem(QMenu* menu, const char* name, const QString& caption, bool checkable) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    a->setCheckable(checkable);
    return a;
}

void onTickedItemChosen(QAction* item, QObject* context, std::function<void()> handler) {
    QObject::connect(item, &QAction::triggered, context, [item, handler = std::move(handler)] {
        item->setChecked(!item->isChecked()); // undoes the toggle of the click
        reportingErrors(handler);
    });
}

namespace {

template <class Button>
Button* placedButton(const char* name, QWidget* parent, const QRect& place, const QString& hint) {
    auto* b = new Button(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(place);
    setHint(b, hint);
    return b;
}

} // namespace

QPushButton* flatPushButton(const char* name, const QString& caption, QWidget* parent,
                            const QRect& place, const QString& hint) {
    auto* b = placedButton<QPushButton>(name, parent, place, hint);
    b->setText(caption);
    b->setFlat(true);
    return b;
}

QToolButton* flatToolButton(const char* name, QWidget* parent, const QRect& place,
                            const QString& hint) {
    auto* b = placedButton<QToolButton>(name, parent, place, hint);
    b->setAutoRaise(true);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return b;
}
