#include "aids/OptionsForm.h"

#include "aids/AidsLogic.h"
#include "aids/Back.h"
#include "aids/Display.h"
#include "aids/WindowKit.h"
#include "app/Errors.h"
#include "app/Palette.h"
#include "app/WindowGeometry.h"
#include "app/WindowSet.h"
#include "platform/Platform.h"
#include "surface/Form1.h"
#include "tools/FilesForm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>

namespace {

QLabel* label(const char* name, const QString& caption, QWidget* parent, int left, int top,
              int width) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(left, top, width, 17);
    return l;
}

QCheckBox* checkBox(const char* name, const QString& caption, const QString& hint, QWidget* parent,
                    int left, int top, int width) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    setHint(c, hint);
    c->setGeometry(left, top, width, 19);
    return c;
}

bool isArrowKey(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

// One step left or right for a released arrow key, within the bar's range.
void stepByKey(QSlider* bar, int key) {
    if (key == Qt::Key_Left && bar->value() > bar->minimum())
        bar->setValue(bar->value() - 1);
    else if (key == Qt::Key_Right && bar->value() < bar->maximum())
        bar->setValue(bar->value() + 1);
}

} // namespace

TOptionsForm::TOptionsForm(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("OptionsForm"));
    setWindowTitle(QStringLiteral("Asetukset"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint);

    Book = new QTabWidget(this);
    Book->setObjectName(QStringLiteral("Book"));
    Book->setGeometry(0, 0, 572, 316);
    BookPage1 = new QWidget;
    BookPage1->setObjectName(QStringLiteral("BookPage1"));
    Book->addTab(BookPage1, QStringLiteral("Asetukset"));
    QWidget* page = BookPage1;

    // Opacities and speed, down the left side.
    Label1 = label("Label1", QStringLiteral("Pinnan läpinäkyvyys"), page, 12, 10, 240);
    Alpha = trackBar("Alpha", 2, 255, 100, QStringLiteral("Piirtopinnan läpinäkyvyyden säätö"));
    Alpha->setGeometry(8, 28, 230, 26);
    Value1 = label("Value1", QStringLiteral("Arvo1"), page, 246, 33, 40);

    Label2 = label("Label2", QStringLiteral("Työkalun läpinäkyvyys"), page, 12, 64, 240);
    WorkAlpha = trackBar("WorkAlpha", 2, 255, 120,
                         QStringLiteral("Kohteena olevan työkalun läpinäkyvyyden säätö"));
    WorkAlpha->setGeometry(8, 82, 230, 26);
    Value2 = label("Value2", QStringLiteral("Arvo2"), page, 246, 87, 40);

    Label3 = label("Label3", QStringLiteral("Työkalun liukunopeus"), page, 12, 118, 240);
    Speed = trackBar("Speed", 1, 100, 100,
                     QStringLiteral("Työkalut tuodaan näytölle animoidusti. Tällä säädet esiin "
                                    "tulon nopeuden."));
    Speed->setGeometry(8, 136, 230, 26);
    Value4 = label("Value4", QStringLiteral("Arvo4"), page, 246, 141, 40);

    PosLines = checkBox("PosLines", QStringLiteral("Osoitinviivaimet"),
                        QStringLiteral("Ruksattuna näytetään kohdistinviivaimet näytöllä"), page,
                        12, 180, 270);
    DoKeepVisible =
        checkBox("DoKeepVisible", QStringLiteral("Pidä työkaluikkunat näkyvissä"),
                 QStringLiteral("Ruksattuna valintaikkunat pysyvät näkyvissä valinnan jälkeen"),
                 page, 12, 204, 270);
    ShowDisplay = checkBox("ShowDisplay", QStringLiteral("Osoitin näkyvissä"),
                           QStringLiteral("Ruksattuna on pieni näytin -ikkuna näkyvissä"), page, 12,
                           228, 270);

    // The grid, on the right.
    GroupGrid = new QGroupBox(QStringLiteral("Ruudukko"), page);
    GroupGrid->setObjectName(QStringLiteral("GroupGrid"));
    GroupGrid->setAccessibleName(QStringLiteral("Ruudukko"));
    GroupGrid->setGeometry(296, 8, 262, 154);
    Grid = checkBox("Grid", QStringLiteral("Käytössä"),
                    QStringLiteral("Ruksattuna näytetään näytöllä ruudukko. Yhden ruudun koko "
                                   "säädetään viereisellä säätimellä."),
                    GroupGrid, 10, 22, 90);
    CellWidth = trackBar("CellWidth", 6, 600, 40,
                         QStringLiteral("Ruudukon solun korkeuden ja leveyden säätö"));
    CellWidth->setParent(GroupGrid);
    CellWidth->setGeometry(100, 19, 116, 26);
    Value3 = label("Value3", QStringLiteral("Arvo3"), GroupGrid, 220, 24, 38);
    Label4 = label("Label4", QStringLiteral("Viiva"), GroupGrid, 12, 60, 40);
    Label4->setAccessibleName(QStringLiteral("Viiva"));
    GridLineWidth = new QSpinBox(GroupGrid);
    GridLineWidth->setObjectName(QStringLiteral("GridLineWidth"));
    setHint(GridLineWidth, QStringLiteral("Ruudukon viivan leveys pikseleinä"));
    GridLineWidth->setRange(1, 9);
    GridLineWidth->setValue(1);
    GridLineWidth->setGeometry(56, 56, 48, 24);
    SnapToGrid = checkBox("SnapToGrid", QStringLiteral("Ruutuun kiinnitys"),
                          QStringLiteral("Ruksattuna piirron aloituksessa kursori pakotetaan "
                                         "automaattisesti lähimpään vasempaan ylänurkkaan"),
                          GroupGrid, 10, 96, 240);

    DoClose = flatPushButton("DoClose", QStringLiteral("&Sulje"), page, QRect(270, 246, 90, 28),
                             QStringLiteral("Suljetaan ikkuna"));
    DoClearAll =
        flatPushButton("DoClearAll", QStringLiteral("&Alusta   "), page, QRect(368, 246, 90, 28),
                       QStringLiteral("Puhdistaa näytön ja poistaa kaikki työkalut näytöltä"));
    DoSaveSettings = flatPushButton(
        "DoSaveSettings", QStringLiteral("&Tallenna"), page, QRect(466, 246, 90, 28),
        QStringLiteral("Tallentaa liukusäädinten arvot, käytetyn väri, kynän vahvuuden ja fontin "
                       "seuraavaan istuntoon"));

    resize(572, 316);

    // Handlers are connected once every control holds its layout value, so that building
    // the window runs none of them.
    connect(Alpha, &QSlider::valueChanged, this, reporting(this, &TOptionsForm::AlphaChange));
    connect(WorkAlpha, &QSlider::valueChanged, this,
            reporting(this, &TOptionsForm::WorkAlphaChange));
    connect(CellWidth, &QSlider::valueChanged, this,
            reporting(this, &TOptionsForm::CellWidthChange));
    connect(Speed, &QSlider::valueChanged, this, reporting(this, &TOptionsForm::CellWidthChange));
    connect(Grid, &QCheckBox::toggled, this, reporting(this, &TOptionsForm::GridClick));
    connect(SnapToGrid, &QCheckBox::toggled, this, reporting(this, &TOptionsForm::GridClick));
    connect(GridLineWidth, &QSpinBox::valueChanged, this,
            reporting(this, &TOptionsForm::GridLineWidthChange));
    connect(PosLines, &QCheckBox::toggled, this, reporting(this, &TOptionsForm::PosLinesClick));
    connect(ShowDisplay, &QCheckBox::toggled, this,
            reporting(this, &TOptionsForm::ShowDisplayClick));
    connect(DoClose, &QPushButton::clicked, this, reporting(this, &TOptionsForm::DoCloseClick));
    connect(DoSaveSettings, &QPushButton::clicked, this,
            reporting(this, &TOptionsForm::DoSaveSettingsClick));
    connect(DoClearAll, &QPushButton::clicked, this,
            reporting(this, &TOptionsForm::DoClearAllClick));
}

