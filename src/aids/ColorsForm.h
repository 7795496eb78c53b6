#pragma once
// The colour picker: sixteen fixed colours and a button that picks a colour from the
// screen. A choice becomes the current colour and the colour of the pen in force.
#include "gfx/Color.h"

#include <QWidget>

class QPushButton;
class WindowSet;

// The four by four colour cells with their grid lines; it reports presses and clicks and
// paints each cell in its colour.
class ColorGrid : public QWidget {
    Q_OBJECT
public:
    explicit ColorGrid(QWidget* parent = nullptr);

signals:
    void mouseDown(int x, int y);
    // A press on the grid was released over it.
    void clicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool m_pressed = false;
};

class TColorsForm : public QWidget {
    Q_OBJECT
public:
    explicit TColorsForm(WindowSet& ws);

    ColorGrid* Colors = nullptr;
    QPushButton* DoPick = nullptr;

    // The cell last pressed.
    int PenCol = 0;
    int PenRow = 0;
    // The line pen's colour as start-up read it; the settings file keeps it as "Color".
    gfx::Color PenColor = gfx::Black;

    void ColorsMouseDown(int x, int y);
    void ColorsClick();
    void DoPickClick();

private:
    WindowSet& ws;
};
