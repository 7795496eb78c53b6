#include "app/MesForm.h"
#include "support/Fixture.h"
#include "surface/Form1.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

class Messages : public RavoFixture {
protected:
    void SetUp() override {
        writeIni();
        start();
        m = ws->MesForm;
    }
    TMesForm* m = nullptr;
};

TEST_F(Messages, NoticeStandsExactlyWhereAskedAndEnterAnswers) {
    QPoint at;
    QString caption, text;
    bool noShown = true;
    whenModal([&](QWidget*) {
        at = m->pos();
        caption = m->windowTitle();
        text = m->Info->toPlainText();
        noShown = m->No->isVisible();
        EXPECT_TRUE(m->Information->isVisible());
        EXPECT_FALSE(m->Warning->isVisible());
        EXPECT_EQ(m->Ok->text(), QStringLiteral("&Ok"));
        EXPECT_EQ(m->Ok->x(), 430 / 2 - 80 / 2);
        QTest::keyClick(m, Qt::Key_Return);
    });
    m->ShowInfo(QStringLiteral("Tiedosto puuttuu."), -20, 1500); // not clamped to the screen
    EXPECT_EQ(at, QPoint(-20, 1500));
    EXPECT_EQ(caption, QStringLiteral("Info"));
    EXPECT_EQ(text, QStringLiteral("Tiedosto puuttuu."));
    EXPECT_FALSE(noShown);
    EXPECT_EQ(m->result(), 1);
}

TEST_F(Messages, QuestionAfterANoticeHasBothButtonsAndTheWarning) {
    whenModal([&](QWidget*) { m->Ok->click(); });
    m->ShowInfo(QStringLiteral("Ensin ilmoitus"), 10, 10);

    int answers[3] = {0, 0, 0};
    const std::function<void(QWidget*)> how[3] = {
        [&](QWidget*) { QTest::keyClick(m, Qt::Key_Return); }, [&](QWidget*) { m->No->click(); },
        [&](QWidget*) { m->close(); }, // the close box
    };
    for (int i = 0; i < 3; ++i) {
        whenModal([&, i](QWidget* w) {
            EXPECT_EQ(m->windowTitle(), QStringLiteral("Vahvistus"));
            EXPECT_EQ(m->Ok->text(), QStringLiteral("&Kyllä"));
            EXPECT_EQ(m->Ok->x(), 120); // 430 x 0.28 = 120.4
            EXPECT_EQ(m->No->x(), 241); // 430 x 0.56 = 240.8
            EXPECT_TRUE(m->No->isVisible());
            EXPECT_FALSE(m->Information->isVisible());
            EXPECT_TRUE(m->Warning->isVisible());
            EXPECT_EQ(m->Warning->pos(), m->Information->pos());
            how[i](w);
        });
        answers[i] = m->AskQuestion(QStringLiteral("Poistetaanko?"), 100, 100);
    }
    EXPECT_EQ(answers[0], 1);
    EXPECT_EQ(answers[1], 7);
    EXPECT_EQ(answers[2], 2);
}

TEST_F(Messages, SurfacePlacesMessagesByTheDialogWidth) {
    ws->Form1->GetPosition();
    EXPECT_EQ(ws->Form1->Xmespos, 1920 / 2 - 430 / 2);
    EXPECT_EQ(ws->Form1->Ymespos, 1080 / 2 - 430 / 2);
    m->resize(400, m->height());
    m->setFixedWidth(400);
    ws->Form1->GetPosition();
    EXPECT_EQ(ws->Form1->Xmespos, 760);
    EXPECT_EQ(ws->Form1->Ymespos, 340);
}

TEST_F(Messages, SurfaceBounds) {
    TForm1* f = ws->Form1;
    f->Canvas.pen.width = 3;
    f->InitBounds();
    EXPECT_EQ(QRect(QPoint(f->MinX, f->MinY), QPoint(f->MaxX, f->MaxY)),
              QRect(QPoint(1920, 1080), QPoint(0, 0)));
    f->TestBounds(100, 50);
    EXPECT_EQ(QRect(QPoint(f->MinX, f->MinY), QPoint(f->MaxX, f->MaxY)),
              QRect(QPoint(100, 50), QPoint(100, 50)));
    EXPECT_EQ(QRect(QPoint(f->MinXRaja, f->MinYRaja), QPoint(f->MaxXRaja, f->MaxYRaja)),
              QRect(QPoint(77, 27), QPoint(123, 73)));
}

} // namespace
