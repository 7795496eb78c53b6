#pragma once
// The file dialogs for pictures. They are Qt's own dialog, not the system's, so that they
// speak Finnish through Qt's translations wherever Ravo runs, and the open dialog can show
// a preview of the picture under the cursor beside its file list.
#include <QFileDialog>

class QLabel;

class TPictureFileDialog : public QFileDialog {
    Q_OBJECT
public:
    // `filter` as "description|pattern|...", `name` the dialog's design name.
    TPictureFileDialog(QWidget* parent, AcceptMode mode, const QString& filter, const char* name);

    // The choice, as Execute leaves it; FilterIndex counts the filter entries from 1 and
    // is kept from one run to the next, as the user left it.
    QString InitialDir;
    QString FileName;
    int FilterIndex = 1;

    // Runs the dialog; true when the user confirmed a file.
    bool Execute();
};

class TSavePictureDialog : public TPictureFileDialog {
    Q_OBJECT
public:
    TSavePictureDialog(QWidget* parent, const QString& filter, const char* name)
        : TPictureFileDialog(parent, AcceptSave, filter, name) {}
};

class TOpenPictureDialog : public TPictureFileDialog {
    Q_OBJECT
public:
    TOpenPictureDialog(QWidget* parent, const QString& filter, const char* name);

    // The preview pane and its caption, for the tests.
    QLabel* Preview = nullptr;
    QLabel* PreviewCaption = nullptr;

private:
    void showPreview(const QString& path);
};
