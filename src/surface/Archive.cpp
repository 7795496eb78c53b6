// The design's undo calls, on the windows that own them, as thin calls into the history.
#include "app/Palette.h"
#include "app/WindowSet.h"
#include "surface/Form1.h"

void TForm1::Archieve() {
    History.lendMemory(Image1, size());
    ws.Palette->MoveFormToBitmap(Image1);
    History.store(Image1);
}

void TPalette::GetPrevPicture(const QString& mode) {
    TForm1* f = ws.Form1;
    const gfx::Canvas* slot = f->History.toRestore();
    if (!slot) return;
    f->Image1 = *slot;
    if (mode == QLatin1String("CHANGEINDEX")) f->History.stepBack();
    MoveBitmapToForm();
}

void TPalette::DoCancelClick() {
    GetPrevPicture(QStringLiteral("CHANGEINDEX"));
}
