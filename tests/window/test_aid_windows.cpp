// The kinds, captions and sizes of the secondary windows, and what start-up leaves shown.
#include "aids/AddIns.h"
#include "aids/Back.h"
#include "aids/ColorsForm.h"
#include "aids/Display.h"
#include "aids/Numbers.h"
#include "aids/OptionsForm.h"
#include "aids/Sieni.h"
#include "aids/Tools.h"
#include "aids/Zoomer.h"
#include "app/HelpForm.h"
#include "app/Palette.h"
#include "curtain/Curtain.h"
#include "curtain/Raami.h"
#include "curtain/Strips.h"
#include "platform/Platform.h"
#include "support/Fixture.h"
#include "surface/Form1.h"
#include "text/FormText.h"
#include "tools/FilesForm.h"
#include "tools/Oper.h"
#include "tools/Osoitin.h"
#include "tools/RotImg.h"
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QUrl>

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

// Stands for the system's program for the guide: records what it was asked to open.
class AddressBook : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

namespace {

class AidWindows : public RavoFixture {
protected:
    void SetUp() override {
        writeIni();
        start();
        ASSERT_FALSE(ws->finished());
    }
};

enum Kind : unsigned { Plain = 0, Tool = 1, OnTop = 2, Borderless = 4 };

TEST_F(AidWindows, KindCaptionAndClientSize) {
    const struct {
        QWidget* w;
        const char* name;
        const char* caption;
        unsigned kind;
        QSize size; // empty: not fixed by design
    } windows[] = {
        {ws->Back, "Back", "", Borderless, QSize(1920, 1080)},
        {ws->Zoomer, "Zoomer", "", Borderless, QSize(390, 215)},
        {ws->Numbers, "Numbers", "Kynän leveys", Tool, QSize(110, 132)},
        {ws->FilesForm, "FilesForm", " Työkalut", Tool | OnTop, QSize(228, 474)},
        {ws->Osoitin, "Osoitin", "", Tool | Borderless | OnTop, QSize(800, 800)},
        {ws->HelpForm, "HelpForm", "Tietoja Ravo-ohjelmasta...", OnTop, QSize(456, 212)},
        {ws->FormText, "FormText", "Teksti", Tool | OnTop, QSize(510, 168)},
        {ws->OptionsForm, "OptionsForm", "Asetukset", Tool | OnTop, QSize(572, 316)},
        {ws->ColorsForm, "ColorsForm", "", Tool | OnTop, QSize(104, 129)},
        {ws->Curtain, "Curtain", "", Plain, QSize()},
        {ws->Tools, "Tools", " Kuviot", Tool | OnTop, QSize(120, 312)},
        {ws->Sieni, "Sieni", "", Borderless | OnTop, QSize(110, 52)},
        {ws->AddIns, "AddIns", " Pyyhkimet", Tool | OnTop, QSize(90, 68)},
        {ws->Oper, "Oper", " Työkalu", Tool | OnTop, QSize(203, 246)},
        {ws->Raami, "Raami", "", Tool, QSize(792, 574)},
        {ws->RightCurtain, "RightCurtain", "", Borderless, QSize()},
        {ws->LeftCurtain, "LeftCurtain", "", Borderless, QSize()},
        {ws->TopCurtain, "TopCurtain", "", Borderless, QSize()},
        {ws->BottomCurtain, "BottomCurtain", "", Borderless, QSize()},
        {ws->Display, "Display", "Teksti", Tool, QSize(254, 46)},
    };
    for (const auto& w : windows) {
        SCOPED_TRACE(w.name);
        ASSERT_NE(w.w, nullptr);
        EXPECT_TRUE(w.w->isWindow());
        EXPECT_EQ(w.w->objectName(), QLatin1String(w.name));
        EXPECT_EQ(w.w->windowTitle(), QString::fromUtf8(w.caption));
        const Qt::WindowFlags f = w.w->windowFlags();
        EXPECT_EQ(f.testFlag(Qt::Tool), bool(w.kind & Tool));
        EXPECT_EQ(f.testFlag(Qt::WindowStaysOnTopHint), bool(w.kind & OnTop));
        EXPECT_EQ(f.testFlag(Qt::FramelessWindowHint), bool(w.kind & Borderless));
        if (!w.size.isEmpty()) {
            EXPECT_EQ(w.w->size(), w.size);
        }
    }
}

TEST_F(AidWindows, OnlyTheGridWindowIsShownOfThese) {
    EXPECT_TRUE(ws->Back->isVisible());
    for (QWidget* w : std::initializer_list<QWidget*>{
             ws->Zoomer, ws->Numbers, ws->FilesForm, ws->Osoitin, ws->HelpForm, ws->FormText,
             ws->OptionsForm, ws->ColorsForm, ws->Curtain, ws->Tools, ws->Sieni, ws->AddIns,
             ws->Oper, ws->Raami, ws->RightCurtain, ws->LeftCurtain, ws->TopCurtain,
             ws->BottomCurtain, ws->Display})
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
}

TEST_F(AidWindows, SeeThroughWindowsHaveTheirOpacity) {
    EXPECT_NEAR(ws->Back->windowOpacity(), 100 / 255.0, 0.005);
    EXPECT_NEAR(ws->Osoitin->windowOpacity(), 100 / 255.0, 0.005);
    EXPECT_NEAR(ws->Raami->windowOpacity(), 22 / 255.0, 0.005);
}

TEST_F(AidWindows, GridWindowCoversTheScreenWithNothingShown) {
    TBack* back = ws->Back;
    EXPECT_EQ(back->geometry(), QRect(0, 0, 1920, 1080));
    EXPECT_EQ(back->Grid->geometry(), back->rect());
    EXPECT_FALSE(back->Grid->isVisibleTo(back));
    // The shape lies outside the window: nothing shows and nothing takes the pointer.
    EXPECT_FALSE(back->keyedRegion().isEmpty());
    EXPECT_FALSE(back->keyedRegion().intersects(back->rect()));
}

TEST_F(AidWindows, MagnifierFitsItsPictureToItsSize) {
    TZoomer* z = ws->Zoomer;
    // The palette's first show sized it already.
    EXPECT_EQ(ws->Form1->CopyImage.width(), 390);
    EXPECT_EQ(ws->Form1->CopyImage.height(), 215);
    z->resize(500, 300);
    z->show();
    EXPECT_EQ(z->Image->geometry(), QRect(0, 0, 500, 300));
    EXPECT_EQ(z->Image->pixmap().size(), QSize(500, 500));
    EXPECT_EQ(z->Bevel1->geometry(), QRect(0, 0, 500, 300));
    EXPECT_EQ(ws->Form1->CopyImage.width(), 500);
    EXPECT_EQ(ws->Form1->CopyImage.height(), 300);
}

TEST_F(AidWindows, ToolTemplateIsFilledByItsPicture) {
    const TRotateImage* image = ws->Osoitin->Image1;
    EXPECT_EQ(image->geometry(), QRect(0, 0, 800, 800));
    EXPECT_TRUE(image->Center());
    EXPECT_FALSE(image->UniqueSize());
    EXPECT_FALSE(image->Stretch());
    EXPECT_FALSE(image->AutoSize());
    EXPECT_EQ(image->Angle(), 0);
    EXPECT_EQ(image->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(AidWindows, ReadOutLabelInCourierNew) {
    QLabel* value = ws->Display->Value;
    EXPECT_EQ(value->pos(), QPoint(6, 6));
    EXPECT_EQ(value->font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(value->font().pointSize(), 10);
}

TEST_F(AidWindows, LibraryKnowsWhereToolsSlideTo) {
    TFilesForm* f = ws->FilesForm;
    EXPECT_EQ(f->DefXpos, 1920 - 228 - 300);
    EXPECT_EQ(f->DefYpos, 1080 / 2 - 100);
    ASSERT_EQ(f->Book->count(), 2);
    EXPECT_EQ(f->Book->tabText(0), QStringLiteral("Haku     "));
    EXPECT_EQ(f->Book->tabText(1), QStringLiteral("Sommitelma"));
    // The palette's first show gave it the tools folder.
    EXPECT_TRUE(f->ToolsFolder.endsWith(QStringLiteral("Tools/")));
}

TEST_F(AidWindows, EraserChooserStartsWithNothingChosen) {
    TAddIns* a = ws->AddIns;
    const struct {
        QToolButton* b;
        QRect place;
    } buttons[] = {{a->SieniIso, QRect(0, 0, 90, 40)},
                   {a->Nelio1, QRect(0, 40, 30, 30)},
                   {a->Nelio2, QRect(30, 40, 30, 30)},
                   {a->Nelio3, QRect(60, 40, 30, 30)}};
    for (const auto& b : buttons) {
        EXPECT_EQ(b.b->geometry(), b.place) << b.b->objectName().toStdString();
        EXPECT_FALSE(b.b->isChecked());
    }
    a->Nelio2->click();
    a->SieniIso->click();
    EXPECT_TRUE(a->SieniIso->isChecked());
    EXPECT_FALSE(a->Nelio2->isChecked());
}

TEST_F(AidWindows, SpongeShowsOnlyItsPicture) {
    TSieni* s = ws->Sieni;
    EXPECT_EQ(s->Image1->geometry(), QRect(0, 0, 110, 52));
    const QRegion mask = s->mask();
    EXPECT_TRUE(mask.intersects(s->rect()));
    EXPECT_NE(mask, QRegion(s->rect())); // its white margin is keyed out
}

TEST_F(AidWindows, CurtainHoldsTheArrowPicturesHidden) {
    TCurtain* c = ws->Curtain;
    EXPECT_FALSE(c->PanelButtons->isVisibleTo(c));
    EXPECT_FALSE(c->MoveDown->icon().isNull());
    EXPECT_FALSE(c->MoveUp->icon().isNull());
    EXPECT_NE(c->MoveDown->icon().cacheKey(), c->MoveUp->icon().cacheKey());
}

TEST_F(AidWindows, AboutWindowButtons) {
    THelpForm* h = ws->HelpForm;
    EXPECT_EQ(h->DoClose->text(), QStringLiteral("&Sulje"));
    EXPECT_EQ(h->DoClose->geometry(), QRect(344, 8, 104, 42));
    EXPECT_EQ(h->DoHelp->text(), QStringLiteral(" &Ohje     "));
    EXPECT_EQ(h->DoHelp->geometry(), QRect(344, 104, 104, 42));
    EXPECT_EQ(h->Image1->geometry(), QRect(8, 8, 50, 50));
    EXPECT_EQ(h->minimumSize(), h->maximumSize()); // a fixed border
    h->show();
    h->DoClose->click();
    EXPECT_FALSE(h->isVisible());
}

TEST(AboutText, VersionLineThenAnEmptyLineThenTheMaker) {
    const QStringList lines = aboutText(QStringLiteral("2.1.0.15")).split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Ravo v2.1.0.15"));
    EXPECT_EQ(lines[1], QString());
    EXPECT_FALSE(lines[2].isEmpty());
}

// Shown, the window names the version of the program file that runs; the guide beside the
// program opens with the system's program for it, as often as asked, and a missing guide is
// told in Finnish.
TEST_F(AidWindows, AboutWindowNamesTheVersionAndOpensTheGuide) {
    THelpForm* h = ws->HelpForm;
    h->show();
    const QString version = platform::fileVersionText(QCoreApplication::applicationFilePath());
    EXPECT_EQ(version, platform::programVersion());
    EXPECT_TRUE(
        h->Info->text().startsWith(QStringLiteral("Ravo v") + version + QStringLiteral("\r\n\r\n")))
        << h->Info->text().toStdString();

    const QString guide = ws->Palette->folders.MainFolder + QStringLiteral("RavoOhje.mht");
    QFile::remove(guide);
    EXPECT_EQ(answerMessages([&] { h->DoHelp->click(); }),
              QStringList{QStringLiteral("Ohjetta ei ole asennettu.")});

    QFile file(guide);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("MIME-Version: 1.0\r\n\r\n");
    file.close();
    AddressBook opener;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener, "open");
    EXPECT_TRUE(answerMessages([&] {
                    h->DoHelp->click();
                    h->DoHelp->click();
                }).isEmpty());
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(opener.opened, QList<QUrl>(2, QUrl::fromLocalFile(guide)));
    EXPECT_TRUE(h->isVisible());
}

} // namespace

#include "test_aid_windows.moc"
