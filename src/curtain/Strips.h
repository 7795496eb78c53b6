#pragma once
// The four curtain strips: plain silver windows that cover the screen around the frame.
// They carry no controls and take no part in input; the frame sizes and shows them.
#include <QWidget>

class WindowSet;

class TCurtainStrip : public QWidget {
    Q_OBJECT
public:
    enum class Edge { Left, Right, Top, Bottom };

    TCurtainStrip(WindowSet& ws, Edge edge, const char* name);

    Edge edge() const { return m_edge; }

    // Docks the strip to its edge of the work area.
    void FormCreate();
    // Puts the strip where the frame wants it; a strip of no size shows nothing.
    void place(const QRect& r);

protected:
    WindowSet& ws;

private:
    Edge m_edge;
};

class TLeftCurtain : public TCurtainStrip {
    Q_OBJECT
public:
    explicit TLeftCurtain(WindowSet& ws);
};

class TRightCurtain : public TCurtainStrip {
    Q_OBJECT
public:
    explicit TRightCurtain(WindowSet& ws);
};

class TTopCurtain : public TCurtainStrip {
    Q_OBJECT
public:
    explicit TTopCurtain(WindowSet& ws);
};

class TBottomCurtain : public TCurtainStrip {
    Q_OBJECT
public:
    explicit TBottomCurtain(WindowSet& ws);
};
