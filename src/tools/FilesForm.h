#pragma once
// The tool library: browses the tools folder, brings tools and designs onto the screen,
// and lists the tools now on the screen.
#include <QString>
#include <QWidget>

class QTabWidget;
class TOsoitin;
class WindowSet;

class TFilesForm : public QWidget {
    Q_OBJECT
public:
    explicit TFilesForm(WindowSet& ws);

    QTabWidget* Book = nullptr;
    QWidget* BookPage1 = nullptr;
    QWidget* BookPage2 = nullptr;

    // The folder now listed, ending with a separator.
    QString ToolsFolder;
    // Where a tool from the library slides to, fixed when the window is made.
    int DefXpos = 0;
    int DefYpos = 0;
    // The slide now being made: its target, the distance left and the step.
    int Xanipos = 0;
    int Yanipos = 0;
    int Distance = 0;
    int Delta = 0;
    // The tool window last made from the library.
    TOsoitin* ToolForm = nullptr;
    // Where this window's messages appear.
    int Xmespos = 0;
    int Ymespos = 0;

    void FormCreate();
    // The list of the tools on the screen and the folder's listing; they fill once the
    // on-screen tool list is built.
    void GetTools() {}
    void FindFiles() {}

private:
    WindowSet& ws;
};
