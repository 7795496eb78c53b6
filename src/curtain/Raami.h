#pragma once
// The curtain frame: a faint, movable, resizable opening; the four strips cover the
// screen around it.
#include <QWidget>

class WindowSet;

class TRaami : public QWidget {
    Q_OBJECT
public:
    explicit TRaami(WindowSet& ws);

    // Sizes, places and shows or hides the four strips around the frame.
    void SetCurtains();
    void FormShow();

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

private:
    // Keeps the outer size at least 340x280 whatever the frame decorations take.
    void keepMinimumOuterSize();

    WindowSet& ws;
};
