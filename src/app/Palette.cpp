#include "app/Palette.h"

#include "aids/AddIns.h"
#include "aids/ColorsForm.h"
#include "aids/Numbers.h"
#include "aids/OptionsForm.h"
#include "aids/Tools.h"
#include "aids/WindowKit.h"
#include "aids/Zoomer.h"
#include "app/Errors.h"
#include "app/HelpForm.h"
#include "app/Icons.h"
#include "app/PaletteLogic.h"
#include "app/Panel.h"
#include "app/RavoApplication.h"
#include "app/WindowGeometry.h"
#include "app/WindowSet.h"
#include "curtain/Curtain.h"
#include "curtain/Raami.h"
#include "curtain/Strips.h"
#include "gfx/Picture.h"
#include "gfx/PictureCopy.h"
#include "platform/Platform.h"
#include "surface/Form1.h"
#include "text/FormText.h"
#include "tools/FilesForm.h"
#include "tools/LibraryLogic.h"
#include "tools/Osoitin.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QShowEvent>
#include <QSlider>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const gfx::Color DrawOn = gfx::rgb(0, 128, 0);
const gfx::Color DrawOff = gfx::rgb(192, 192, 192);

QToolButton* makeButton(QWidget* parent, const char* name, const QString& icon, int w,
                        const QString& hint, bool checkable = false) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setFixedSize(w, 28);
    b->setIcon(ravoIcon(icon));
    b->setIconSize(QSize(24, 24));
    b->setAutoRaise(true); // flat
    b->setCheckable(checkable);
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    return b;
}

Panel* makePanel(QWidget* parent, const char* name, QSize size, gfx::Color color,
                 const QString& hint) {
    auto* p = new Panel(QLatin1String(name), parent);
    p->setFixedSize(size);
    p->setColor(color);
    p->setToolTip(hint);
    p->setAccessibleName(hint);
    return p;
}

// Buttons of one group act as one switch that may be all up: pressing one releases the
// others.
void groupButtons(std::initializer_list<QToolButton*> group) {
    for (QToolButton* b : group) {
        QObject::connect(b, &QToolButton::toggled, b, [b, group = std::vector(group)](bool on) {
            if (!on) return;
            for (QToolButton* other : group)
                if (other != b) other->setChecked(false);
        });
    }
}

} // namespace

