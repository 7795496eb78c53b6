#pragma once
// The pen-width picker: the widths 1 to 30 as a grid of numbers. A choice goes to the pen
// in force (the dot pen while the dot shape is chosen) and the window hides itself.
#include <QWidget>

class QTableWidget;
class WindowSet;

class TNumbers : public QWidget {
    Q_OBJECT
public:
    explicit TNumbers(WindowSet& ws);

    QTableWidget* Num = nullptr;

    void FormCreate();
    // Makes the cell of `n` current and shows it on the palette; other numbers change nothing.
    void FindCell(int n);
    // The current cell was chosen, by pointer, keyboard or FindCell.
    void NumClick();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    WindowSet& ws;
    int m_pressedRow = -1, m_pressedCol = -1;
};
