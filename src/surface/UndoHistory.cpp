#include "surface/UndoHistory.h"

#include "gfx/PictureMemory.h"

#include <utility>

gfx::Canvas* UndoHistory::storeSlot() {
    return m_cursor >= 1 ? nullptr : &slot(1 - m_cursor);
}

void UndoHistory::lendMemory(gfx::Canvas& work, QSize surface) {
    gfx::Canvas* into = storeSlot();
    gfx::Canvas& leaving = into ? *into : slot(3);
    QImage& picture = work.image();
    picture = std::exchange(leaving.image(), QImage());
    // Until the history is full, and whenever the surface changes size or a picture is
    // still shared elsewhere, the snapshot gets new memory of its own: screen-sized memory
    // in huge pages, which the copies of the later snapshots go through faster.
    if (picture.size() != surface || !picture.isDetached() || !gfx::inPictureMemory(picture))
        picture = gfx::newPicture(surface.width(), surface.height());
}

void UndoHistory::store(const gfx::Canvas& work) {
    if (gfx::Canvas* into = storeSlot()) {
        *into = work;
        m_cursor += 1;
        return;
    }
    slot(3) = slot(2);
    slot(2) = slot(1);
    slot(1) = work;
    m_cursor = 1;
}

const gfx::Canvas* UndoHistory::toRestore() {
    if (m_cursor <= -2) {
        m_cursor = -2;
        return nullptr;
    }
    const gfx::Canvas& from = slot(2 - m_cursor);
    return from.isEmpty() ? nullptr : &from;
}

void UndoHistory::clear() {
    for (gfx::Canvas& s : m_slots)
        s.clear();
    m_cursor = 1;
}
