#include "app/Palette.h"
#include "support/Fixture.h"
#include "surface/Form1.h"

#include <QTest>
#include <QToolButton>

namespace {

class Undo : public RavoFixture {
protected:
    void SetUp() override {
        writeIni();
        start();
        f = ws->Form1;
        p = ws->Palette;
        pictures.push_back(f->Canvas.image().copy()); // S0, the blank surface
    }
    // A stroke: the snapshot at its press, then a change of the surface.
    void stroke() {
        f->Archieve();
        const int n = int(pictures.size());
        f->Canvas.fillRect(10 * n, 10 * n, 10 * n + 50, 10 * n + 40, gfx::rgb(20 * n, 0, 255));
        pictures.push_back(f->Canvas.image().copy());
    }
    int shown() const {
        for (int i = 0; i < int(pictures.size()); ++i)
            if (f->Canvas.image() == pictures[i]) return i;
        return -1;
    }
    void undo() { QTest::mouseClick(p->DoCancel, Qt::LeftButton); }

    TForm1* f = nullptr;
    TPalette* p = nullptr;
    std::vector<QImage> pictures;
};

TEST_F(Undo, FollowsTheHistoryTable) {
    EXPECT_EQ(p->ImageIndex, 1);
    undo(); // right after start: nothing
    EXPECT_EQ(shown(), 0);
    EXPECT_EQ(p->ImageIndex, 1);

    stroke();
    stroke();
    stroke();
    EXPECT_EQ(shown(), 3);
    EXPECT_EQ(p->ImageIndex, 1);
    const struct { int picture, index; } steps[] = {{2, 0}, {1, -1}, {0, -2}, {0, -2}};
    for (const auto& s : steps) {
        undo();
        EXPECT_EQ(shown(), s.picture);
        EXPECT_EQ(p->ImageIndex, s.index);
    }
    stroke(); // S4 drawn on S0: S0 goes into the third slot again
    EXPECT_EQ(shown(), 4);
    EXPECT_EQ(p->ImageIndex, -1);
    EXPECT_EQ(f->Arc1Image.image(), pictures[2]);
    EXPECT_EQ(f->Arc2Image.image(), pictures[1]);
    EXPECT_EQ(f->Arc3Image.image(), pictures[0]);
    undo();
    EXPECT_EQ(shown(), 0);
    EXPECT_EQ(p->ImageIndex, -2);
}

TEST_F(Undo, FourStrokesGoBackThreeSteps) {
    for (int i = 0; i < 4; ++i)
        stroke();
    for (int expected : {3, 2, 1, 1}) {
        undo();
        EXPECT_EQ(shown(), expected);
    }
}

TEST_F(Undo, SecondUndoAfterOneStrokeFindsAnEmptySlot) {
    stroke();
    undo();
    EXPECT_EQ(shown(), 0);
    EXPECT_EQ(p->ImageIndex, 0);
    undo();
    EXPECT_EQ(shown(), 0);
    EXPECT_EQ(p->ImageIndex, 0);
}

TEST_F(Undo, AStrokeAfterAnUndoStartsTheWalkAgain) {
    stroke();
    stroke();
    undo();   // S1, cursor 0
    stroke(); // S3 drawn on S1: S1 into the first slot
    EXPECT_EQ(p->ImageIndex, 1);
    undo();
    EXPECT_EQ(shown(), 1);
    undo();
    EXPECT_EQ(shown(), 0) << "the second slot still holds S0";
    EXPECT_EQ(p->ImageIndex, -1);
    undo(); // the third slot was never filled
    EXPECT_EQ(shown(), 0);
    EXPECT_EQ(p->ImageIndex, -1);
}

TEST_F(Undo, RestoringWithoutMovingTheCursor) {
    stroke();
    p->GetPrevPicture(QStringLiteral("CHANGE_NOT_INDEX"));
    EXPECT_EQ(shown(), 0);
    EXPECT_EQ(p->ImageIndex, 1);
}

} // namespace
