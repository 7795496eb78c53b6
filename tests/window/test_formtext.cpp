// The text window: its font lists, the font handlers that wait for start-up, the keep and
// repeat boxes, and its ties to the palette's text button.
#include "app/Palette.h"
#include "support/Fixture.h"
#include "surface/Form1.h"
#include "text/FormText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolButton>
#include <QUrl>

// Stands for the user's web browser and mail program: records what they were asked to open.
class AddressRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

namespace {

class FormText : public RavoFixture {
protected:
    void SetUp() override {
        writeIni(QStringLiteral("FontSize=24\n"));
        start();
        ASSERT_FALSE(ws->finished());
        t = ws->FormText;
    }
    TFormText* t = nullptr;
};

TEST_F(FormText, ListsOfSizesAndOfTheSystemsFonts) {
    EXPECT_EQ(t->FontSize->count(), 67);
    EXPECT_EQ(t->FontSize->itemText(0), QStringLiteral("6"));
    EXPECT_EQ(t->FontSize->itemText(66), QStringLiteral("72"));
    EXPECT_TRUE(t->FontSize->isEditable());
    EXPECT_EQ(t->FontSize->currentText(), QStringLiteral("24"));
    EXPECT_FALSE(t->FontName->isEditable());
    QStringList names;
    for (int i = 0; i < t->FontName->count(); ++i)
        names << t->FontName->itemText(i);
    EXPECT_EQ(names, QFontDatabase::families());
    EXPECT_EQ(t->FontSize->maxVisibleItems(), 20);
    EXPECT_EQ(t->FontName->maxVisibleItems(), 20);
}

TEST_F(FormText, LayoutAndStartState) {
    EXPECT_EQ(t->PanelTop->geometry(), QRect(0, 0, 510, 49));
    EXPECT_EQ(t->Editor->geometry(), QRect(0, 49, 510, 168 - 49));
    EXPECT_EQ(t->DoKeepText->pos(), QPoint(6, 4));
    EXPECT_EQ(t->DoRepeatText->pos(), QPoint(6, 27));
    EXPECT_EQ(t->FontSize->geometry().topLeft(), QPoint(179, 2));
    EXPECT_EQ(t->FontSize->width(), 51);
    EXPECT_EQ(t->FontName->geometry().topLeft(), QPoint(236, 2));
    EXPECT_EQ(t->FontName->width(), 216);
    EXPECT_FALSE(t->DoKeepText->isChecked());
    EXPECT_FALSE(t->DoRepeatText->isChecked());
    EXPECT_FALSE(t->DoRepeatText->isEnabled());
    EXPECT_EQ(t->Editor->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(t->DoKeepText->text(), QStringLiteral("Pidä teksti editorissa"));
    EXPECT_EQ(t->DoRepeatText->toolTip(),
              QStringLiteral("Jos tämä on ruksattu, voidaan teksti toistaa kuvapinnalla"));
    // Resizing keeps the panel on top and the editor filling the rest.
    t->resize(600, 300);
    t->show();
    EXPECT_EQ(t->Editor->geometry(), QRect(0, 49, 600, 251));
}

TEST_F(FormText, RepeatingNeedsKeeping) {
    t->DoKeepText->click();
    EXPECT_TRUE(t->DoRepeatText->isEnabled());
    t->DoRepeatText->click();
    EXPECT_TRUE(t->DoRepeatText->isChecked());
    t->DoKeepText->click();
    EXPECT_FALSE(t->DoRepeatText->isChecked());
    EXPECT_FALSE(t->DoRepeatText->isEnabled());
}

TEST_F(FormText, ChoosingASizeAppliesItUnlessLoading) {
    t->FontSize->setCurrentIndex(t->FontSize->findText(QStringLiteral("24")));
    ws->Palette->Loading = true;
    QTest::keyClick(t->FontSize, Qt::Key_Down); // 24 -> 25, chosen from the list
    EXPECT_EQ(t->FontSize->currentText(), QStringLiteral("25"));
    EXPECT_EQ(ws->Form1->Canvas.font.size, 24);

    ws->Palette->Loading = false;
    QTest::keyClick(t->FontSize, Qt::Key_Down);
    EXPECT_EQ(ws->Form1->Canvas.font.size, 26);
    // Typing alone applies nothing.
    t->FontSize->setEditText(QStringLiteral("40"));
    EXPECT_EQ(ws->Form1->Canvas.font.size, 26);
}

TEST_F(FormText, ChoosingAFontAppliesItUnlessLoading) {
    ASSERT_GE(t->FontName->count(), 2);
    const int other = t->FontName->currentIndex() == 0 ? 1 : 0;
    const QString before = ws->Form1->Canvas.font.name;
    ws->Palette->Loading = true;
    t->FontName->setCurrentIndex(other);
    EXPECT_EQ(ws->Form1->Canvas.font.name, before);
    ws->Palette->Loading = false;
    const int third = other == 0 ? 1 : 0;
    t->FontName->setCurrentIndex(third);
    EXPECT_EQ(ws->Form1->Canvas.font.name, t->FontName->itemText(third));
}

TEST_F(FormText, ShowingOrClickingTheEditorMarksTheWindowVisited) {
    EXPECT_FALSE(t->Visited);
    t->show();
    EXPECT_TRUE(t->Visited);
    t->Visited = false;
    QTest::mouseClick(t->Editor->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(t->Visited);
}

TEST_F(FormText, ShowingPutsTheKeyboardIntoTheEditor) {
    ws->Palette->DoText->click();
    ASSERT_TRUE(t->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(t));
    EXPECT_EQ(QApplication::focusWidget(), t->Editor);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Hei maailma"));
    EXPECT_EQ(t->Editor->toPlainText(), QStringLiteral("Hei maailma"));
}

// Addresses are underlined as typed; a press on one chooses it and hands it to the system's
// handler; a press on ordinary text only places the caret.
TEST_F(FormText, AddressesAreUnderlinedAndOpenWithAPress) {
    AddressRecorder handler;
    for (const char* scheme : {"http", "https", "mailto"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), &handler, "open");
    t->show();
    t->Editor->insertPlainText(QStringLiteral("Katso www.kartat.fi tästä\n"));
    QTest::keyClicks(t->Editor, QStringLiteral("tai mailto:ope@koulu.fi"));
    QTextBlock first = t->Editor->document()->firstBlock();
    bool underlined = false;
    for (const QTextLayout::FormatRange& r : first.layout()->formats())
        if (r.format.fontUnderline()) underlined = r.start == 6 && r.length == 13;
    EXPECT_TRUE(underlined) << "www.kartat.fi";

    // The middle of "kartat" in the first line.
    QTextCursor c(first);
    c.setPosition(first.position() + 11);
    QTest::mouseClick(t->Editor->viewport(), Qt::LeftButton, {},
                      t->Editor->cursorRect(c).center() + QPoint(2, 0));
    ASSERT_EQ(handler.opened, QList<QUrl>{QUrl(QStringLiteral("http://www.kartat.fi"))});
    EXPECT_EQ(t->Editor->textCursor().selectedText(), QStringLiteral("www.kartat.fi"));

    const QTextBlock second = first.next();
    c.setPosition(second.position() + 10);
    QTest::mouseClick(t->Editor->viewport(), Qt::LeftButton, {},
                      t->Editor->cursorRect(c).center() + QPoint(2, 0));
    EXPECT_EQ(handler.opened.size(), 2);
    EXPECT_EQ(handler.opened.value(1), QUrl(QStringLiteral("mailto:ope@koulu.fi")));

    // "tästä", and past the end of the second line: only the caret moves.
    c.setPosition(first.position() + 22);
    const QRect word = t->Editor->cursorRect(c);
    QTest::mouseClick(t->Editor->viewport(), Qt::LeftButton, {}, word.center());
    EXPECT_FALSE(t->Editor->textCursor().hasSelection());
    EXPECT_EQ(t->Editor->textCursor().position(), first.position() + 22);
    c.setPosition(second.position() + second.length() - 1);
    QTest::mouseClick(t->Editor->viewport(), Qt::LeftButton, {},
                      t->Editor->cursorRect(c).center() + QPoint(60, 0));
    EXPECT_EQ(handler.opened.size(), 2);
    for (const char* scheme : {"http", "https", "mailto"})
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
}

TEST_F(FormText, ClosingReleasesThePalettesTextButton) {
    ws->Palette->DoText->setChecked(true);
    t->show();
    t->close();
    EXPECT_FALSE(t->isVisible());
    EXPECT_FALSE(ws->Palette->DoText->isChecked());
}

} // namespace

#include "test_formtext.moc"
