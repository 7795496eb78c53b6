#include "tools/RotImg.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <stdexcept>

TPicture TPicture::fromBitmap(const QImage& image) {
    TPicture p;
    if (image.isNull()) return p;
    p.m_kind = Kind::Bitmap;
    p.m_bitmap.setImage(image);
    return p;
}

TPicture TPicture::fromDrawing(const QPicture& drawing) {
    TPicture p;
    if (drawing.isNull() || drawing.boundingRect().isEmpty()) return p;
    p.m_kind = Kind::Drawing;
    p.m_drawing = drawing;
    return p;
}

TPicture TPicture::fromIcon(const QIcon& icon, QSize size) {
    TPicture p;
    if (icon.isNull() || size.isEmpty()) return p;
    p.m_kind = Kind::Icon;
    p.m_icon = icon;
    p.m_iconSize = size;
    return p;
}

QSize TPicture::size() const {
    switch (m_kind) {
    case Kind::Bitmap:
        return QSize(m_bitmap.width(), m_bitmap.height());
    case Kind::Drawing: {
        const QRect r = m_drawing.boundingRect();
        return QSize(r.right() + 1, r.bottom() + 1);
    }
    case Kind::Icon:
        return m_iconSize;
    case Kind::Empty:
        break;
    }
    return QSize();
}

void TPicture::drawGraphic(QPainter& p) const {
    if (m_kind == Kind::Drawing)
        p.drawPicture(0, 0, m_drawing);
    else if (m_kind == Kind::Icon)
        m_icon.paint(&p, QRect(QPoint(0, 0), m_iconSize));
}

QImage TPicture::unturnedBitmap() const {
    if (isBitmap()) return m_bitmap.image();
    if (isEmpty()) return QImage();
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    drawGraphic(p);
    return image;
}

TRotateImage::TRotateImage(QWidget* parent) : QWidget(parent) {
    // No background of its own: what lies behind shows outside the turned picture.
    setAutoFillBackground(false);
    resize(105, 105);
}

TRotateImage::~TRotateImage() = default;

void TRotateImage::SetPicture(const TPicture& picture) {
    FPicture = picture;
    PictureChanged();
}

void TRotateImage::PictureChanged() {
    if (FLoading || FChanging) return;
    FChanging = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{FChanging};

    if (!FPicture.isEmpty()) {
        if (FPicture.isBitmap()) FPicture.setTransparent(FTransparent);
        FMaxSize = gfx::MaxSizeOf(FPicture.size());
    } else {
        FMaxSize = 0;
    }

    // The working bitmap.
    FBitmap = nullptr;
    FBitmapCopy.clear();
    FFreeBitmap = false;
    if (FPicture.isBitmap()) {
        FBitmap = &FPicture.bitmap();
        // A bitmap's transparent colour is its bottom-left pixel unless set otherwise.
        FBitmapTransparentColor = gfx::rotationBackground(FBitmap->image());
        FBitmapTransparent = FPicture.transparent();
    } else if (!FPicture.isEmpty()) {
        const QSize s = FPicture.size();
        FBitmapCopy.reset(s.width(), s.height(), FColor);
        {
            QPainter p(&FBitmapCopy.image());
            FPicture.drawGraphic(p);
        }
        FBitmap = &FBitmapCopy;
        FFreeBitmap = true;
        FBitmapTransparentColor = FColor;
        FBitmapTransparent = FPicture.transparent();
    }

    RebuildRotated();
    ClearMetrics();
    if (FAutoSize && FMaxSize != 0) ApplyAutoSize();
    update();
    DoRotation();
}

void TRotateImage::RebuildRotated() {
    FMaskedRotated = QImage();
    if (!FBitmap || FBitmap->isEmpty()) {
        FRotatedBitmap = QImage();
        return;
    }
    const gfx::Color back = FBitmapTransparentColor & 0xFFFFFFu;
    FRotatedBitmap = gfx::BuildRotatedBitmap(FBitmap->image(), back, FAngle);
    FRotatedTransparentColor = back;
    FRotatedTransparent = FBitmapTransparent;
}

void TRotateImage::SetAngle(long double angle) {
    if (angle == FAngle) return;
    FAngle = angle;
    if (FPicture.isEmpty() || FLoading) return;
    RebuildRotated();
    ClearMetrics();
    if (FAutoSize && !FUniqueSize) ApplyAutoSize();
    update();
    DoRotation();
}

void TRotateImage::SetCenter(bool on) {
    if (on == FCenter) return;
    FCenter = on;
    ClearMetrics();
    update();
}

void TRotateImage::SetStretch(bool on) {
    if (on == FStretch) return;
    FStretch = on;
    ClearMetrics();
    update();
}

void TRotateImage::SetProportional(bool on) {
    if (on == FProportional) return;
    FProportional = on;
    ClearMetrics();
    update();
}

