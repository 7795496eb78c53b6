#pragma once
// The tool library on a fresh window set: its tools folder, pictures written into it, the
// rows it lists, and the messages and file dialogs of an action answered as a user does.
#include "aids/OptionsForm.h"
#include "app/MesForm.h"
#include "app/Palette.h"
#include "gfx/Picture.h"
#include "tools/FilesForm.h"
#include "tools/Osoitin.h"
#include "tools/ToolWindows.h"
#include "window/test_drawing_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTimer>
#include <QTreeWidget>

#include <cmath>

class LibraryTest : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        library = ws->FilesForm;
        // No waits between the steps of a slide.
        ws->OptionsForm->Speed->setValue(100);
        top = palette->folders.ToolsFolder;
    }
    void TearDown() override { library->hide(); }

    // A w x h picture of one colour with a white border row, in the format its name says.
    static QString writePicture(const QString& path, QColor colour = QColor(20, 40, 160),
                                QSize size = QSize(40, 30)) {
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        for (int x = 0; x < size.width(); ++x)
            img.setPixel(x, 0, 0xFFFFFFFF);
        QDir().mkpath(QFileInfo(path).path());
        gfx::savePicture(img, path,
                         gfx::pictureFormatForName(path).value_or(gfx::PictureFormat::Bmp));
        return path;
    }
    static void writeFile(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // The captions of the listed rows, with their kinds: "D:Kartat", "F:kartta".
    QStringList rows() const {
        QStringList out;
        for (int i = 0; i < library->FileList->topLevelItemCount(); ++i) {
            const LibraryRow r = TFilesForm::rowOf(library->FileList->topLevelItem(i));
            out << QString(r.kind) + u':' + r.caption;
        }
        return out;
    }
    QTreeWidgetItem* row(const QString& caption) const {
        for (int i = 0; i < library->FileList->topLevelItemCount(); ++i)
            if (library->FileList->topLevelItem(i)->text(0) == caption)
                return library->FileList->topLevelItem(i);
        return nullptr;
    }
    // Chooses the rows with these captions alone, the first one focused.
    void choose(const QStringList& captions) {
        library->FileList->clearSelection();
        for (const QString& c : captions) {
            QTreeWidgetItem* item = row(c);
            ASSERT_NE(item, nullptr) << c.toStdString();
            if (c == captions.first()) library->FileList->setCurrentItem(item);
            item->setSelected(true);
        }
    }

    QList<TOsoitin*> tools() const { return f->toolWindows.tools(); }
    static int opacity(const QWidget* w) { return toolOpacity(w); }

    TFilesForm* library = nullptr;
    QString top;
};
