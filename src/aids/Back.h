#pragma once
// The grid window: a full-screen window under the surface that carries the grid and the
// pointer guide lines. White is keyed out, so only the lines show (at a low opacity) and
// only they take the pointer.
#include "surface/Form1.h"

#include <QRect>
#include <QRegion>
#include <QSize>
#include <QWidget>

#include <array>

class QFrame;
class WindowSet;

// Where the eight guide lines go for the pointer at (X, Y) in surface pixels, a surface pen
// of width `penWidth` and a surface caption `captionHeight` high: LineX1 .. LineX4, then
// LineY1 .. LineY4. They leave 12 pixels free on each side of the pointer and stand in pairs
// a pen width apart, framing a stroke; with width 1 each pair is one line. A line that would
// be less than nothing long is empty.
std::array<QRect, 8> guideLineRects(int X, int Y, int penWidth, int captionHeight, QSize screen);

// The grid: square cells with lines after each of them, the first column hidden so that
// the lines lie at multiples of the pitch (cell width + line width).
class GridControl : public QWidget {
    Q_OBJECT
public:
    explicit GridControl(QWidget* parent = nullptr);

    int cellWidth() const { return m_cellWidth; }
    int rowHeight() const { return m_rowHeight; }
    int lineWidth() const { return m_lineWidth; }
    int pitch() const;

    void setCellWidth(int w);
    void setRowHeight(int h);
    void setLineWidth(int w);

    // The pixels of the lines, in the grid's coordinates.
    QRegion lineRegion() const;

signals:
    void changed();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int m_cellWidth = 40;
    int m_rowHeight = 40;
    int m_lineWidth = 1;
};

class TBack : public QWidget {
    Q_OBJECT
public:
    explicit TBack(WindowSet& ws);

    GridControl* Grid = nullptr;
    QFrame* LineX1 = nullptr;
    QFrame* LineX2 = nullptr;
    QFrame* LineX3 = nullptr;
    QFrame* LineX4 = nullptr;
    QFrame* LineY1 = nullptr;
    QFrame* LineY2 = nullptr;
    QFrame* LineY3 = nullptr;
    QFrame* LineY4 = nullptr;

    void FormCreate();

    // The grid's pointer and key events go on to the surface unchanged: a press on a grid
    // line draws as a press on the surface would (both windows start at the screen origin).
    void GridMouseDown(Qt::MouseButton Button, TShiftState Shift, int X, int Y);
    void GridMouseMove(TShiftState Shift, int X, int Y);
    void GridMouseUp(Qt::MouseButton Button, TShiftState Shift, int X, int Y);
    void GridKeyDown(int Key, Qt::KeyboardModifiers Shift);
    void GridKeyUp(int Key, Qt::KeyboardModifiers Shift);

    // Moves the guide lines to the pointer at (X, Y).
    void DrawPosLines(int X, int Y);

    // Shows or hides the grid, and the eight guide lines together.
    void setGridVisible(bool visible);
    void setPosLinesVisible(bool visible);
    // Keys out everything but the shown grid and guide lines; run after they change.
    void updateMask();
    // What the window shows and where it takes the pointer: the shown lines, or a region
    // outside the window when none is shown.
    const QRegion& keyedRegion() const { return m_keyed; }

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    QFrame* guideLine(const char* name, bool horizontal);
    QPoint surfacePoint(const QMouseEvent* e) const;

    WindowSet& ws;
    // Set while the guide lines are being moved together: the mask follows once, after them.
    bool m_placingLines = false;
    QRegion m_keyed;
};
