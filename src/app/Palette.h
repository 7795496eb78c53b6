#pragma once
// The palette: the narrow always-on-top column of buttons that runs the whole program.
// It holds the pens, the folders and the draw state, and `Settings` is the one place
// that copies the pen and font choices onto the surface's canvas.
#include "app/Folders.h"
#include "gfx/Canvas.h"

#include <QWidget>

class QMenu;
class QAction;
class QToolButton;
class WindowSet;
class Panel;
class QPrinter;

class TPalette : public QWidget {
    Q_OBJECT
public:
    explicit TPalette(WindowSet& ws);

    // State read and written by the other windows.
    bool Loading = true;
    bool Capturing = false;
    int PaletteHeight = 0; // the layout's full height (without the caption bar)
    // The undo cursor, which the surface's history owns.
    int& ImageIndex;
    int LinePenWidth = 3;
    gfx::Color LinePenColor = 0;
    int DotPenWidth = 10;
    gfx::Color DotPenColor = 0;
    gfx::Color PaletteColor = 0;
    Folders folders;

    // Controls, from the top down.
    QWidget* PanelTop = nullptr;
    QToolButton* DoDocument = nullptr;
    QToolButton* DoTop = nullptr;
    Panel* PanelPenWidth = nullptr;
    QToolButton* DoShowDrawMenu = nullptr;
    QToolButton* Scissors = nullptr;
    QToolButton* DoText = nullptr;
    QToolButton* DoFill = nullptr;
    Panel* PanelColor = nullptr;
    QToolButton* DoArrow = nullptr;
    QToolButton* Sponge = nullptr;
    QToolButton* DoCancel = nullptr;
    QToolButton* DoClear = nullptr;
    QToolButton* DoCamera = nullptr;
    QToolButton* DoPrint = nullptr;
    QToolButton* DoOpen = nullptr;
    QToolButton* DoSave = nullptr;
    QToolButton* DoShowOptions = nullptr;
    QToolButton* DoShowInfo = nullptr;
    Panel* DoSetState = nullptr;
    QToolButton* DoShowPalette = nullptr;
    QToolButton* DoClose = nullptr;

    QMenu* PopupCurtain = nullptr;
    QAction* MenuCurtain1 = nullptr;
    QAction* MenuCurtainForm = nullptr;
    QAction* MenuCurtainCancel = nullptr;

    bool drawStateOn() const;

    void Settings();
    // A colour chosen in the colour picker or picked from the screen becomes the current
    // colour and the colour of the pen in force.
    void ChooseColor(gfx::Color c);
    void SetCursor();
    void WriteSettings();

    void DoDocumentClick();
    void DoTopClick();
    void PanelPenWidthClick();
    void DoShowDrawMenuClick();
    void ScissorsClick();
    void DoTextClick();
    void DoFillClick();
    void PanelColorClick();
    void DoArrowClick();
    void SpongeClick();
    void DoShowOptionsClick();
    void DoShowInfoClick();
    void DoSetStateClick();
    void DoShowPaletteClick();
    void DoCloseClick();
    void MenuCurtain1Click();
    void MenuCurtainFormClick();

    // Undo: restores a snapshot; "CHANGEINDEX" also moves the cursor back. See UndoHistory.
    void GetPrevPicture(const QString& mode);
    void DoCancelClick();
    // Clears the surface to its plain background, keeping the drawing as an undo snapshot.
    void DoClearClick();

    // Pictures in and out: a picture file onto the surface, the screen into a file or onto
    // the printer, the screen's background onto the surface.
    void DoOpenClick();
    void DoSaveClick();
    void DoPrintClick();
    void DoCameraClick();
    // The printing after the dialog: in opaque mode the drawing, otherwise the screen
    // without the palette, stretched over a landscape page.
    void PrintTo(QPrinter& printer);

    // The surface's drawing to and from a picture.
    void MoveFormToBitmap(gfx::Canvas& picture);
    void MoveBitmapToForm();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildControls();
    void connectPictureButtons();
    // The palette goes off the screen for a capture of it, and comes back as it was.
    void hideForCapture();
    void showAfterCapture();
    void FormCreate();
    void FormShow();
    void runStartup();
    void handOverUpdate();
    // Places a window beside the palette, at the given height, and shows it.
    void showBeside(QWidget* w, int top);
    // The screen height of one of the palette's controls.
    int topOf(const QWidget* control) const;
    int bottomTop(int outerHeight) const;

    WindowSet& ws;
};