QSlider* TOptionsForm::trackBar(const char* name, int min, int max, int position,
                                const QString& hint) {
    auto* bar = new QSlider(Qt::Horizontal, BookPage1);
    bar->setObjectName(QLatin1String(name));
    bar->setRange(min, max);
    bar->setPageStep(1);
    bar->setSingleStep(1);
    bar->setValue(position);
    setHint(bar, hint);
    bar->installEventFilter(this);
    return bar;
}

void TOptionsForm::ShowValues() {
    Value1->setText(QString::number(Alpha->value()));
    Value2->setText(QString::number(WorkAlpha->value()));
    Value3->setText(QString::number(CellWidth->value()));
    Value4->setText(QString::number(Speed->value()));
}

void TOptionsForm::FormShow() {
    ShowValues();
}

void TOptionsForm::AlphaChange() {
    ws.Form1->setAlpha(Alpha->value());
    ShowValues();
}

void TOptionsForm::WorkAlphaChange() {
    ShowValues();
}

void TOptionsForm::AlphaKeyUp(int key) {
    stepByKey(Alpha, key);
}

void TOptionsForm::WorkAlphaKeyUp(int key) {
    stepByKey(WorkAlpha, key);
}

void TOptionsForm::CellWidthChange() {
    if (paletteLoading(ws)) return;
    ws.Back->Grid->setCellWidth(CellWidth->value());
    ws.Back->Grid->setRowHeight(CellWidth->value());
    ShowValues();
}

