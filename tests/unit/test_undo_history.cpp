// The undo history without windows: the slots and the cursor through a whole run, with
// one-pixel pictures whose colour names the surface they were taken of.
#include "surface/UndoHistory.h"

#include <gtest/gtest.h>

namespace {

// The colour of the picture a slot holds; 0 for an empty slot.
gfx::Color held(const UndoHistory& h, int n) {
    return h.slot(n).isEmpty() ? 0 : h.slot(n).pixel(0, 0);
}

// A snapshot of a surface showing picture `s`, taken as the surface takes one.
void snapshot(UndoHistory& h, gfx::Canvas& work, gfx::Color s) {
    h.lendMemory(work, QSize(1, 1));
    work.setPixel(0, 0, s);
    h.store(work);
}

// The undo: what it would show, or 0 when nothing happens.
gfx::Color undo(UndoHistory& h) {
    const gfx::Canvas* from = h.toRestore();
    if (!from) return 0;
    const gfx::Color shown = from->pixel(0, 0);
    h.stepBack();
    return shown;
}

TEST(UndoHistory, SlotsAndCursorThroughStrokesAndUndos) {
    // S0 is the blank surface; stroke n turns the surface into Sn.
    enum : gfx::Color { S0 = 10, S1, S2, S3 };
    UndoHistory h;
    gfx::Canvas work;
    EXPECT_EQ(h.cursor(), 1);
    EXPECT_EQ(undo(h), 0u) << "nothing to undo right after start";
    EXPECT_EQ(h.cursor(), 1);

    const struct {
        const char* event;
        gfx::Color snapshotOf; // 0: an undo
        gfx::Color shown;      // what the undo shows, 0 when nothing happens
        gfx::Color arc[3];
        int cursor;
    } run[] = {
        {"stroke 1", S0, 0, {S0, 0, 0}, 1},        {"stroke 2", S1, 0, {S1, S0, 0}, 1},
        {"stroke 3", S2, 0, {S2, S1, S0}, 1},      {"undo", 0, S2, {S2, S1, S0}, 0},
        {"undo", 0, S1, {S2, S1, S0}, -1},         {"undo", 0, S0, {S2, S1, S0}, -2},
        {"undo, used up", 0, 0, {S2, S1, S0}, -2}, {"stroke 4 on S0", S0, 0, {S2, S1, S0}, -1},
        {"undo", 0, S0, {S2, S1, S0}, -2},
    };
    for (const auto& e : run) {
        SCOPED_TRACE(e.event);
        if (e.snapshotOf)
            snapshot(h, work, e.snapshotOf);
        else
            EXPECT_EQ(undo(h), e.shown);
        for (int n = 1; n <= 3; ++n)
            EXPECT_EQ(held(h, n), e.arc[n - 1]) << "slot " << n;
        EXPECT_EQ(h.cursor(), e.cursor);
    }
}

TEST(UndoHistory, AnUndoIntoASlotNeverFilledChangesNothing) {
    UndoHistory h;
    gfx::Canvas work;
    snapshot(h, work, 7);
    EXPECT_EQ(undo(h), 7u);
    EXPECT_EQ(undo(h), 0u) << "slot 2 was never filled";
    EXPECT_EQ(h.cursor(), 0);
    // After an undo a snapshot goes into slot 1 and the cursor is back at 1.
    snapshot(h, work, 8);
    EXPECT_EQ(held(h, 1), 8u);
    EXPECT_EQ(h.cursor(), 1);
    h.clear();
    EXPECT_TRUE(h.slot(1).isEmpty());
    EXPECT_EQ(h.cursor(), 1);
}

TEST(UndoHistory, FiveSnapshotsKeepTheNewestThree) {
    // Each snapshot draws into memory lent by the picture leaving the history; the pictures
    // that stay keep theirs.
    UndoHistory h;
    gfx::Canvas work;
    for (gfx::Color c : {1u, 2u, 3u, 4u, 5u})
        snapshot(h, work, c);
    EXPECT_EQ(held(h, 1), 5u);
    EXPECT_EQ(held(h, 2), 4u);
    EXPECT_EQ(held(h, 3), 3u);
}

} // namespace
