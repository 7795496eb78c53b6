#pragma once
// The one message dialog: a notice with one button or a yes/no question, always shown
// exactly where the caller asks.
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class WindowSet;

class TMesForm : public QDialog {
    Q_OBJECT
public:
    explicit TMesForm(WindowSet& ws);

    enum Result { ResultYes = 1, ResultNo = 7, ResultClosed = 2 };

    QLabel* Information = nullptr;
    QLabel* Warning = nullptr;
    QPlainTextEdit* Info = nullptr;
    QPushButton* Ok = nullptr;
    QPushButton* No = nullptr;

    void ShowInfo(const QString& text, int left, int top);
    int AskQuestion(const QString& text, int left, int top);
    void SetMessageKind(const QString& kind);

    void reject() override; // the close box and Escape answer 2

private:
    int showAt(const QString& text, int left, int top, const QString& kind);
};

// Rounds to the nearest integer, halves to the even neighbour.
int roundHalfEven(double v);
