#pragma once
// The undo history: three whole-surface snapshots and the cursor that says which one the
// next undo restores. There is no redo, and what was undone cannot be brought back.
//
// The cursor and the slots, on a run where S0 is the blank surface and strokes 1, 2, 3
// give S1, S2, S3 (each stroke takes its snapshot at its press):
//
//   event            surface   slot 1, slot 2, slot 3      cursor
//   start            S0        empty, empty, empty           1
//   stroke 1         S1        S0, empty, empty              1
//   stroke 2         S2        S1, S0, empty                 1
//   stroke 3         S3        S2, S1, S0                    1
//   undo             S2        unchanged                     0
//   undo             S1        unchanged                    -1
//   undo             S0        unchanged                    -2
//   undo             S0        unchanged (nothing happens)  -2
//   stroke 4 on S0   S4        S2, S1, S0 (S0 stored again)  -1
//   undo             S0        unchanged                    -2
//
// So at cursor 1 a snapshot shifts the slots and goes into slot 1; at 0, -1 and -2 it goes
// into slot 1, 2 and 3 and the cursor moves up by one. An undo restores slot 1, 2 or 3 at
// cursor 1, 0 or -1 and moves the cursor down; at -2, or when the slot was never filled,
// it does nothing.
#include "gfx/Canvas.h"

#include <QSize>

class UndoHistory {
public:
    // The slots, 1 to 3: screen-sized pictures, empty until a snapshot is stored there.
    gfx::Canvas& slot(int n) { return m_slots[n - 1]; }
    const gfx::Canvas& slot(int n) const { return m_slots[n - 1]; }

    // The cursor: 1, 0, -1 or -2; 1 at start and after the surface is cleared.
    int& cursor() { return m_cursor; }
    int cursor() const { return m_cursor; }

    // Readies `work` to take a snapshot of a surface of the given size: the picture that
    // the snapshot will push out of the history lends its memory, so that taking one is a
    // single copy into memory already in use.
    void lendMemory(gfx::Canvas& work, QSize surface);
    // Stores the snapshot that `work` holds. Pictures are shared, not copied, as they move
    // from slot to slot; a drawing on the surface never reaches them, because the surface
    // and `work` are copied into, never shared.
    void store(const gfx::Canvas& work);

    // The slot the next undo restores, or none: the history used up (the cursor then stays
    // at -2) or the slot never filled.
    const gfx::Canvas* toRestore();
    // The cursor moves back after an undo.
    void stepBack() { m_cursor -= 1; }

    // All slots empty, the cursor at 1.
    void clear();

private:
    // The slot a cursor value stores into; the one it restores from is one lower.
    gfx::Canvas* storeSlot();

    gfx::Canvas m_slots[3];
    int m_cursor = 1;
};
