#include "text/FormText.h"

#include "aids/WindowKit.h"
#include "app/Errors.h"
#include "app/MesForm.h"
#include "app/Palette.h"
#include "app/WindowSet.h"
#include "gfx/Canvas.h"
#include "text/TextLogic.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextEdit>
#include <QToolButton>

namespace {

constexpr int PanelHeight = 49;

// Underlines the web addresses of the editor as they are typed. The formats belong to the
// editor's layout, not to its text, so the font and colour the palette gives the whole text
// leave them in place, and the text placed on the surface stays plain.
class LinkHighlighter : public QSyntaxHighlighter {
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

protected:
    void highlightBlock(const QString& text) override {
        QTextCharFormat link;
        link.setFontUnderline(true);
        link.setForeground(QColor(0, 0, 255));
        for (const LinkRange& r : findLinks(text))
            setFormat(r.start, r.length, link);
    }
};

} // namespace

TFormText::TFormText(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("FormText"));
    setWindowTitle(QStringLiteral("Teksti"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);

    PanelTop = new QWidget(this);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));

    DoKeepText = new QCheckBox(QStringLiteral("Pidä teksti editorissa"), PanelTop);
    DoKeepText->setObjectName(QStringLiteral("DoKeepText"));
    setHint(DoKeepText, QStringLiteral("Jos tämä ei ole ruksattu, poistetaan teksti editorista "
                                       "kuvaan viennin jälkeen"));
    DoKeepText->setGeometry(6, 4, 168, 19);

    DoRepeatText = new QCheckBox(QStringLiteral("Toista tekstiä kuvapinnalla"), PanelTop);
    DoRepeatText->setObjectName(QStringLiteral("DoRepeatText"));
    setHint(DoRepeatText,
            QStringLiteral("Jos tämä on ruksattu, voidaan teksti toistaa kuvapinnalla"));
    // Nothing stands beside it below the size and font boxes, so its whole caption shows.
    DoRepeatText->setGeometry(6, 27, 300, 19);
    DoRepeatText->setEnabled(false);

    FontSize = new QComboBox(PanelTop);
    FontSize->setObjectName(QStringLiteral("FontSize"));
    FontSize->setEditable(true);
    FontSize->setInsertPolicy(QComboBox::NoInsert);
    FontSize->setCompleter(nullptr); // the box keeps what is typed, as typed
    FontSize->setMaxVisibleItems(20);
    FontSize->setGeometry(179, 2, 51, 24);

    FontName = new QComboBox(PanelTop);
    FontName->setObjectName(QStringLiteral("FontName"));
    FontName->setMaxVisibleItems(20);
    FontName->setGeometry(236, 2, 216, 24);

    Editor = new QTextEdit(this);
    Editor->setObjectName(QStringLiteral("Editor"));
    // Each typed line becomes one line on the surface, so lines are not wrapped here.
    Editor->setLineWrapMode(QTextEdit::NoWrap);
    Editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Editor->setTabChangesFocus(false);
    // The surface places a tab as the editor shows it.
    Editor->setTabStopDistance(gfx::TabStop);
    QPalette pal = Editor->palette();
    pal.setColor(QPalette::Base, Qt::white);
    // The selection stays visible when the editor loses the focus.
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    Editor->setPalette(pal);
    Editor->viewport()->installEventFilter(this);

    resize(510, 168);
    layoutControls();

    FormCreate();

    connect(DoKeepText, &QCheckBox::toggled, this, reporting(this, &TFormText::DoKeepTextClick));
    connect(FontName, &QComboBox::currentIndexChanged, this,
            reporting(this, &TFormText::FontNameChange));
    connect(FontSize, &QComboBox::activated, this, reporting(this, &TFormText::FontSizeClick));
    // Hints are off for this window.
    suppressHints(this);
}

void TFormText::FormCreate() {
    FontName->addItems(QFontDatabase::families());
    FontSize->addItems(fontSizeItems());
}

void TFormText::FormShow() {
    Visited = true;
    ws.Palette->Settings();
    InitRichEditURLDetection();
    // Typing right after opening the window writes into the editor.
    activateWindow();
    Editor->setFocus();
}

void TFormText::FormClose() {
    ws.Palette->DoText->setChecked(false);
}

void TFormText::fontChosen() {
    if (paletteLoading(ws)) return;
    ws.Palette->Settings();
    Editor->setFocus();
}

void TFormText::FontNameChange() {
    fontChosen();
}

void TFormText::FontSizeClick() {
    fontChosen();
}

void TFormText::DoKeepTextClick() {
    if (DoKeepText->isChecked()) {
        DoRepeatText->setEnabled(true);
    } else {
        DoRepeatText->setChecked(false);
        DoRepeatText->setEnabled(false);
    }
}

void TFormText::EditorClick() {
    Visited = true;
}

void TFormText::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void TFormText::closeEvent(QCloseEvent* e) {
    FormClose();
    e->accept();
}

void TFormText::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    layoutControls();
}

void TFormText::layoutControls() {
    PanelTop->setGeometry(0, 0, width(), PanelHeight);
    Editor->setGeometry(0, PanelHeight, width(), height() - PanelHeight);
}

void TFormText::InitRichEditURLDetection() {
    if (!Links) Links = new LinkHighlighter(Editor->document());
}

bool TFormText::openLinkAt(QPoint at) {
    if (!Links) return false;
    const QTextBlock block = Editor->cursorForPosition(at).block();
    for (const LinkRange& r : findLinks(block.text())) {
        QTextCursor link(block);
        link.setPosition(block.position() + r.start);
        const QRect start = Editor->cursorRect(link);
        link.setPosition(block.position() + r.start + r.length, QTextCursor::KeepAnchor);
        const QRect end = Editor->cursorRect(link);
        // Over the address's letters, lines are not wrapped here.
        if (!QRect(QPoint(start.left(), start.top()), QPoint(end.left(), end.bottom()))
                 .contains(at))
            continue;
        Editor->setTextCursor(link);
        const QString address = link.selectedText();
        if (!QDesktopServices::openUrl(linkUrl(address)))
            ws.MesForm->ShowInfo(QStringLiteral("Osoitetta ") + address +
                                     QStringLiteral(" ei voi avata."),
                                 x(), y());
        return true;
    }
    return false;
}

bool TFormText::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Editor->viewport() && e->type() == QEvent::MouseButtonPress) {
        auto* press = static_cast<QMouseEvent*>(e);
        if (press->button() == Qt::LeftButton && openLinkAt(press->position().toPoint()))
            return true;
    }
    if (watched == Editor->viewport() && e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
        reportingErrors([this] { EditorClick(); });
    return QWidget::eventFilter(watched, e);
}