TPalette::TPalette(WindowSet& ws)
    : QWidget(nullptr), ImageIndex(ws.Form1->History.cursor()), ws(ws) {
    ws.Palette = this; // start-up below already writes into the palette through the others
    setObjectName(QStringLiteral("Palette"));
    setWindowTitle(QStringLiteral("Ravo"));
    setToolTip(QStringLiteral("Ravon valikko"));
    setAccessibleName(QStringLiteral("Ravon valikko"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    setFont(f);
    buildControls();
    resize(38, 638);
    FormCreate();
}

void TPalette::buildControls() {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    PanelTop = new QWidget(this);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    PanelTop->setFixedSize(38, 554);
    auto* top = new QVBoxLayout(PanelTop);
    top->setContentsMargins(0, 3, 0, 3);
    top->setSpacing(3);

    DoDocument = makeButton(PanelTop, "DoDocument", QStringLiteral("document"), 32,
                            QStringLiteral("Siirry läpinäkymättömään tilaan ja takaisin"), true);
    DoTop = makeButton(PanelTop, "DoTop", QStringLiteral("curtain"), 32,
                       QStringLiteral("Näytä/Piilota verho"));
    PanelPenWidth = makePanel(PanelTop, "PanelPenWidth", QSize(38, 25), gfx::rgb(240, 240, 240),
                              QStringLiteral("Avaa kynän vahvuuden valinta"));
    QFont bold = font();
    bold.setBold(true);
    PanelPenWidth->setFont(bold);
    DoShowDrawMenu = makeButton(PanelTop, "DoShowDrawMenu", QStringLiteral("shape-curve"), 32,
                                QStringLiteral("Avaa piirtotyökaluvalikko"), true);
    DoShowDrawMenu->setChecked(true);
    Scissors = makeButton(PanelTop, "Scissors", QStringLiteral("scissors"), 33,
                          QStringLiteral("Leikkaustyökalu"), true);
    DoText = makeButton(PanelTop, "DoText", QStringLiteral("text"), 33,
                        QStringLiteral("Avaa tekstieditori"), true);
    DoFill = makeButton(PanelTop, "DoFill", QStringLiteral("fill"), 33,
                        QStringLiteral("Värjää alue"), true);
    PanelColor = makePanel(PanelTop, "PanelColor", QSize(26, 24), gfx::Black,
                           QStringLiteral("Avaa värivalikko"));
    PanelColor->setFrameShape(QFrame::Panel);
    PanelColor->setFrameShadow(QFrame::Sunken);
    DoArrow = makeButton(PanelTop, "DoArrow", QStringLiteral("library"), 33,
                         QStringLiteral("Avaa työkaluvalikko"));
    Sponge = makeButton(PanelTop, "Sponge", QStringLiteral("sponge"), 33,
                        QStringLiteral("Avaa pyyhkimistyövalikko"));
    DoCancel = makeButton(PanelTop, "DoCancel", QStringLiteral("undo"), 32,
                          QStringLiteral("Edellisen piirron peruutus"));
    DoClear = makeButton(PanelTop, "DoClear", QStringLiteral("clear"), 32,
                         QStringLiteral("Tyhjennä kuva-alue"));
    DoCamera = makeButton(PanelTop, "DoCamera", QStringLiteral("camera"), 32,
                          QStringLiteral("Ota taustasta kuva ja tuo kuvapinnalle"));
    DoPrint = makeButton(PanelTop, "DoPrint", QStringLiteral("print"), 32,
                         QStringLiteral("Tulosta näytön kuva. Läpinäkyvässä tilassa tausta ja "
                                        "piirto yhdessä, läpinäkymättömässä tilassa vain "
                                        "piirretty kuva."));
    DoOpen = makeButton(PanelTop, "DoOpen", QStringLiteral("open"), 32,
                        QStringLiteral("Avaa kuvatiedosto"));
    DoSave = makeButton(PanelTop, "DoSave", QStringLiteral("save"), 32,
                        QStringLiteral("Tallenna kuva tiedostoon"));
    DoShowOptions = makeButton(PanelTop, "DoShowOptions", QStringLiteral("options"), 32,
                               QStringLiteral("Avaa asetukset-ikkuna"));
    DoShowInfo = makeButton(PanelTop, "DoShowInfo", QStringLiteral("info"), 32,
                            QStringLiteral("Tietoja Ravosta"));
    for (QWidget* w : std::initializer_list<QWidget*>{
             DoDocument, DoTop, PanelPenWidth, DoShowDrawMenu, Scissors, DoText, DoFill, PanelColor,
             DoArrow, Sponge, DoCancel, DoClear, DoCamera, DoPrint, DoOpen, DoSave, DoShowOptions,
             DoShowInfo})
        top->addWidget(w, 0, Qt::AlignHCenter);
    column->addWidget(PanelTop);

    DoSetState =
        makePanel(this, "DoSetState", QSize(38, 28), DrawOff,
                  QStringLiteral(
                      "Poista ja aseta piirtotila. Vihreä tarkoittaa päällä, harmaa pois päältä."));
    DoSetState->setText(QStringLiteral("Piirto"));
    QFont small(QStringLiteral("Arial"));
    small.setPointSize(11);
    DoSetState->setFont(small);
    DoSetState->setFrameShape(QFrame::Panel);
    DoSetState->setFrameShadow(QFrame::Raised);
    DoShowPalette = makeButton(this, "DoShowPalette", QStringLiteral("movedown"), 38,
                               QStringLiteral("Piennennä/Suurenna valikko"), true);
    DoClose =
        makeButton(this, "DoClose", QStringLiteral("close"), 38, QStringLiteral("Suljetaan Ravo"));
    column->addWidget(DoSetState);
    column->addWidget(DoShowPalette);
    column->addWidget(DoClose);
    column->addStretch(1);

    groupButtons({DoShowDrawMenu, DoText});
    groupButtons({Scissors, DoFill});

    PopupCurtain = new QMenu(this);
    PopupCurtain->setObjectName(QStringLiteral("PopupCurtain"));
    MenuCurtain1 = menuItem(PopupCurtain, "MenuCurtain1", QStringLiteral("Verho"), true);
    MenuCurtainForm = menuItem(PopupCurtain, "MenuCurtainForm", QStringLiteral("Ikkuna"), true);
    MenuCurtainCancel = menuItem(PopupCurtain, "MenuCurtainCancel", QStringLiteral("Peruuta"));
    // The handlers decide the marks.
    onTickedItemChosen(MenuCurtain1, this, [this] { MenuCurtain1Click(); });
    onTickedItemChosen(MenuCurtainForm, this, [this] { MenuCurtainFormClick(); });

    connect(DoDocument, &QToolButton::clicked, this, reporting(this, &TPalette::DoDocumentClick));
    connect(DoTop, &QToolButton::clicked, this, reporting(this, &TPalette::DoTopClick));
    connect(PanelPenWidth, &Panel::clicked, this, reporting(this, &TPalette::PanelPenWidthClick));
    connect(DoShowDrawMenu, &QToolButton::clicked, this,
            reporting(this, &TPalette::DoShowDrawMenuClick));
    connect(Scissors, &QToolButton::clicked, this, reporting(this, &TPalette::ScissorsClick));
    connect(DoText, &QToolButton::clicked, this, reporting(this, &TPalette::DoTextClick));
    connect(DoFill, &QToolButton::clicked, this, reporting(this, &TPalette::DoFillClick));
    connect(PanelColor, &Panel::clicked, this, reporting(this, &TPalette::PanelColorClick));
    connect(DoArrow, &QToolButton::clicked, this, reporting(this, &TPalette::DoArrowClick));
    connect(Sponge, &QToolButton::clicked, this, reporting(this, &TPalette::SpongeClick));
    connect(DoCancel, &QToolButton::clicked, this, reporting(this, &TPalette::DoCancelClick));
    connect(DoClear, &QToolButton::clicked, this, reporting(this, &TPalette::DoClearClick));
    connectPictureButtons();
    connect(DoShowOptions, &QToolButton::clicked, this,
            reporting(this, &TPalette::DoShowOptionsClick));
    connect(DoShowInfo, &QToolButton::clicked, this, reporting(this, &TPalette::DoShowInfoClick));
    connect(DoSetState, &Panel::clicked, this, reporting(this, &TPalette::DoSetStateClick));
    connect(DoShowPalette, &QToolButton::clicked, this,
            reporting(this, &TPalette::DoShowPaletteClick));
    connect(DoClose, &QToolButton::clicked, this, reporting(this, &TPalette::DoCloseClick));
}

void TPalette::FormCreate() {
    if (auto* app = qobject_cast<RavoApplication*>(QApplication::instance()))
        app->setHintHidePause(4000);
    Loading = true;
    Capturing = false;
    PaletteHeight = height();
    ImageIndex = 1;
    runStartup();
}

bool TPalette::drawStateOn() const {
    return DoSetState->color() == DrawOn;
}

int TPalette::bottomTop(int outerHeight) const {
    return bottomRuleTop(platform::screenSize().height(), outerHeight, platform::taskbarHeight());
}

void TPalette::showBeside(QWidget* w, int top) {
    w->move(besideLeft(x(), outerWidth(this), outerWidth(w)), top);
    w->show();
}

int TPalette::topOf(const QWidget* control) const {
    return y() + control->mapTo(this, QPoint(0, 0)).y();
}

void TPalette::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void TPalette::FormShow() {
    if (Capturing) return;
    ws.FilesForm->ToolsFolder = folders.ToolsFolder;
    const QString arrowFile = folders.ToolsFolder + QStringLiteral("Nuoli.bmp");
    if (!QFile::exists(arrowFile)) {
        try {
            gfx::savePicture(ws.Form1->Nuoli.image(), arrowFile, gfx::PictureFormat::Bmp);
        } catch (const gfx::PictureError& e) {
            reportError(e.message());
        }
    }
    try {
        Settings();
    } catch (const RavoError& e) {
        reportError(e.text());
    }
    DoSetStateClick();
    Loading = false;
    ws.OptionsForm->CellWidthChange();
    const QSize screen = platform::screenSize();
    move(screen.width() - outerWidth(this), bottomTop(outerHeight(this)));
    ws.FormText->move(screen.width() - screen.width() / 2 - outerWidth(ws.FormText) / 2 - 10,
                      ws.FormText->y());
    setWindowTitle(QStringLiteral("  Ravo"));
    ws.Zoomer->SetZoomSizes();
    ws.OptionsForm->SetFactor();
}

void TPalette::Settings() {
    gfx::Canvas& canvas = ws.Form1->Canvas;
    const int size = StrToInt(ws.FormText->FontSize->currentText());
    canvas.font.size = size;
    canvas.font.name = ws.FormText->FontName->currentText();
    canvas.font.color = PaletteColor;
    canvas.brush.style = gfx::BrushStyle::Clear;
    if (ws.Tools->shape() == Shape::Dot) {
        canvas.pen.width = DotPenWidth;
        canvas.pen.color = DotPenColor;
        PanelColor->setColor(DotPenColor);
    } else {
        canvas.pen.width = LinePenWidth;
        canvas.pen.color = LinePenColor;
        PanelColor->setColor(LinePenColor);
    }
    PanelPenWidth->setText(QString::number(canvas.pen.width));

    QTextEdit* editor = ws.FormText->Editor;
    QTextCursor cursor = editor->textCursor();
    cursor.select(QTextCursor::Document);
    QTextCharFormat fmt;
    fmt.setFontFamilies({canvas.font.name});
    fmt.setFontPointSize(canvas.font.size);
    fmt.setForeground(gfx::toQColor(canvas.font.color));
    cursor.mergeCharFormat(fmt);
    editor->mergeCurrentCharFormat(fmt); // text typed into an empty editor too
    cursor.setPosition(cursor.selectionStart());
    editor->setTextCursor(cursor);
}

void TPalette::ChooseColor(gfx::Color c) {
    PaletteColor = c;
    PanelColor->setColor(c);
    if (ws.Tools->shape() == Shape::Dot)
        DotPenColor = c;
    else
        LinePenColor = c;
    Settings();
}

void TPalette::SetCursor() {
    ws.Form1->setCursorId(!DoShowPalette->isChecked() && Scissors->isChecked()
                              ? PointerMode::Scissors
                              : PointerMode::Default);
}

void TPalette::DoClearClick() {
    TForm1* f = ws.Form1;
    if (!DoDocument->isChecked()) f->setAlpha(ws.OptionsForm->Alpha->value());
    f->Archieve();
    f->Canvas.fillRect(0, 0, f->Canvas.width(), f->Canvas.height(), gfx::White);
    f->canvasChanged();
    Settings();
    SetCursor();
    ImageIndex = 1;
}

void TPalette::DoDocumentClick() {
    ws.Form1->setAlpha(DoDocument->isChecked() ? 255 : ws.OptionsForm->Alpha->value());
    Settings();
    SetCursor();
}

void TPalette::DoTopClick() {
    PopupCurtain->popup(curtainMenuPos(x(), y(), outerWidth(this), platform::screenSize().width()));
}

void TPalette::PanelPenWidthClick() {
    showBeside(ws.Numbers, topOf(PanelPenWidth));
    ws.Tools->hide();
    SetCursor();
}

void TPalette::DoShowDrawMenuClick() {
    showBeside(ws.Tools, topOf(DoShowDrawMenu));
    ws.Tools->raise();
    SetCursor();
    DoShowDrawMenu->setChecked(true);
    ws.Numbers->hide();
}

void TPalette::PanelColorClick() {
    showBeside(ws.ColorsForm, topOf(PanelColor) + 20);
    ws.ColorsForm->raise();
    SetCursor();
}

void TPalette::DoArrowClick() {
    setOuterHeight(ws.FilesForm, outerHeight(this));
    showBeside(ws.FilesForm, y());
    Scissors->setChecked(false);
    SetCursor();
}

void TPalette::SpongeClick() {
    showBeside(ws.AddIns, topOf(Sponge));
}

void TPalette::DoShowOptionsClick() {
    MoveFormToBitmap(ws.Form1->Image1);
    showBeside(ws.OptionsForm, bottomTop(outerHeight(ws.OptionsForm)) - 120);
}

void TPalette::DoShowInfoClick() {
    showBeside(ws.HelpForm, y());
}

void TPalette::DoTextClick() {
    TFormText* text = ws.FormText;
    if (DoText->isChecked()) {
        const int screenW = platform::screenSize().width();
        text->move(screenW - outerWidth(this) - outerWidth(text) - 2, bottomTop(outerHeight(text)));
        text->show();
        text->raise();
    } else {
        text->Visited = false;
        text->hide();
    }
    Scissors->setChecked(false);
    SetCursor();
}

void TPalette::ScissorsClick() {
    SetCursor();
    if (Scissors->isChecked()) {
        ws.Tools->Fill->setChecked(false);
        ws.Form1->Xle = 0;
        ws.Form1->Yle = 0;
    }
}

void TPalette::DoFillClick() {
    SetCursor();
}

void TPalette::DoSetStateClick() {
    TForm1* surface = ws.Form1;
    if (!drawStateOn()) {
        surface->show();
        DoSetState->setColor(DrawOn);
        const QSize screen = platform::screenSize();
        surface->move(0, 0);
        surface->resize(screen.width(), surfaceHeight(screen.height(), platform::taskbarHeight()));
        surface->Image1 = surface->CopyImage;
        MoveBitmapToForm();
        surface->CopyImage.clear();
        surface->Image1.clear();
    } else {
        DoSetState->setColor(DrawOff);
        surface->hide();
        MoveFormToBitmap(surface->Image1);
        surface->CopyImage = surface->Image1;
    }
}

void TPalette::MoveFormToBitmap(gfx::Canvas& picture) {
    TForm1* surface = ws.Form1;
    const QImage& drawing = surface->Canvas.image();
    const QRect r(0, 0, surface->width(), surface->height());
    // A picture of the surface's size keeps its memory: the snapshots reuse theirs.
    if (picture.image().size() == r.size() && gfx::copyArea(drawing, picture.image(), r)) return;
    picture.setImage(drawing.copy(r));
}

void TPalette::MoveBitmapToForm() {
    TForm1* surface = ws.Form1;
    if (surface->Image1.isEmpty()) return;
    const QRect r(0, 0, surface->width(), surface->height());
    QPainter p(&surface->Canvas.image());
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(r, surface->Image1.image(), r);
    p.end();
    surface->canvasChanged(r);
}

void TPalette::DoShowPaletteClick() {
    if (DoShowPalette->isChecked()) {
        DoShowPalette->setIcon(ws.Curtain->MoveUp->icon());
        PanelTop->hide();
        layout()->activate(); // the smaller minimum height, now
        setOuterHeight(this, 112);
    } else {
        DoShowPalette->setIcon(ws.Curtain->MoveDown->icon());
        PanelTop->show();
        layout()->activate();
        resize(width(), PaletteHeight);
    }
    move(x(), bottomTop(outerHeight(this)));
    SetCursor();
}

void TPalette::MenuCurtain1Click() {
    TFilesForm* library = ws.FilesForm;
    if (MenuCurtain1->isChecked()) {
        MenuCurtain1->setChecked(false);
        for (TOsoitin* t : ws.Form1->toolWindows.tools())
            if (t->windowTitle() == CurtainPicture) {
                delete t;
                break;
            }
    } else {
        if (ws.Raami->isVisible()) MenuCurtainFormClick();
        // The curtain picture is a tool of the library, opaque, at the library's place.
        library->LoadPicture(CurtainPicture);
        library->Xanipos = library->DefXpos;
        library->Yanipos = library->DefYpos;
        library->ShowTool(CurtainPicture, 255);
        // However the picture goes (its own delete, clear-all, a design opened), the item
        // follows it.
        if (TOsoitin* curtain = ws.Form1->ToolForm)
            connect(curtain, &QObject::destroyed, this,
                    [this] { MenuCurtain1->setChecked(false); });
        raise();
        MenuCurtain1->setChecked(true);
    }
}

void TPalette::MenuCurtainFormClick() {
    if (ws.Raami->isVisible()) {
        ws.LeftCurtain->hide();
        ws.TopCurtain->hide();
        ws.RightCurtain->hide();
        ws.BottomCurtain->hide();
        ws.Raami->hide();
        MenuCurtainForm->setChecked(false);
    } else {
        if (MenuCurtain1->isChecked()) MenuCurtain1Click();
        MenuCurtainForm->setChecked(true);
        const QSize screen = platform::screenSize();
        ws.Raami->move(centredIn(screen, QSize(outerWidth(ws.Raami), outerHeight(ws.Raami))));
        ws.Raami->show();
    }
}

void TPalette::DoCloseClick() {
    ws.Form1->close();
}

void TPalette::closeEvent(QCloseEvent* e) {
    QWidget::closeEvent(e);
    ws.Form1->close();
}
