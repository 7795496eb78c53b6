// The outlined region as a picture: the mask, the frame's capture and its masking, the
// cut-out menu, and pasting a clipboard picture at the pointer.
#include "app/MesForm.h"

#include "app/Errors.h"
#include "app/Palette.h"
#include "app/PictureDialogs.h"
#include "app/PictureFilesLogic.h"
#include "app/WindowSet.h"
#include "gfx/Combine.h"
#include "gfx/Mask.h"
#include "gfx/Paste.h"
#include "surface/Form1.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

#include <algorithm>
#include <exception>

namespace {

QClipboard* clipboard() {
    return QGuiApplication::clipboard();
}

} // namespace

void TForm1::connectCutOutMenus() {
    connect(MenuSave, &QAction::triggered, this, reporting(this, &TForm1::MenuSaveClick));
    connect(MenuCopy, &QAction::triggered, this, reporting(this, &TForm1::MenuCopyClick));
    connect(MenuCut, &QAction::triggered, this, reporting(this, &TForm1::MenuCutClick));
    connect(MenuClear, &QAction::triggered, this, reporting(this, &TForm1::MenuClearClick));
    connect(MenuCancel, &QAction::triggered, this, reporting(this, &TForm1::MenuCancelClick));
    connect(MenuWorkTemp, &QAction::triggered, this, reporting(this, &TForm1::MenuWorkTempClick));
    connect(MenuWork, &QAction::triggered, this, reporting(this, &TForm1::MenuWorkClick));
    SavePictureDialog2 = new TSavePictureDialog(
        this, QStringLiteral("Jpeg (*.jpeg)|*.jpeg|Bitmap (*.bmp)|*.bmp"), "SavePictureDialog2");
    connect(MenuMbRighPastePoint, &QAction::triggered, this, [this] {
        reportingErrors([this] { MenuMbRighPastePointClick(m_menuPoint.x(), m_menuPoint.y()); });
    });
}

void TForm1::DrawBounds(const QString& mode) {
    // Between the frame and the outline everything becomes black: white is what was inside.
    Kopio.pen = gfx::Pen{1, gfx::Black, gfx::PenStyle::Solid, gfx::PenMode::NotXor};
    Kopio.brush = gfx::Brush{gfx::BrushStyle::Clear, gfx::White};
    Kopio.rectangle(MinXRaja, MinYRaja, MaxXRaja, MaxYRaja);
    Kopio.brush = gfx::Brush{gfx::BrushStyle::Solid, gfx::Black};
    // A frame over the screen's edge starts the fill at the nearest point on the screen.
    const int fillX = std::clamp(MinXRaja + 8, 0, std::max(Kopio.width() - 1, 0));
    const int fillY = std::clamp(MinYRaja + 8, 0, std::max(Kopio.height() - 1, 0));
    Kopio.floodFill(fillX, fillY, gfx::Black, gfx::FillMode::Border);

    // The surface as it was before the outline, with the undo cursor where it is.
    ws.Palette->GetPrevPicture(QStringLiteral("CHANGE_NOT_INDEX"));
    showScreenNow();
    CaptureRect(MinXRaja, MinYRaja, MaxXRaja, MaxYRaja);
    Canvas.pen.mode = gfx::PenMode::Copy;
    ws.Palette->Settings();
    CaptureRect(MinXRaja, MinYRaja, MaxXRaja, MaxYRaja);
    putOnClipboard(CopyImage);

    gfx::ApplyBoundsMask(gfx::boundsModeFromName(mode), Kopio, MinXRaja, MinYRaja, MaxXRaja,
                         MaxYRaja, CopyImage, Canvas);
    canvasChanged(QRect(QPoint(MinXRaja, MinYRaja), QPoint(MaxXRaja - 1, MaxYRaja - 1)));
}

void TForm1::putOnClipboard(const gfx::Canvas& picture) {
    if (picture.isEmpty()) return;
    clipboard()->setImage(picture.image());
}

void TForm1::MenuSaveClick() {
    SavePictureDialog->InitialDir = ws.Palette->folders.DataFolder;
    std::exception_ptr failure;
    if (SavePictureDialog->Execute()) {
        DrawBounds(QStringLiteral("OUTSIDE"));
        const PictureTarget target =
            cutOutSaveTarget(SavePictureDialog->FileName, SavePictureDialog->FilterIndex);
        try {
            gfx::savePicture(CopyImage.image(), target.fileName, target.format);
        } catch (...) {
            failure = std::current_exception();
        }
        CopyImage.clear();
    }
    // The outline goes in every case, also when the file could not be written.
    ws.Palette->GetPrevPicture(QStringLiteral("CHANGE_NOT_INDEX"));
    if (failure) std::rethrow_exception(failure);
}

void TForm1::MenuCopyClick() {
    DrawBounds(QStringLiteral("OUTSIDE"));
    putOnClipboard(CopyImage);
}

void TForm1::MenuCutClick() {
    DrawBounds(QStringLiteral("BOTH"));
    putOnClipboard(CopyImage);
    ws.Palette->Settings();
}

void TForm1::MenuClearClick() {
    DrawBounds(QStringLiteral("INSIDE"));
    putOnClipboard(CopyImage);
    ws.Palette->Settings();
}

void TForm1::MenuCancelClick() {
    ClearFrame();
    ws.Palette->Settings();
}

void TForm1::MenuMbRighPastePointClick(int X, int Y) {
    gfx::ClipboardPicture pasted = gfx::clipboardPicture(clipboard()->mimeData());
    if (pasted.content != gfx::ClipboardContent::Picture) {
        GetPosition();
        ws.MesForm->ShowInfo(pasted.content == gfx::ClipboardContent::Empty
                                 ? QStringLiteral("Leikepöytä on tyhjä.")
                                 : QStringLiteral("Leikepöydällä ei ole bittikarttaa."),
                             Xmespos, Ymespos);
        return;
    }
    Archieve();
    const QRect drawn = gfx::pastePicture(Canvas, pasted.picture, X, Y);
    if (!drawn.isEmpty()) canvasChanged(drawn);
}
