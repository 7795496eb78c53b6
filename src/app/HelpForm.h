#pragma once
// The about window: names the program and its version and opens the user's guide.
#include <QWidget>

class QLabel;
class QPushButton;
class WindowSet;

class THelpForm : public QWidget {
    Q_OBJECT
public:
    explicit THelpForm(WindowSet& ws);

    QLabel* Image1 = nullptr;
    QLabel* Info = nullptr;
    QPushButton* DoClose = nullptr;
    QPushButton* DoHelp = nullptr;

    void DoCloseClick();

private:
    WindowSet& ws;
};
