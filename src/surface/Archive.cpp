// Whole-surface snapshots for undo: three slots and a cursor, the palette's ImageIndex.
#include "app/Palette.h"
#include "app/WindowSet.h"
#include "surface/Form1.h"

#include "gfx/PictureCopy.h"
#include "gfx/PictureMemory.h"

#include <utility>

namespace {

// The slot a cursor value stores into or restores from.
gfx::Canvas* slotFor(TForm1& f, int index) {
    switch (index) {
    case 1:
        return &f.Arc1Image;
    case 0:
        return &f.Arc2Image;
    case -1:
        return &f.Arc3Image;
    default:
        return nullptr;
    }
}

} // namespace

void TForm1::Archieve() {
    TPalette* palette = ws.Palette;
    int& index = palette->ImageIndex;
    // The picture that leaves the history lends its memory to the new snapshot, so that
    // taking one is a single copy into memory already in use: nothing is allocated, and
    // no fresh pages are touched for the first time. The copy is shared with a helper
    // thread, see gfx::copyArea.
    gfx::Canvas& leaving = index >= 1 ? Arc3Image : *slotFor(*this, index + 1);
    QImage& picture = Image1.image();
    picture = std::exchange(leaving.image(), QImage());
    // Until the history is full, and whenever the surface changes size or a picture is
    // still shared elsewhere, the snapshot gets new memory of its own: screen-sized
    // memory in huge pages, which the copies of the later snapshots go through faster.
    if (picture.size() != size() || !picture.isDetached() || !gfx::inPictureMemory(picture))
        picture = gfx::newPicture(width(), height());
    if (!gfx::copyArea(Canvas.image(), picture, QRect(QPoint(0, 0), size())))
        palette->MoveFormToBitmap(Image1);
    if (index >= 1) {
        // Pictures are shared, not copied, as they move from slot to slot.
        Arc3Image = Arc2Image;
        Arc2Image = Arc1Image;
        Arc1Image = Image1;
        index = 1;
    } else {
        *slotFor(*this, index + 1) = Image1;
        index += 1;
    }
}

void TPalette::GetPrevPicture(const QString& mode) {
    TForm1* f = ws.Form1;
    if (ImageIndex <= -2) {
        ImageIndex = -2;
        return;
    }
    const gfx::Canvas* slot = slotFor(*f, ImageIndex);
    if (slot->isEmpty()) return;
    f->Image1 = *slot;
    if (mode == QLatin1String("CHANGEINDEX")) ImageIndex -= 1;
    MoveBitmapToForm();
}

void TPalette::DoCancelClick() {
    GetPrevPicture(QStringLiteral("CHANGEINDEX"));
}
