#include "surface/Form1.h"

#include "aids/AddIns.h"
#include "aids/AidsLogic.h"
#include "aids/Back.h"
#include "aids/ColorsForm.h"
#include "aids/Display.h"
#include "aids/Numbers.h"
#include "aids/OptionsForm.h"
#include "aids/Tools.h"
#include "aids/WindowKit.h"
#include "aids/Zoomer.h"
#include "app/Errors.h"
#include "app/Icons.h"
#include "app/MesForm.h"
#include "app/Palette.h"
#include "app/Panel.h"
#include "app/PictureDialogs.h"
#include "app/PictureFilesLogic.h"
#include "app/WindowGeometry.h"
#include "app/WindowSet.h"
#include "gfx/Combine.h"
#include "gfx/Gradient.h"
#include "platform/Platform.h"
#include "text/FormText.h"
#include "text/TextLogic.h"
#include "tools/Oper.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QToolButton>

TForm1::TForm1(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tervaso Ravo"));
    setAccessibleName(QStringLiteral("Piirtopinta"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // Moves without a button held matter too: read-outs, guide lines, the polygonal cut.
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    setFont(f);
    Canvas.font.name = QStringLiteral("Arial");
    Canvas.font.size = 10; // 13 pixels at 96 dots per inch
    Nuoli.setImage(ravoPicture(QStringLiteral(":/pictures/nuoli.svg"), 240, 240));
    buildMenus();
    setAlpha(150);
    FormCreate();
}

void TForm1::buildMenus() {
    // The items' own actions belong to the selection and capture; choosing one closes the
    // menu.
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    MenuSave = menuItem(PopupMenu, "MenuSave", QStringLiteral("Tallenna"));
    MenuCopy = menuItem(PopupMenu, "MenuCopy", QStringLiteral("Kopioi"));
    MenuCut = menuItem(PopupMenu, "MenuCut", QStringLiteral("Leikkaa"));
    MenuClear = menuItem(PopupMenu, "MenuClear", QStringLiteral("Poista"));
    MenuWorkTemp = menuItem(PopupMenu, "MenuWorkTemp", QStringLiteral("Työkaluksi"));
    MenuWork = menuItem(PopupMenu, "MenuWork", QStringLiteral("Työkaluksi valikkoon"));
    MenuCancel = menuItem(PopupMenu, "MenuCancel", QStringLiteral("Peruuta"));

    PopupMenuMbRight = new QMenu(this);
    PopupMenuMbRight->setObjectName(QStringLiteral("PopupMenuMbRight"));
    MenuMbRighPastePoint =
        menuItem(PopupMenuMbRight, "MenuMbRighPastePoint", QStringLiteral("Liitä"));
    MenuZoom = menuItem(PopupMenuMbRight, "MenuZoom", QStringLiteral("Zoomaa"), true);
    MenuMbRighCancel = menuItem(PopupMenuMbRight, "MenuMbRighCancel", QStringLiteral("Peruuta"));
    // The check mark follows the magnifier, not the click.
    onTickedItemChosen(MenuZoom, this, [this] { MenuZoomClick(); });
    connectCutOutMenus();

    OpenPictureDialog = new TOpenPictureDialog(this, OpenPictureFilter, "OpenPictureDialog");
    SavePictureDialog = new TSavePictureDialog(this, SavePictureFilter, "SavePictureDialog");
}

void TForm1::FormCreate() {
    const QSize screen = platform::screenSize();
    ZoomBitmap.reset(1, 1);
    move(0, 0);
    resize(screen);
    Canvas.reset(screen.width(), screen.height());
    ShiftIsDown = false;
    CtrlIsDown = false;
    FormId = 0;
    CaptionHeight = 0; // borderless
    // The undo slots stay empty until a snapshot is stored: an undo right after start
    // must find nothing to restore.
    History.clear();
    setCursorId(PointerMode::Default);
}

void TForm1::FormDblClick() {
    // Only releases the cutting tool; nothing else happens.
    if (ws.Palette && ws.Palette->Scissors->isChecked()) ws.Palette->Scissors->setChecked(false);
}

void TForm1::GetPosition() {
    const int w = ws.MesForm->width();
    // The width for both, as the dialog always was.
    const QPoint at = centredIn(platform::screenSize(), QSize(w, w));
    Xmespos = at.x();
    Ymespos = at.y();
}

void TForm1::InitBounds() {
    const QSize screen = platform::screenSize();
    MinX = screen.width();
    MinY = screen.height();
    MaxX = 0;
    MaxY = 0;
}

void TForm1::TestBounds(int X, int Y) {
    MinX = std::min(MinX, X);
    MinY = std::min(MinY, Y);
    MaxX = std::max(MaxX, X);
    MaxY = std::max(MaxY, Y);
    const int w = Canvas.pen.width;
    MinXRaja = MinX - w - 20;
    MinYRaja = MinY - w - 20;
    MaxXRaja = MaxX + w + 20;
    MaxYRaja = MaxY + w + 20;
}

void TForm1::setBounds(std::initializer_list<QPoint> points) {
    InitBounds();
    for (const QPoint& p : points)
        TestBounds(p.x(), p.y());
}

void TForm1::InitKopio() {
    const QSize screen = platform::screenSize();
    Kopio.reset(screen.width(), screen.height(), gfx::White);
    Kopio.pen = gfx::Pen{1, gfx::Black, gfx::PenStyle::Solid, gfx::PenMode::Copy};
    Kopio.brush = gfx::Brush{gfx::BrushStyle::Solid, gfx::White};
}

void TForm1::ClearFrame() {
    ws.Palette->DoCancelClick();
    Kopio.clear();
}

void TForm1::Erase(int X, int Y) {
    gfx::Erase(Canvas, X, Y, m_cursorId);
    if (const std::optional<QRect> square = gfx::EraserSquare(m_cursorId, X, Y))
        canvasChanged(*square);
}

void TForm1::setCursorId(PointerMode id) {
    m_cursorId = id;
    setCursor(ws.cursorFor(id));
}

void TForm1::setAlpha(int alpha) {
    m_alpha = std::clamp(alpha, 0, 255);
    setWindowOpacity(m_alpha / 255.0);
}

// --- What the handlers read from the other windows ---------------------------------------

bool TForm1::displayShown() const {
    return ws.Display && ws.Display->isVisible();
}

void TForm1::showReadout(const QString& text) {
    if (displayShown()) ws.Display->Value->setText(text);
}

bool TForm1::textArmed() const {
    const TFormText* t = ws.FormText;
    return t && t->isVisible() && (t->Visited || t->DoRepeatText->isChecked());
}

void TForm1::paletteTakesFocus() {
    ws.Palette->activateWindow();
    ws.Palette->setFocus();
}

ChangedArea TForm1::changedArea() const {
    return ChangedArea(Canvas.image().size());
}

// --- Press ----------------------------------------------------------------------------------

void TForm1::FormMouseDown(Qt::MouseButton, TShiftState Shift, int X, int Y) {
    ShiftIsDown = Shift.keys.testFlag(Qt::ShiftModifier);
    // Closing the properties keeps the mode they show for the active tool.
    if (ws.Oper->isVisible()) ws.Oper->close();
    if (!Shift.buttons.testFlag(Qt::LeftButton)) return;

    TPalette* palette = ws.Palette;
    // Choices that can fail are read before anything changes.
    const StrokeSettings stroke = ws.Tools->strokeSettings();
    palette->Settings();
    m_stroke = stroke;
    m_options = figureOptions(stroke, ws.Back->Grid->cellWidth(), ws.Back->Grid->lineWidth());
    const bool scissors = palette->Scissors->isChecked();
    const bool polygonalCut = scissors && m_stroke.shape == Shape::Line;
    if (scissors) {
        Canvas.pen.width = 1;
        Canvas.pen.color = gfx::Black;
    }
    Canvas.pen.mode = gfx::PenMode::Copy;

    QPoint p(X, Y);
    if (ws.OptionsForm->SnapToGrid->isChecked()) {
        const Snap s = snapToGrid(X, Y, ws.Back->Grid->cellWidth(), ws.Back->Grid->lineWidth());
        p = s.point;
        if (s.movePointer) platform::setPointerPosition(mapToGlobal(p));
    }

    // A rubber band still shown (between the clicks of a polygonal cut it follows the
    // pointer) goes; a cut going on keeps a side from its last corner to this point.
    const bool cutGoesOn = polygonalCut && (Xle != 0 || Yle != 0);
    ChangedArea area = changedArea();
    removeShownPreview(area);
    if (cutGoesOn && p != QPoint(Xa, Ya)) lineOnSurfaceAndMask(QPoint(Xa, Ya), p, area);
    canvasChanged(area.region());

    Xa = Xm = p.x();
    Ya = Ym = p.y();

    if (!polygonalCut) {
        Archieve();
        InitBounds();
        // The mask is screen-sized: it lives only while cutting.
        if (scissors)
            InitKopio();
        else
            Kopio.clear();
        m_strokeBase = Image1.image();
    } else if (!cutGoesOn) {
        Archieve();
        Xle = Xa;
        Yle = Ya;
        LeCount = 0;
        InitBounds();
        InitKopio();
        m_strokeBase = Image1.image();
    }

    Drawing = !palette->DoFill->isChecked() && m_cursorId != PointerMode::Pick;
    if (m_stroke.dash) {
        // The dashed pen is drawn in the current colour.
        Canvas.pen.style = gfx::PenStyle::Dash;
        Canvas.pen.color = palette->PaletteColor;
    } else {
        Canvas.pen.style = gfx::PenStyle::Solid;
    }
    m_pressed = true;
}

// --- Move -----------------------------------------------------------------------------------

void TForm1::FormMouseMove(TShiftState Shift, int X, int Y) {
    ShiftIsDown = Shift.keys.testFlag(Qt::ShiftModifier);
    if (!Drawing && displayShown()) showReadout(pointReadout(X, Y, Canvas.pixel(X, Y)));
    // While the magnifier is shown a move only refreshes it; no preview is drawn.
    if (ws.Zoomer->isVisible()) {
        RefreshZoomer(X, Y);
        return;
    }
    if (Drawing && isEraser(m_cursorId)) {
        Erase(X, Y);
        return;
    }
    if (!ws.OptionsForm->DoKeepVisible->isChecked()) {
        for (QWidget* picker :
             {static_cast<QWidget*>(ws.Numbers), static_cast<QWidget*>(ws.AddIns),
              static_cast<QWidget*>(ws.ColorsForm), static_cast<QWidget*>(ws.Tools)})
            if (picker->isVisible()) picker->hide();
    }
    if (ws.OptionsForm->PosLines->isChecked()) ws.Back->DrawPosLines(X, Y);
    if (!Drawing || textArmed()) return;

    if (m_stroke.shape == Shape::Curve) TestBounds(X, Y);
    showReadout(boundsReadout(MinX, MaxX, MinY, MaxY));

    switch (m_stroke.shape) {
    case Shape::Rect:
        if (X != Xa && Y != Ya) DrawRectangle(X, Y);
        break;
    case Shape::Curve:
        DrawFreeLine(X, Y);
        break;
    case Shape::Line:
        DrawLine(X, Y);
        break;
    case Shape::RoundRect:
        DrawRoundRect(X, Y);
        break;
    case Shape::Circle:
        DrawCircle2(X, Y);
        break;
    case Shape::Ellipse:
        DrawEllipse(X, Y);
        break;
    case Shape::Polygon:
    case Shape::PolygonCenter:
        DrawRegularPolygon(X, Y);
        break;
    case Shape::Axes:
        DrawAxes(X, Y);
        break;
    case Shape::Dot:
        break;
    }
}

// --- Previews -------------------------------------------------------------------------------

void TForm1::removeShownPreview(ChangedArea& area) {
    removePreview(Canvas, m_preview, m_strokeBase, &area);
}

void TForm1::previewTo(Figure figure, QPoint end) {
    ChangedArea area = changedArea();
    removeShownPreview(area);
    m_preview.figure = figure;
    m_preview.anchor = QPoint(Xa, Ya);
    m_preview.end = end;
    m_preview.options = m_options;
    const DrawnFigure d = showPreview(Canvas, m_preview, &area);
    if (d.hasCentre) {
        Xka = d.centre.x();
        YKa = d.centre.y();
    }
    if (figure == Figure::Axes) keepAxesBounds(d.axes);
    Xm = end.x();
    Ym = end.y();
    canvasChanged(area.region());
}

void TForm1::keepPreview(const Preview& p, ChangedArea& area) {
    const gfx::Pen pen = Canvas.pen;
    Canvas.pen = p.pen;
    Canvas.pen.mode = gfx::PenMode::Copy;
    drawFigure(Canvas, p.figure, p.anchor, p.end, p.options, true, &area);
    Canvas.pen = pen;
    if (!Kopio.isEmpty()) drawFigure(Kopio, p.figure, p.anchor, p.end, p.options, false, nullptr);
}

void TForm1::lineOnSurfaceAndMask(QPoint a, QPoint b, ChangedArea& area) {
    Canvas.line(a.x(), a.y(), b.x(), b.y());
    area.addSegment(a, b, penMargin(Canvas.pen));
    if (!Kopio.isEmpty()) Kopio.line(a.x(), a.y(), b.x(), b.y());
}

void TForm1::DrawFreeLine(int X, int Y) {
    if (ShiftIsDown) {
        // Held to a direction, the line is a rubber band from the anchor.
        previewTo(Figure::Line, ForcedPoint(Xa, Ya, X, Y));
        return;
    }
    ChangedArea area = changedArea();
    if (m_preview.shown()) {
        // Shift let go: the straight line drawn so far stays, and the line goes on from it.
        const Preview held = m_preview;
        removeShownPreview(area);
        keepPreview(held, area);
    }
    lineOnSurfaceAndMask(QPoint(Xm, Ym), QPoint(X, Y), area);
    Xm = X;
    Ym = Y;
    canvasChanged(area.region());
}

void TForm1::DrawLine(int X, int Y) {
    const QPoint E = ShiftIsDown ? ForcedPoint(Xa, Ya, X, Y) : QPoint(X, Y);
    previewTo(Figure::Line, E);
    showReadout(lineReadout(X, Y, AngleOfPoints(Xa, Ya, E.x(), E.y())));
}

void TForm1::DrawRectangle(int X, int Y) {
    previewTo(Figure::Rect, QPoint(X, Y));
    showReadout(rectangleReadout(X, Y, Xa, Ya));
}

void TForm1::DrawRoundRect(int X, int Y) {
    previewTo(Figure::RoundRect, QPoint(X, Y));
}

void TForm1::DrawEllipse(int X, int Y) {
    previewTo(Figure::Ellipse, QPoint(X, Y));
}

void TForm1::DrawCircle2(int X, int Y) {
    previewTo(Figure::Circle, QPoint(X, Y));
    showReadout(circleReadout(X, Y, roundedDistance(QPoint(Xa, Ya), QPoint(X, Y))));
}

void TForm1::DrawRegularPolygon(int X, int Y) {
    previewTo(figureOf(m_stroke.shape), QPoint(X, Y));
}

void TForm1::DrawAxes(int X, int Y) {
    previewTo(Figure::Axes, QPoint(X, Y));
    if (displayShown()) {
        const QPoint anchor(Xa, Ya);
        const AxesLayout axes = axesLayout(anchor, QPoint(X, Y), m_options.cellWidth,
                                           m_options.gridLineWidth, Canvas.pen.width, 1);
        showReadout(axesReadout(axes, anchor, QPoint(X, Y),
                                gridPitch(m_options.cellWidth, m_options.gridLineWidth)));
    }
}

void TForm1::DrawLineArrow(int Xbeg, int Ybeg, int X, int Y) {
    ChangedArea area = changedArea();
    drawArrowHead(Canvas, Xbeg, Ybeg, X, Y, &area);
    canvasChanged(area.region());
}

// --- Release --------------------------------------------------------------------------------

void TForm1::FormMouseUp(Qt::MouseButton Button, TShiftState Shift, int X, int Y) {
    ShiftIsDown = Shift.keys.testFlag(Qt::ShiftModifier);
    Drawing = false;
    if (m_cursorId == PointerMode::Pick) {
        m_pressed = false;
        pickColour(X, Y);
        return;
    }
    if (Button == Qt::RightButton) {
        m_menuPoint = QPoint(X, Y);
        PopupMenuMbRight->popup(mapToGlobal(QPoint(X, Y)));
        return;
    }
    // Only what a left press began is finished.
    if (!m_pressed) return;
    m_pressed = false;
    if (isEraser(m_cursorId)) {
        m_strokeBase = QImage();
        return;
    }

    ChangedArea area = changedArea();
    // The last rubber band goes first, so that none stays beside the final shape.
    const Preview last = m_preview;
    removeShownPreview(area);

    if (isBox(m_stroke.shape)) {
        if (Xm < Xa) std::swap(Xa, Xm);
        if (Ym < Ya) std::swap(Ya, Ym);
    }
    if (textArmed()) {
        canvasChanged(area.region());
        placeText(X, Y);
        m_strokeBase = QImage();
        return;
    }
    if (ws.Palette->DoFill->isChecked()) {
        canvasChanged(area.region());
        areaFill(X, Y);
        paletteTakesFocus();
        m_strokeBase = QImage();
        return;
    }

    // A free line held to a direction ends as that straight line.
    if (m_stroke.shape == Shape::Curve && last.shown()) keepPreview(last, area);
    drawFinalShape(X, Y, area);
    m_strokeBase = QImage();
    if (ws.Palette->Scissors->isChecked() && !cuttingSteps(X, Y, area)) return;
    ws.Palette->Settings();
}

void TForm1::drawFinalShape(int X, int Y, ChangedArea& area) {
    Canvas.pen.mode = gfx::PenMode::Copy;
    // Fills reach beyond the figure's outline wherever it leaks; they repaint everything.
    bool filled = false;
    switch (m_stroke.shape) {
    case Shape::Dot:
        finalDot(area);
        break;
    case Shape::Circle:
        filled = finalCircle(X, Y, area);
        break;
    case Shape::Ellipse:
        filled = finalEllipse(X, Y, area);
        break;
    case Shape::Rect:
    case Shape::RoundRect:
        filled = finalBox(area);
        break;
    case Shape::Polygon:
    case Shape::PolygonCenter:
        filled = finalPolygon(X, Y, area);
        break;
    case Shape::Line:
        finalLine(X, Y, area);
        break;
    case Shape::Axes:
        keepAxesBounds(
            drawFigure(Canvas, Figure::Axes, QPoint(Xa, Ya), QPoint(X, Y), m_options, true, &area)
                .axes);
        break;
    case Shape::Curve:
        break;
    }
    if (filled)
        canvasChanged();
    else
        canvasChanged(area.region());
}

void TForm1::finalDot(ChangedArea& area) {
    const int m = penMargin(Canvas.pen);
    Canvas.ellipse(Xa, Ya, Xa + 1, Ya + 1);
    area.addRect(QRect(Xa - m, Ya - m, 2 * m + 1, 2 * m + 1));
}

bool TForm1::finalCircle(int X, int Y, ChangedArea& area) {
    const QPoint anchor(Xa, Ya);
    Xm = X;
    Ym = Y;
    const int r = roundedDistance(anchor, QPoint(X, Y));
    setBounds({QPoint(Xa - r, Ya), QPoint(Xa + r, Ya), QPoint(Xa, Ya - r), QPoint(Xa, Ya + r)});
    drawFigure(Canvas, Figure::Circle, anchor, QPoint(X, Y), m_options, true, &area);
    // A click without a drag has no circle to fill.
    if (!m_stroke.fill || r == 0) return false;
    if (m_stroke.gradientItem == 0)
        borderFill(Canvas, Xa, Ya, ws.Palette->PaletteColor);
    else
        gfx::GradientRadial(Canvas, Xa, Ya, X, Y, gfx::White, ws.Palette->PanelColor->color());
    return true;
}

bool TForm1::finalEllipse(int X, int Y, ChangedArea& area) {
    const QPoint anchor(Xa, Ya);
    Xm = X;
    Ym = Y;
    setBounds({anchor, QPoint(Xm, Ym)});
    drawFigure(Canvas, Figure::Ellipse, anchor, QPoint(Xm, Ym), m_options, true, &area);
    if (!m_stroke.fill || Xm == Xa || Ym == Ya) return false;
    borderFill(Canvas, Xa + (X - Xa) / 2, Ya + (Y - Ya) / 2, ws.Palette->PaletteColor);
    return true;
}

bool TForm1::finalBox(ChangedArea& area) {
    const QPoint anchor(Xa, Ya);
    const bool rect = m_stroke.shape == Shape::Rect;
    setBounds({anchor, QPoint(Xm, Ym)});
    Canvas.brush.style = gfx::BrushStyle::Clear;
    drawFigure(Canvas, figureOf(m_stroke.shape), anchor, QPoint(Xm, Ym), m_options, true, &area);
    if (!m_stroke.fill || Xm == Xa || Ym == Ya) return false;
    const RectGradient g = rect ? rectGradientFor(m_stroke.gradientItem) : RectGradient::Plain;
    const int w = Canvas.pen.width;
    if (g == RectGradient::Plain) {
        borderFill(Canvas, Xa + w + 1, Ya + w + 1, ws.Palette->PaletteColor);
    } else {
        // Half a pen beyond the edges: the gradient also covers the outline's inner half.
        const int b = w / 2;
        fillRectGradient(Canvas, g, QRect(QPoint(Xa - b, Ya - b), QPoint(Xm + b - 1, Ym + b - 1)),
                         ws.Palette->PanelColor->color());
    }
    paletteTakesFocus();
    return true;
}

bool TForm1::finalPolygon(int X, int Y, ChangedArea& area) {
    const QPoint anchor(Xa, Ya);
    const bool onSide = m_stroke.shape == Shape::Polygon;
    const RegularPolygon poly = onSide
                                    ? polygonOnSide(anchor, QPoint(X, Y), m_options.corners)
                                    : polygonAroundCentre(anchor, QPoint(X, Y), m_options.corners);
    if (poly.empty) return false;
    InitBounds();
    for (std::size_t i = std::size_t(poly.boundsFrom); i < poly.path.size(); ++i)
        TestBounds(poly.path[i].x(), poly.path[i].y());
    drawFigure(Canvas, figureOf(m_stroke.shape), anchor, QPoint(X, Y), m_options, true, &area);
    Xka = poly.centre.x();
    YKa = poly.centre.y();
    if (!m_stroke.fill) return false;
    const int w = Canvas.pen.width;
    if (onSide)
        borderFill(Canvas, Xka, YKa, ws.Palette->PaletteColor);
    else
        borderFill(Canvas, Xka + w + 1, YKa + w + 1, ws.Palette->PaletteColor);
    paletteTakesFocus();
    return true;
}

void TForm1::finalLine(int X, int Y, ChangedArea& area) {
    const QPoint E = ShiftIsDown ? ForcedPoint(Xa, Ya, X, Y) : QPoint(X, Y);
    if (m_stroke.arrowRight) drawArrowHead(Canvas, Xa, Ya, E.x(), E.y(), &area);
    if (m_stroke.arrowLeft) drawArrowHead(Canvas, E.x(), E.y(), Xa, Ya, &area);
    drawFigure(Canvas, Figure::Line, QPoint(Xa, Ya), E, m_options, true, &area);
    // The side of a polygonal cut goes into the mask; its next corner is E.
    if (!Kopio.isEmpty()) Kopio.line(Xa, Ya, E.x(), E.y());
    Xm = E.x();
    Ym = E.y();
}

void TForm1::keepAxesBounds(const AxesLayout& axes) {
    AxelMinX = axes.minX;
    AxelMinY = axes.minY;
    AxelMaxX = axes.maxX;
    AxelMaxY = axes.maxY;
}

bool TForm1::cuttingSteps(int X, int Y, ChangedArea& area) {
    const QPoint anchor(Xa, Ya);
    switch (m_stroke.shape) {
    case Shape::Line:
        if (!closesPolygonalCut(QPoint(Xm, Ym), QPoint(Xle, Yle), LeCount)) {
            // The cut goes on from this corner; the rubber band follows the pointer.
            Xa = Xm;
            Ya = Ym;
            Drawing = true;
            LeCount += 1;
            TestBounds(Xm, Ym);
            return false;
        }
        lineOnSurfaceAndMask(QPoint(Xm, Ym), QPoint(Xle, Yle), area);
        canvasChanged(area.region());
        Xle = 0;
        Yle = 0;
        LeCount = 0;
        break;
    case Shape::Curve:
        lineOnSurfaceAndMask(QPoint(Xm, Ym), anchor, area);
        canvasChanged(area.region());
        break;
    case Shape::Circle:
    case Shape::Ellipse:
    case Shape::Rect:
    case Shape::RoundRect:
        drawFigure(Kopio, figureOf(m_stroke.shape), anchor, QPoint(Xm, Ym), m_options, false,
                   nullptr);
        break;
    case Shape::Polygon:
    case Shape::PolygonCenter: {
        // The circumscribed circle stays out of the mask, as it always has.
        ShapeOptions o = m_options;
        o.circle = false;
        drawFigure(Kopio, figureOf(m_stroke.shape), anchor, QPoint(X, Y), o, false, nullptr);
        break;
    }
    case Shape::Dot:
    case Shape::Axes:
        break;
    }
    // The dot and the axes leave no outline: like a too small one, the stroke is undone.
    if (outlineTooSmall(MinX, MinY, MaxX, MaxY)) {
        ClearFrame();
        return false;
    }
    PopupMenu->popup(mapToGlobal(QPoint(MaxX, Y)));
    return true;
}

// --- Release hooks ----------------------------------------------------------------------------

void TForm1::placeText(int X, int Y) {
    TFormText* text = ws.FormText;
    const QString plain = text->Editor->toPlainText();
    const QStringList lines = editorLines(plain);
    int y = Y + 4 - Canvas.textHeight(lines.first());
    // Lines below the surface's bottom edge would not be seen: a long text ends there.
    for (const QString& line : lines) {
        if (y >= Canvas.height()) break;
        const int h = Canvas.textHeight(line);
        if (y + h > 0) Canvas.textOut(X + 3, y, line);
        y += h;
    }
    if (!text->DoKeepText->isChecked()) text->Editor->clear();
    text->Visited = false;
    canvasChanged();
}

void TForm1::pickColour(int X, int Y) {
    const QImage shot = platform::captureScreen(QRect(mapToGlobal(QPoint(X, Y)), QSize(1, 1)));
    if (!shot.isNull()) ws.Palette->ChooseColor(gfx::fromArgb(shot.pixel(0, 0)));
    setCursorId(PointerMode::Default);
    ws.ColorsForm->DoPick->setChecked(false);
}

void TForm1::areaFill(int X, int Y) {
    const gfx::Color color = ws.Palette->PaletteColor;
    Canvas.brush = gfx::Brush{gfx::BrushStyle::Solid, color};
    Canvas.floodFill(X, Y, Canvas.pixel(Xa, Ya), gfx::FillMode::Surface);
    canvasChanged();
}

// --- Keys -----------------------------------------------------------------------------------

void TForm1::FormKeyDown(int Key, Qt::KeyboardModifiers) {
    if (Key == Qt::Key_Shift) ShiftIsDown = true;
    if (Key == Qt::Key_Control) CtrlIsDown = true;
}

void TForm1::FormKeyUp(int Key, Qt::KeyboardModifiers) {
    // Undo on the release of Z, and only while Ctrl is still held.
    if (CtrlIsDown && Key == Qt::Key_Z) ws.Palette->DoCancelClick();
    if (Key == Qt::Key_Shift) ShiftIsDown = false;
    if (Key == Qt::Key_Control) CtrlIsDown = false;
}

// --- Qt's events ----------------------------------------------------------------------------

void TForm1::canvasChanged(const QRect& r) {
    update(r);
}

void TForm1::canvasChanged(const QRegion& r) {
    if (!r.isEmpty()) update(r);
}

QRegion TForm1::takePaintedRegion() {
    QRegion r = m_painted;
    m_painted = QRegion();
    return r;
}

void TForm1::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    for (const QRect& r : e->region())
        p.drawImage(r, Canvas.image(), r);
    m_painted += e->region();
}

void TForm1::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    reportingErrors([&] {
        FormMouseDown(e->button(), {e->buttons(), e->modifiers()}, p.x(), p.y());
    });
}

void TForm1::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    reportingErrors([&] { FormMouseMove({e->buttons(), e->modifiers()}, p.x(), p.y()); });
}

void TForm1::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    reportingErrors([&] {
        FormMouseUp(e->button(), {e->buttons(), e->modifiers()}, p.x(), p.y());
    });
}

void TForm1::mouseDoubleClickEvent(QMouseEvent* e) {
    reportingErrors([this] { FormDblClick(); });
    QWidget::mouseDoubleClickEvent(e); // the second press is a press as well
}

void TForm1::keyPressEvent(QKeyEvent* e) {
    if (!e->isAutoRepeat()) reportingErrors([&] { FormKeyDown(e->key(), e->modifiers()); });
}

void TForm1::keyReleaseEvent(QKeyEvent* e) {
    // A held key repeats its release too; only the real one counts.
    if (!e->isAutoRepeat()) reportingErrors([&] { FormKeyUp(e->key(), e->modifiers()); });
}

void TForm1::closeEvent(QCloseEvent* e) {
    e->accept();
    ws.markFinished();
}
