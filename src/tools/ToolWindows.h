#pragma once
// The tool windows on the screen, in the order they were made. The list holds guarded
// pointers, so a window destroyed by any path (its own delete, a design opened, the curtain
// item, the surface going) drops out of it by itself and leaves no dangling reference.
#include <QList>
#include <QPointer>

class TOsoitin;

class ToolWindows {
public:
    // A new tool window, at the end of the list.
    void add(TOsoitin* tool);
    // The live tool windows, oldest first.
    QList<TOsoitin*> tools() const;
    // The tool with this Tag, or null.
    TOsoitin* byTag(int tag) const;
    // Destroys every tool window.
    void destroyAll();

private:
    QList<QPointer<TOsoitin>> m_tools;
};
