#include "tools/ToolWindows.h"

#include "tools/Osoitin.h"

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
