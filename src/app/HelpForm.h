#pragma once
// The about window: names the program and its version and opens the user's guide.
#include <QWidget>

#include <QString>

class QLabel;
class QPushButton;
class WindowSet;

// Who makes Ravo and where to tell about a fault, one line each under the version.
inline constexpr const char* AboutContacts[] = {
    "Tekijä: Tervaso",
    "Kotisivu: https://ravo.tervaso.example",
    "Vikailmoitukset: https://ravo.tervaso.example/viat",
};

// The about text: "Ravo v" and the version, an empty line, then the contact lines.
QString aboutText(const QString& version);

class THelpForm : public QWidget {
    Q_OBJECT
public:
    explicit THelpForm(WindowSet& ws);

    QLabel* Image1 = nullptr;
    QLabel* Info = nullptr;
    QPushButton* DoClose = nullptr;
    QPushButton* DoHelp = nullptr;

    // Names the running program file's version; run at every showing.
    void FormShow();
    // Opens the user's guide beside the program with the system's program for it.
    void DoHelpClick();
    void DoCloseClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    WindowSet& ws;
};