void TOptionsForm::GridClick() {
    ws.Back->setGridVisible(Grid->isChecked());
    if (!Grid->isChecked()) return;
    PosLines->setChecked(false);
    ws.Back->Grid->setCellWidth(CellWidth->value());
    ws.Back->Grid->setRowHeight(CellWidth->value());
    ws.Back->Grid->setLineWidth(GridLineWidth->value());
}

void TOptionsForm::GridLineWidthChange() {
    ws.Back->Grid->setLineWidth(GridLineWidth->value());
}

void TOptionsForm::PosLinesClick() {
    if (PosLines->isChecked()) Grid->setChecked(false);
    ws.Back->setPosLinesVisible(PosLines->isChecked());
}

void TOptionsForm::ShowDisplayClick() {
    TDisplay* display = ws.Display;
    if (!ShowDisplay->isChecked()) {
        display->hide();
        return;
    }
    const QRect palette(ws.Palette->pos(), QSize(outerWidth(ws.Palette), outerHeight(ws.Palette)));
    display->move(displayPosition(platform::screenSize().width(), palette,
                                  QSize(outerWidth(display), outerHeight(display))));
    display->Value->clear();
    display->show();
}

void TOptionsForm::DoCloseClick() {
    hide();
}

void TOptionsForm::DoSaveSettingsClick() {
    ws.Palette->WriteSettings();
}

void TOptionsForm::DoClearAllClick() {
    // No question is asked: the surface is cleared and the tools on it go too.
    ws.Palette->DoClearClick();
    ws.FilesForm->GetTools();
    ws.FilesForm->DoAll(QStringLiteral("DELETE"), true);
}

void TOptionsForm::SetFactor() {
    ws.Form1->Factor = 200;
}

void TOptionsForm::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    FormShow();
}

bool TOptionsForm::eventFilter(QObject* watched, QEvent* e) {
    const bool press = e->type() == QEvent::KeyPress;
    if ((press || e->type() == QEvent::KeyRelease) && qobject_cast<QSlider*>(watched)) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (isArrowKey(key->key())) {
            // A held key repeats its press but is released once.
            if (!press && !key->isAutoRepeat()) {
                if (watched == Alpha)
                    AlphaKeyUp(key->key());
                else if (watched == WorkAlpha)
                    WorkAlphaKeyUp(key->key());
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}
