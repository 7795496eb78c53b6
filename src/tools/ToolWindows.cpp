#include "tools/ToolWindows.h"

#include "app/WindowSet.h"
#include "surface/Form1.h"
#include "tools/Osoitin.h"
#include "tools/RotImg.h"

#include <cmath>

void ToolWindows::add(TOsoitin* tool) {
    m_tools.removeIf([](const QPointer<TOsoitin>& t) { return t.isNull(); });
    m_tools.append(tool);
}

QList<TOsoitin*> ToolWindows::tools() const {
    QList<TOsoitin*> live;
    for (const QPointer<TOsoitin>& t : m_tools)
        if (t) live.append(t.data());
    return live;
}

TOsoitin* ToolWindows::byTag(int tag) const {
    for (TOsoitin* t : tools())
        if (t->Tag == tag) return t;
    return nullptr;
}

void ToolWindows::destroyAll() {
    for (TOsoitin* t : tools())
        delete t;
    m_tools.clear();
}

TOsoitin* makeToolWindow(WindowSet& ws, const NewTool& made) {
    TForm1* surface = ws.Form1;
    auto* tool = new TOsoitin(ws);
    // Owned by the surface, so the window manager keeps it above the surface as it keeps
    // the surface's other windows, and it goes with the surface.
    tool->setParent(surface, tool->windowFlags());
    surface->toolWindows.add(tool);
    surface->ToolForm = tool;
    tool->setWindowOpacity(made.alpha / 255.0);
    tool->resize(made.side, made.side);
    // Emptied first, so that the template's picture is not turned for the new size.
    tool->Image1->SetPicture(TPicture());
    tool->Image1->setGeometry(made.pictureRect);
    tool->Image1->SetPicture(TPicture::fromBitmap(made.picture));
    tool->Hint = QStringLiteral("0");
    ++surface->FormId;
    tool->setObjectName(QStringLiteral("Apu") + QString::number(surface->FormId));
    tool->setWindowTitle(made.caption);
    tool->Tag = surface->FormId;
    surface->ActiveForm = tool;
    return tool;
}

void showToolWindow(TOsoitin* tool, QPoint offScreen) {
    tool->move(offScreen);
    tool->show();
    tool->repaint();
    // Said once more now that the window is on the screen: a compositor that began to watch
    // the window only after it was mapped still learns its opacity.
    tool->setWindowOpacity(tool->windowOpacity());
}

int toolOpacity(const QWidget* window) {
    return int(std::lround(window->windowOpacity() * 255));
}
