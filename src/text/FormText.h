#pragma once
// The text window: the user types text here and a click on the surface stamps it there.
// It also holds the font name and size that the surface writes all text in.
#include <QWidget>

class QCheckBox;
class QSyntaxHighlighter;
class QComboBox;
class QTextEdit;
class WindowSet;

class TFormText : public QWidget {
    Q_OBJECT
public:
    explicit TFormText(WindowSet& ws);

    QWidget* PanelTop = nullptr;
    QCheckBox* DoKeepText = nullptr;
    QCheckBox* DoRepeatText = nullptr;
    QComboBox* FontSize = nullptr;
    QComboBox* FontName = nullptr;
    QTextEdit* Editor = nullptr;

    // The user has turned to this window since its text was last placed.
    bool Visited = false;

    void FormCreate();
    void FormShow();
    void FormClose();
    void FontNameChange();
    void FontSizeClick();
    void DoKeepTextClick();
    void EditorClick();
    // Web addresses in the editor are underlined and open with a press of the left button.
    void InitRichEditURLDetection();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void fontChosen();
    // The panel along the top, the editor filling the rest.
    void layoutControls();
    // The address under the editor's point `at`, chosen and opened with the system's handler
    // for it; false when no address lies there.
    bool openLinkAt(QPoint at);

    QSyntaxHighlighter* Links = nullptr;
    WindowSet& ws;
};
