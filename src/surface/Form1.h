#pragma once
// The drawing surface: a borderless window over the whole screen, see-through at a
// constant opacity, on whose canvas everything is drawn. Its picture lives only here.
#include "gfx/Canvas.h"
#include "gfx/PointerMode.h"
#include "surface/Geometry.h"
#include "surface/Shapes.h"
#include "surface/Stroke.h"
#include "surface/UndoHistory.h"
#include "tools/Osoitin.h"
#include "tools/ToolWindows.h"

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>

class QAction;
class QMenu;
class WindowSet;
class TOpenPictureDialog;
class TSavePictureDialog;

// The buttons and modifier keys held at a pointer event, as the handlers read them.
struct TShiftState {
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers keys;
};

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(WindowSet& ws);
    // Every tool window goes with the surface, also one that is not its child.
    ~TForm1() override;

    // The drawing itself; repainting the window shows it and never erases it.
    gfx::Canvas Canvas;

    // Hidden pictures.
    //
    // Image1, the work picture: while a snapshot is taken, the surface as it was before the
    // change (then shared with the slot it went into, and with the stroke's starting
    // picture); while an undo runs, the slot it restores; while the draw state is off, the
    // drawing hidden with the surface; after CaptureRect, the whole screen as displayed.
    gfx::Canvas Image1;
    // The undo history, and its three slots under their own names: Arc1Image is the newest
    // snapshot, Arc3Image the oldest; each is empty until a snapshot is stored there.
    UndoHistory History;
    gfx::Canvas& Arc1Image = History.slot(1);
    gfx::Canvas& Arc2Image = History.slot(2);
    gfx::Canvas& Arc3Image = History.slot(3);
    // The cutting mask: white with the black outline, only while a cut is made.
    gfx::Canvas Kopio;
    // After CaptureRect, the captured rectangle; while the magnifier is shown, the screen
    // around the pointer; between switching the draw state off and on, the hidden drawing.
    gfx::Canvas CopyImage;
    gfx::Canvas Nuoli;
    gfx::Canvas ZoomBitmap;

    // Stroke state.
    bool Drawing = false;
    bool ShiftIsDown = false;
    bool CtrlIsDown = false;
    int Xa = 0, Ya = 0, Xm = 0, Ym = 0;
    int MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;
    int MinXRaja = 0, MinYRaja = 0, MaxXRaja = 0, MaxYRaja = 0;
    int AxelMinX = 0, AxelMinY = 0, AxelMaxX = 0, AxelMaxY = 0;
    int Xka = 0, YKa = 0;
    int Xle = 0, Yle = 0, LeCount = 0;
    int Xmespos = 0, Ymespos = 0;
    int CaptionHeight = 0;
    // The tools on the screen; the active one (last made, pressed or chosen in the list) and
    // the last one CreateTool made. Both become empty when their window is destroyed.
    ToolWindows toolWindows;
    QPointer<TOsoitin> ActiveForm;
    QPointer<TOsoitin> ToolForm;
    int FormId = 0;
    int Factor = 100;

    // The cut-out menu, offered when a cutting outline is complete.
    QMenu* PopupMenu = nullptr;
    QAction* MenuSave = nullptr;
    QAction* MenuCopy = nullptr;
    QAction* MenuCut = nullptr;
    QAction* MenuClear = nullptr;
    QAction* MenuWorkTemp = nullptr;
    QAction* MenuWork = nullptr;
    QAction* MenuCancel = nullptr;
    // The right button's menu.
    QMenu* PopupMenuMbRight = nullptr;
    QAction* MenuMbRighPastePoint = nullptr;
    QAction* MenuZoom = nullptr;
    QAction* MenuMbRighCancel = nullptr;
    // The picture dialogs of the palette's open and save and of the cut-out's save.
    TOpenPictureDialog* OpenPictureDialog = nullptr;
    TSavePictureDialog* SavePictureDialog = nullptr;
    // The save of a cut-out made a tool in the tools folder: Jpeg or Bitmap.
    TSavePictureDialog* SavePictureDialog2 = nullptr;

    void FormCreate();
    void FormDblClick();
    void GetPosition();
    void InitBounds();
    void TestBounds(int X, int Y);
    // A fresh white cutting mask with a black width-1 pen.
    void InitKopio();
    // Throws a cutting outline away: the palette's undo.
    void ClearFrame();
    // One step of the square eraser the pointer shape names.
    void Erase(int X, int Y);

    // Press, drag and release on the surface (or on the grid window, which passes them on),
    // and the keys; coordinates are surface pixels.
    void FormMouseDown(Qt::MouseButton Button, TShiftState Shift, int X, int Y);
    void FormMouseMove(TShiftState Shift, int X, int Y);
    void FormMouseUp(Qt::MouseButton Button, TShiftState Shift, int X, int Y);
    void FormKeyDown(int Key, Qt::KeyboardModifiers Shift);
    void FormKeyUp(int Key, Qt::KeyboardModifiers Shift);

    // One move of a stroke: the previous rubber band goes and the new one is drawn, or a
    // free line goes on. The line, rectangle, circle and axes write their read-outs.
    void DrawFreeLine(int X, int Y);
    void DrawLine(int X, int Y);
    void DrawRectangle(int X, int Y);
    void DrawRoundRect(int X, int Y);
    void DrawEllipse(int X, int Y);
    void DrawCircle2(int X, int Y);
    void DrawRegularPolygon(int X, int Y);
    void DrawAxes(int X, int Y);
    // An arrow head at (X, Y) on the line from (Xbeg, Ybeg), with the current pen.
    void DrawLineArrow(int Xbeg, int Ybeg, int X, int Y);

    // An undo snapshot of the whole surface, taken before anything changes it.
    void Archieve();

    // The screen as displayed (the palette, this see-through window and whatever is on top
    // included) into Image1, and its rectangle from (rLeft, rTop) to (rRight, rBottom), right
    // and bottom excluded, into CopyImage: CopyImage's pixel (x - rLeft, y - rTop) is the
    // screen's pixel (x, y); what lies off the screen is white. The clipboard is not touched.
    // The screen is read as it is at once; after a change of it, showScreenNow comes first.
    void CaptureRect(int rLeft, int rTop, int rRight, int rBottom);
    // Turns the outlined region into CopyImage and, by the mode ("OUTSIDE", "INSIDE",
    // "BOTH"), whitens parts of it and of the surface. The unmasked frame goes to the
    // clipboard on the way.
    void DrawBounds(const QString& mode);
    // The cut-out menu.
    void MenuSaveClick();
    void MenuCopyClick();
    void MenuCutClick();
    void MenuClearClick();
    void MenuCancelClick();
    // "Työkaluksi": the cut-out becomes a tool window; "Työkaluksi valikkoon": also a file
    // of the tools folder.
    void MenuWorkTempClick();
    void MenuWorkClick();
    // A tool window of CopyImage's picture, placed over the frame it was cut from.
    void CreateTool(const QString& ToolName);
    // CreateTool once its question is answered: whiteGrabbable keeps the white inside the
    // picture as a surface to take hold of.
    void makeTool(const QString& ToolName, bool whiteGrabbable);
    // The right button's "Liitä": the clipboard's picture at (X, Y), white see-through.
    void MenuMbRighPastePointClick(int X, int Y);
    // Lets the screen show what was just drawn, shown or hidden, before it is read.
    void showScreenNow();
    // The right button's "Zoomaa": opens the magnifier at the last stroke's anchor, or closes it.
    void MenuZoomClick();
    // Places the magnifier beside the pointer.
    void SetZoomerPos(int X, int Y);
    // The magnifier follows the pointer and shows the screen around it enlarged.
    void RefreshZoomer(int X, int Y);

    // The pointer shape, which doubles as the surface's mode.
    PointerMode cursorId() const { return m_cursorId; }
    void setCursorId(PointerMode id);

    // Whole-window opacity, 2..255.
    void setAlpha(int alpha);
    int alpha() const { return m_alpha; }

    // Shows the canvas again after it was changed in the given part.
    void canvasChanged(const QRect& r);
    void canvasChanged(const QRegion& r);
    void canvasChanged() { update(); }

    // What the window has repainted since this was last asked.
    QRegion takePaintedRegion();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenus();
    void connectCutOutMenus();
    void putOnClipboard(const gfx::Canvas& picture);
    bool displayShown() const;
    void showReadout(const QString& text);
    bool textArmed() const;
    void placeText(int X, int Y);
    void pickColour(int X, int Y);
    void areaFill(int X, int Y);
    void paletteTakesFocus();
    // Release: the final figure of the shape that is down, and the cutting steps; the
    // latter say whether the handling goes on.
    void drawFinalShape(int X, int Y, ChangedArea& area);
    bool cuttingSteps(int X, int Y, ChangedArea& area);
    // The final figures; those that fill say so.
    void finalDot(ChangedArea& area);
    bool finalCircle(int X, int Y, ChangedArea& area);
    bool finalEllipse(int X, int Y, ChangedArea& area);
    bool finalBox(ChangedArea& area);
    bool finalPolygon(int X, int Y, ChangedArea& area);
    void finalLine(int X, int Y, ChangedArea& area);
    void keepAxesBounds(const AxesLayout& axes);
    // Rubber bands.
    void previewTo(Figure figure, QPoint end);
    void removeShownPreview(ChangedArea& area);
    // The preview drawn once more in copy mode as part of the drawing, and in the mask.
    void keepPreview(const Preview& p, ChangedArea& area);
    void lineOnSurfaceAndMask(QPoint a, QPoint b, ChangedArea& area);
    void setBounds(std::initializer_list<QPoint> points);
    ChangedArea changedArea() const;

    WindowSet& ws;
    PointerMode m_cursorId = PointerMode::Default;
    int m_alpha = 150;

    // A left press began what the release is to finish.
    bool m_pressed = false;
    // The selector's choices for the stroke, as its press read them.
    StrokeSettings m_stroke;
    ShapeOptions m_options;
    Preview m_preview;
    // The surface as the stroke's snapshot took it; shares the snapshot's pixels.
    QImage m_strokeBase;
    QRegion m_painted;
    // Where the right button's menu was opened.
    QPoint m_menuPoint;
};
