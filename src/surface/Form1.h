#pragma once
// The drawing surface: a borderless window over the whole screen, see-through at a
// constant opacity, on whose canvas everything is drawn. Its picture lives only here.
#include "gfx/Canvas.h"

#include <QWidget>

class WindowSet;
class TOsoitin;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(WindowSet& ws);

    // The drawing itself; repainting the window shows it and never erases it.
    gfx::Canvas Canvas;

    // Hidden pictures.
    gfx::Canvas Image1;
    gfx::Canvas Arc1Image, Arc2Image, Arc3Image;
    gfx::Canvas Kopio;
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
    TOsoitin* ActiveForm = nullptr;
    TOsoitin* ToolForm = nullptr;
    int FormId = 0;
    int Factor = 100;

    void FormCreate();
    void FormDblClick();
    void GetPosition();
    void InitBounds();
    void TestBounds(int X, int Y);

    // An undo snapshot of the whole surface, taken before anything changes it.
    void Archieve();

    // The pointer shape, which doubles as a mode (0, -20, -21, -23 .. -26).
    int cursorId() const { return m_cursorId; }
    void setCursorId(int id);

    // Whole-window opacity, 2..255.
    void setAlpha(int alpha);
    int alpha() const { return m_alpha; }

    // Shows the canvas again after it was changed in the given rectangle.
    void canvasChanged(const QRect& r);
    void canvasChanged() { update(); }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    WindowSet& ws;
    int m_cursorId = 0;
    int m_alpha = 150;
};
