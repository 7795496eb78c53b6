#pragma once
// The tool windows on the screen, in the order they were made. The list holds guarded
// pointers, so a window destroyed by any path (its own delete, a design opened, the curtain
// item, the surface going) drops out of it by itself and leaves no dangling reference.
#include <QImage>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>

class QWidget;
class TOsoitin;
class WindowSet;

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

// What a new tool window is made of.
struct NewTool {
    QImage picture;    // unturned
    int side = 0;      // of the square window
    QRect pictureRect; // the picture control's place in the window
    QString caption;
    int alpha = 0; // opacity 0..255
};
// A tool window made as every tool is: owned by the surface, kept in its list, the next id
// as its Tag and in its name "Apu<id>", in mode "0", the surface's active and last made
// tool. It is not shown yet.
TOsoitin* makeToolWindow(WindowSet& ws, const NewTool& tool);
// Shows a new tool at `offScreen`, so that it appears where it is then moved already drawn.
void showToolWindow(TOsoitin* tool, QPoint offScreen);
// A window's opacity as the tools hold it, 0..255.
int toolOpacity(const QWidget* window);
