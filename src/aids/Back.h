#pragma once
// The grid window: a full-screen window under the surface that carries the grid and the
// pointer guide lines. White is keyed out, so only the lines show (at a low opacity) and
// only they take the pointer.
#include <QWidget>

class QFrame;
class WindowSet;

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

    // Shows or hides the grid, and the eight guide lines together.
    void setGridVisible(bool visible);
    void setPosLinesVisible(bool visible);
    // Keys out everything but the shown grid and guide lines; run after they change.
    void updateMask();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QFrame* guideLine(const char* name, bool horizontal);

    WindowSet& ws;
};
