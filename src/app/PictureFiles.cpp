// The palette's buttons that move whole pictures between the surface and the world:
// opening a picture file, saving and printing the screen, and taking the background.
#include "app/Errors.h"
#include "app/MesForm.h"
#include "app/Palette.h"
#include "app/PaletteLogic.h"
#include "app/PictureDialogs.h"
#include "app/PictureFilesLogic.h"
#include "app/WindowGeometry.h"
#include "app/WindowSet.h"
#include "gfx/Picture.h"
#include "platform/Platform.h"
#include "surface/Form1.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QToolButton>

namespace {

// The format of a file to open: its extension names it; any other name is read by what
// its first bytes show, and a file that is none of the three is refused.
gfx::PictureFormat formatToOpen(const QString& fileName) {
    const QString e = fileExtension(fileName).toUpper();
    if (e == QLatin1String(".JPEG")) return gfx::PictureFormat::Jpeg;
    if (e == QLatin1String(".GIF")) return gfx::PictureFormat::Gif;
    if (e == QLatin1String(".BMP")) return gfx::PictureFormat::Bmp;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw RavoError(
            QStringLiteral("Tiedostoa %1 ei voi avata: %2").arg(fileName, file.errorString()));
    if (const auto format = pictureFormatOfContent(file.read(8))) return *format;
    throw RavoError(QStringLiteral("Tiedosto %1 ei ole bmp-, jpeg- eikä gif-kuva.").arg(fileName));
}

} // namespace

void TPalette::connectPictureButtons() {
    connect(DoOpen, &QToolButton::clicked, this, reporting(this, &TPalette::DoOpenClick));
    connect(DoSave, &QToolButton::clicked, this, reporting(this, &TPalette::DoSaveClick));
    connect(DoPrint, &QToolButton::clicked, this, reporting(this, &TPalette::DoPrintClick));
    connect(DoCamera, &QToolButton::clicked, this, reporting(this, &TPalette::DoCameraClick));
}

void TPalette::DoOpenClick() {
    TForm1* f = ws.Form1;
    TOpenPictureDialog* dialog = f->OpenPictureDialog;
    if (!dialog->Execute()) return;
    // Decoded first: a file that cannot be read leaves the surface and Image1 as they were.
    const QImage picture = gfx::loadPicture(dialog->FileName, formatToOpen(dialog->FileName));
    f->Image1.setImage(picture);
    MoveBitmapToForm();
}

void TPalette::DoSaveClick() {
    TForm1* f = ws.Form1;
    TSavePictureDialog* dialog = f->SavePictureDialog;
    dialog->InitialDir = folders.DataFolder;
    if (!dialog->Execute()) return;
    // The closed dialog must be off the screen when it is read.
    f->showScreenNow();
    const QSize screen = platform::screenSize();
    f->CopyImage.clear();
    f->Image1.clear();
    f->CaptureRect(0, 0, screen.width(), screen.height());
    const PictureTarget target = screenSaveTarget(dialog->FileName, dialog->FilterIndex);
    // BMP is written from the captured rectangle, the others from the whole screen; with a
    // capture of the whole screen the two are the same picture.
    const gfx::Canvas& picture =
        target.format == gfx::PictureFormat::Bmp ? f->CopyImage : f->Image1;
    std::exception_ptr failure;
    try {
        gfx::savePicture(picture.image(), target.fileName, target.format);
    } catch (...) {
        failure = std::current_exception();
    }
    f->CopyImage.clear();
    f->Image1.clear();
    if (failure) std::rethrow_exception(failure);
}

void TPalette::DoPrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    if (dialog.exec() != QDialog::Accepted) return;
    PrintTo(printer);
}

void TPalette::PrintTo(QPrinter& printer) {
    TForm1* f = ws.Form1;
    const QPageLayout::Orientation orientation = printer.pageLayout().orientation();
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter page;
    if (!page.begin(&printer)) {
        printer.setPageOrientation(orientation);
        throw RavoError(QStringLiteral("Tulostusta ei voi aloittaa."));
    }
    const QRect pageRect(0, 0, printer.width(), printer.height());
    if (DoDocument->isChecked()) {
        MoveFormToBitmap(f->Image1);
        page.drawImage(pageRect, f->Image1.image());
    } else {
        const QSize screen = platform::screenSize();
        hideForCapture();
        f->CaptureRect(0, 0, screen.width(), screen.height());
        page.drawImage(pageRect, f->CopyImage.image());
        showAfterCapture();
    }
    page.end();
    printer.setPageOrientation(orientation);
}

void TPalette::DoCameraClick() {
    TForm1* f = ws.Form1;
    if (DoDocument->isChecked()) {
        TMesForm* notice = ws.MesForm;
        notice->ShowInfo(QStringLiteral("Taustakuvan voi ottaa vain läpinäkyvässä tilassa."),
                         besideLeft(x(), outerWidth(this), outerWidth(notice)), topOf(DoCamera));
        return;
    }
    const QSize screen = platform::screenSize();
    hideForCapture();
    f->CaptureRect(0, 0, screen.width(), screen.height());
    f->Image1 = f->CopyImage;
    MoveBitmapToForm();
    showAfterCapture();
    DoDocument->setChecked(true);
    DoDocumentClick();
    SetCursor();
}

void TPalette::hideForCapture() {
    Capturing = true;
    hide();
    ws.Form1->showScreenNow();
}

void TPalette::showAfterCapture() {
    show();
    raise();
    Capturing = false;
}