void TRotateImage::SetUniqueSize(bool on) {
    if (on == FUniqueSize) return;
    FUniqueSize = on;
    ClearMetrics();
    if (FAutoSize) ApplyAutoSize();
    update();
}

void TRotateImage::SetTransparent(bool on) {
    if (on == FTransparent) return;
    FTransparent = on;
    if (!FPicture.isEmpty()) {
        FPicture.setTransparent(on); // icons and drawings stay transparent regardless
        FBitmapTransparent = FPicture.transparent();
        FRotatedTransparent = FBitmapTransparent;
        update();
    }
}

void TRotateImage::SetAutoSize(bool on) {
    if (on == FAutoSize) return;
    FAutoSize = on;
    if (on) ApplyAutoSize();
}

QSize TRotateImage::sizeHint() const {
    if (FUniqueSize) return QSize(FMaxSize, FMaxSize);
    return FRotatedBitmap.size();
}

void TRotateImage::ApplyAutoSize() {
    // The position stays; only the size follows the picture.
    const QSize s = sizeHint();
    if (!s.isEmpty()) resize(s);
}

TRotateImage::CanvasAccess TRotateImage::Canvas() {
    if (FPicture.isEmpty()) {
        QImage white(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
        white.fill(Qt::white);
        FPicture = TPicture::fromBitmap(white);
        PictureChanged();
    }
    if (!FPicture.isBitmap())
        throw std::logic_error("Can only modify an image if it contains a bitmap");
    return CanvasAccess(*this);
}

QRect TRotateImage::ImageRect() {
    // A hidden control gets its resize event only when shown; its size is checked here.
    if (size() != FMetricsSize) {
        ClearMetrics();
        FMetricsSize = size();
    }
    if (!(FCalcMetrics & 1)) {
        gfx::ImageLayout l;
        l.maxSize = FMaxSize;
        l.rotated = FRotatedBitmap.size();
        l.client = size();
        l.center = FCenter;
        l.stretch = FStretch;
        l.proportional = FProportional;
        l.uniqueSize = FUniqueSize;
        FImageRect = gfx::ImageRect(l);
        FCalcMetrics |= 1;
    }
    return FImageRect;
}

QPolygon TRotateImage::ImageRgn() {
    const QRect layout = ImageRect();
    if (pos() != FMetricsPos) {
        FCalcMetrics &= ~2;
        FMetricsPos = pos();
    }
    if (!(FCalcMetrics & 2)) {
        FImageRgn =
            FBitmap ? gfx::ImageRgn(FPicture.size(), FRotatedBitmap.size(), layout, pos(), FAngle)
                    : QPolygon();
        FCalcMetrics |= 2;
    }
    return FImageRgn;
}

QPoint TRotateImage::RotatedPoint(QPoint pt) const {
    return gfx::RotatedPoint(pt, FPicture.size(), FRotatedBitmap.size(), FAngle);
}

void TRotateImage::RotatePoints(std::span<QPoint> points, int lastIndex) const {
    gfx::RotatePoints(points, lastIndex, FPicture.size(), FRotatedBitmap.size(), FAngle);
}

void TRotateImage::SetLoading(bool on) {
    if (on == FLoading) return;
    FLoading = on;
    if (!on) PictureChanged();
}

void TRotateImage::DoRotation() {
    if (OnRotation) OnRotation(this);
    emit rotated();
}

void TRotateImage::paintEvent(QPaintEvent*) {
    if (FRotatedBitmap.isNull()) return;
    QPainter p(this);
    const QRect target = ImageRect();
    if (FRotatedTransparent) {
        // Leave out the pixels of the transparent colour.
        if (FMaskedRotated.isNull()) {
            FMaskedRotated = FRotatedBitmap.convertToFormat(QImage::Format_ARGB32);
            const QRgb key = gfx::toArgb(FRotatedTransparentColor);
            for (int y = 0; y < FMaskedRotated.height(); ++y) {
                auto* row = reinterpret_cast<QRgb*>(FMaskedRotated.scanLine(y));
                for (int x = 0; x < FMaskedRotated.width(); ++x)
                    if (row[x] == key) row[x] = 0;
            }
        }
        p.drawImage(target, FMaskedRotated);
        return;
    }
    // Clipped to the turned outline (kept in the parent's coordinates) and the control.
    const QRegion outline(ImageRgn().translated(-pos()), Qt::OddEvenFill);
    p.setClipRegion(outline & QRegion(rect()));
    p.drawImage(target, FRotatedBitmap);
}

void TRotateImage::resizeEvent(QResizeEvent* e) {
    ClearMetrics();
    QWidget::resizeEvent(e);
}

void TRotateImage::moveEvent(QMoveEvent* e) {
    FCalcMetrics &= ~2; // the outline is kept in the parent's coordinates
    QWidget::moveEvent(e);
}
