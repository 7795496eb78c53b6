#pragma once
// The tool library: browses the tools folder, brings tools and designs onto the screen,
// and lists the tools now on the screen, which it saves as a design and opens again.
#include "tools/LibraryLogic.h"

#include <QIcon>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QSlider;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class RadioGroup;
class TOpenPictureDialog;
class TOsoitin;
class TRotateImage;
class WindowSet;

class TFilesForm : public QWidget {
    Q_OBJECT
public:
    explicit TFilesForm(WindowSet& ws);

    QTabWidget* Book = nullptr;
    QWidget* BookPage1 = nullptr;
    QWidget* BookPage2 = nullptr;

    // The first page, "Haku".
    QGroupBox* Tool = nullptr;
    QToolButton* ChooseTools = nullptr;
    QToolButton* DoDeleteFile = nullptr;
    TRotateImage* Image = nullptr;
    QTreeWidget* FileList = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* NewFolder = nullptr;
    QToolButton* DoNewFolder = nullptr;
    // Row pictures: 0 folder, 1 tool, 2 design.
    QList<QIcon> ImageList;
    TOpenPictureDialog* OpenPictureDialog = nullptr;

    // The second page, "Sommitelma".
    QWidget* PanelDesign = nullptr;
    QToolButton* DoRefresh = nullptr;
    QLineEdit* DesignName = nullptr;
    QToolButton* DoSave = nullptr;
    QGroupBox* GroupTools = nullptr;
    QToolButton* DoShowDesignTool = nullptr;
    QListWidget* List = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QToolButton* DoSetAllSamePoint = nullptr;
    QToolButton* DoPaintAll = nullptr;
    QToolButton* DoDelete = nullptr;
    QGroupBox* Item = nullptr;
    QSlider* WorkAlpha = nullptr;
    RadioGroup* Others = nullptr;
    // The lines of the design being written or read.
    QStringList Memo;

    // The folder now listed, ending with a separator.
    QString ToolsFolder;
    // Where a tool from the library slides to, fixed when the window is made.
    int DefXpos = 0;
    int DefYpos = 0;
    // The slide now being made: its target, the distance left and the step. A slide
    // started meanwhile takes them over; the tool sliding is the surface's ToolForm.
    int Xanipos = 0;
    int Yanipos = 0;
    int Distance = 0;
    int Delta = 0;
    // Where this window's messages appear.
    int Xmespos = 0;
    int Ymespos = 0;
    // The design last opened, the tool chosen for the slider, the tool being worked on,
    // and the rows of a drag in the tool list.
    QString CurrentDesign;
    int ValId = 0;
    QPointer<TOsoitin> ChosenForm;
    int StartRow = -1;
    int EndRow = -1;

    void FormCreate();
    void FormShow();
    void BookChange(int index);
    void GetPosition();

    // The folder's listing.
    void FindFiles();
    void AddFileToList(const QString& TheFile, bool folder);
    int FileListGetImageIndex(const LibraryRow& row) const;
    void FileListClick();
    void FileListDblClick();
    void ChooseToolsClick();
    void DoNewFolderClick();
    void DoDeleteFileClick();
    // The row of a list entry as the library reads it back.
    static LibraryRow rowOf(const QTreeWidgetItem* item);

    // A picture into Image, and a tool of it sliding to (Xanipos, Yanipos).
    void LoadPicture(const QString& ImageName);
    void ShowTool(const QString& PicName, int Alpha);

    // The on-screen tool list.
    void GetTools();
    int ToolsCount() const;
    TOsoitin* GetFormById(int Id) const;
    void FindRowById(int Id);
    void DeleteTools();
    void DoAll(const QString& What, bool Forced = false);
    void ListClick();
    void ListMouseDown(int row);
    bool ListDragOver(int row);
    void ListDragDrop();
    void ListKeyUp(int key);
    void DoShowDesignToolClick();
    void DoDeleteClick() { DoAll(QStringLiteral("DELETE")); }
    void DoPaintAllClick() { DoAll(QStringLiteral("PAINT")); }
    void DoSetAllSamePointClick() { DoAll(QStringLiteral("SETPOINT")); }
    void WorkAlphaChange();

    // Designs. A typed character enters the name when it is a name character; Backspace
    // and Enter pass; any other becomes the character code 1, which inserts nothing.
    static QChar DesignNameKeyPress(QChar Key);
    void DoSaveClick();
    void DoRefreshClick();
    void OpenDesign(const QString& DesFile);

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildSearchPage();
    void buildDesignPage();
    // The id of a row of the tool list, 0 when it names none.
    int rowId(int row) const;
    // Where a list view's viewport event is, as a row; -1 off the rows.
    int listRowAt(QPoint p) const;
    bool listViewportEvent(QEvent* e);
    // One step of DoAll on the chosen tool; `first` tells the first one met.
    void setPointStep(bool first);
    void paintStep(bool first);
    void deleteStep(bool first);
    // A design's picture, asked for when no file of its name is there; false when the
    // user gives none.
    bool designPictureFound(QString& picture);

    WindowSet& ws;
    // The listing being gathered, and a count that tells a listing started meanwhile.
    std::vector<LibraryRow> m_rows;
    int m_listing = 0;
    QPoint m_setPoint;
    QPoint m_pressAt;
    bool m_dragging = false;
};
